#pragma once
// Conversions between the behaviour's vocabulary and Qt's.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

#include "platform/colour.h"
#include "platform/controls.h"
#include "platform/geometry.h"

namespace korvel::qt {

// The behaviour's texts are UTF-8.
inline QString to_qstring(const std::string& text) { return QString::fromStdString(text); }
inline std::string to_std(const QString& text) { return text.toStdString(); }

// A 0x00BBGGRR colour as an opaque QColor, and back.
inline QColor to_qcolor(TColor c) { return QColor(red_of(c), green_of(c), blue_of(c)); }
inline TColor to_tcolor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// Right and bottom excluded on both sides.
inline QRect to_qrect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// A sans-serif face at the model's pixel size and weight.
QFont sans_font(const TFont& font);
// A fixed-pitch face at the model's pixel size and weight, for texts that
// line up columns with spaces.
QFont fixed_pitch_font(const TFont& font);

}  // namespace korvel::qt
