// The custom colour list: writing it from colours and reading it back.
#include "colour/custom_colours.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace korvel {

namespace {

constexpr int kBoxes = int(std::tuple_size_v<CustomColours>);

std::string_view sans_blancs(std::string_view s) {
  const auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blanc(s.front())) s.remove_prefix(1);
  while (!s.empty() && blanc(s.back())) s.remove_suffix(1);
  return s;
}

// At most eight hexadecimal digits, any case; nothing for other texts.
std::optional<std::uint32_t> hexadecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0) return std::nullopt;
    value = value * 16 + std::uint32_t(d);
  }
  return value;
}

}  // namespace

std::string ligne_couleur_perso(int box, TColor colour) {
  char text[32];
  std::snprintf(text, sizeof text, "Color%c=%06X", char('A' + box), unsigned(colour));
  return text;
}

std::vector<std::string> ecrit_couleurs_perso(const CustomColours& colours) {
  std::vector<std::string> lines;
  for (int box = 0; box < kBoxes; ++box) lines.push_back(ligne_couleur_perso(box, colours[std::size_t(box)]));
  return lines;
}

CustomColours lit_couleurs_perso(const std::vector<std::string>& lines) {
  CustomColours colours;
  colours.fill(clWhite);
  for (const std::string& line : lines) {
    const std::string_view s = sans_blancs(line);
    if (s.size() < 7 || s.substr(0, 5) != "Color" || s[6] != '=') continue;
    const int box = s[5] - 'A';
    if (box < 0 || box >= kBoxes) continue;
    const auto value = hexadecimal(sans_blancs(s.substr(7)));
    if (value && *value <= 0xFFFFFFu) colours[std::size_t(box)] = *value;
  }
  return colours;
}

}  // namespace korvel
