#pragma once
// Colours as the behaviour sees them: 0x00BBGGRR, red in the low byte.
#include <array>
#include <cstdint>

namespace korvel {

using TColor = std::uint32_t;

// Returned by Canvas::Pixels outside the picture; equals no colour in use.
inline constexpr TColor clInvalid = 0xFFFFFFFFu;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clPurple = 0x800080;

// The colour dialog's 16 custom colour boxes, A to P.
using CustomColours = std::array<TColor, 16>;

// Each channel is reduced to its low byte.
constexpr TColor RGB(int r, int g, int b) {
  return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int red_of(TColor c) { return int(c & 0xFF); }
constexpr int green_of(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int blue_of(TColor c) { return int((c >> 16) & 0xFF); }

// Buffer pixels are 0x00RRGGBB (QImage::Format_RGB32, a Windows DIB).
constexpr std::uint32_t pixel_of(TColor c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr TColor colour_of(std::uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

}  // namespace korvel
