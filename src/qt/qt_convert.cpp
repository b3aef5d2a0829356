#include "qt/qt_convert.h"

#include <QFontDatabase>

namespace korvel::qt {

QFont sans_font(const TFont& font) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  // The panel was laid out for a narrow face: faces of that width come
  // first where the system has them, the system's own sans-serif otherwise.
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                 QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"), f.family()});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(font.size_px > 0 ? font.size_px : 11);
  f.setBold(font.bold);
  return f;
}

QFont fixed_pitch_font(const TFont& font) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono"),
                 f.family()});
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(font.size_px > 0 ? font.size_px : 11);
  f.setBold(font.bold);
  return f;
}

}  // namespace korvel::qt
