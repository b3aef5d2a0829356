#include "qt/dialog_formats.h"

#include <QImageReader>
#include <cstdio>

#include "platform/colour.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

namespace {

// The box of a line "ColorX=...", or -1.
int box_of(const std::string& line) {
  if (line.size() < 8 || line.compare(0, 5, "Color") != 0 || line[6] != '=') return -1;
  const char letter = line[5];
  return (letter >= 'A' && letter <= 'P') ? letter - 'A' : -1;
}

std::string line_for(int box, const QColor& c) {
  char text[32];
  std::snprintf(text, sizeof text, "Color%c=%06X", char('A' + box), unsigned(to_tcolor(c)));
  return text;
}

}  // namespace

CustomColours parse_custom_colours(const std::vector<std::string>& lines) {
  CustomColours boxes;
  for (const std::string& line : lines) {
    const int box = box_of(line);
    if (box < 0) continue;
    const std::string hex = line.substr(7);
    if (hex.empty() || hex.size() > 8 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      continue;
    const unsigned long value = std::stoul(hex, nullptr, 16);
    if (value > 0xFFFFFFul) continue;
    boxes[std::size_t(box)] = to_qcolor(TColor(value));
  }
  return boxes;
}

void update_custom_colours(std::vector<std::string>& lines, const CustomColours& before,
                           const CustomColours& after) {
  for (int box = 0; box < kCustomColourCount; ++box) {
    const auto& now = after[std::size_t(box)];
    if (!now || now == before[std::size_t(box)]) continue;
    bool found = false;
    for (std::string& line : lines)
      if (box_of(line) == box) {
        line = line_for(box, *now);
        found = true;
      }
    if (!found) lines.push_back(line_for(box, *now));
  }
}

QStringList name_filters(const std::string& filter) {
  const QStringList parts = to_qstring(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses of the description.
    if (description.contains(QLatin1Char('(')) && description.contains(patterns))
      filters << description;
    else
      filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}

QStringList picture_filters() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  patterns.removeDuplicates();
  return {QStringLiteral("Toutes les images (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'),
          QStringLiteral("Bitmaps (*.bmp *.dib)"), QStringLiteral("Tous les fichiers (*)")};
}

}  // namespace korvel::qt
