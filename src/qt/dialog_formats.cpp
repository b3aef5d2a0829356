#include "qt/dialog_formats.h"

#include "files/picture_file.h"
#include "qt/qt_convert.h"

namespace korvel::qt {

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

QStringList picture_filters() { return name_filters(open_dialog_filter()); }

}  // namespace korvel::qt
