#pragma once
// The platform texts that the dialogs exchange with the behaviour: the 16
// custom colour lines of the colour dialog and the file type filters.
#include <QColor>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korvel::qt {

inline constexpr int kCustomColourCount = 16;
using CustomColours = std::array<std::optional<QColor>, kCustomColourCount>;

// Reads "ColorA=4080FF" .. "ColorP=...": box A..P, hexadecimal 0x00BBGGRR.
// Lines that are not of that form, and values past 24 bits (the platform's
// "no colour" FFFFFFFF), leave their box empty.
CustomColours parse_custom_colours(const std::vector<std::string>& lines);
// Writes back the boxes the user changed: the line of each changed box is
// rewritten as "ColorX=" and six or more upper-case hex digits, appended
// if it was missing; other lines stay as they were.
void update_custom_colours(std::vector<std::string>& lines, const CustomColours& before,
                           const CustomColours& after);

// "images (*.bmp)|*.bmp|..." as Qt name filters ("images (*.bmp)", ...).
QStringList name_filters(const std::string& filter);
// The filters of the open dialog when the behaviour sets none: every picture
// type Qt reads, then bitmaps, then any file.
QStringList picture_filters();

}  // namespace korvel::qt
