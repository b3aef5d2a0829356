// The numeric text helpers and the two readers of TForm1 built on them.
//
// The trims are defined with eight-bit position counters, which would start a
// text longer than 255 bytes from a wrapped position. Here the counters are
// as wide as the text: up to 255 bytes the results are the same, and a
// longer text is trimmed whole.
#include "app/number_text.h"

#include <clocale>
#include <cstring>

#include "app/main_window.h"

namespace korvel {

std::string trim_droite(std::string_view text) {
  std::size_t i = text.size();
  while (i > 0 && text[i - 1] == ' ') --i;
  return std::string(text.substr(0, i));
}

std::string trim_gauche(std::string_view text) {
  // 1-based position; the loop stops at the last position, which is kept.
  std::size_t i = 1;
  while (i < text.size() && text[i - 1] == ' ') ++i;
  if (text.empty()) return {};
  return std::string(text.substr(i - 1));
}

std::string trim_blancs(std::string_view text) { return trim_droite(trim_gauche(text)); }

namespace {

bool dans_ensemble(unsigned char c) {
  return c == '*' || c == '+' || c == '-' || c == '/' || (c >= '0' && c <= '9') || c == 'E';
}

}  // namespace

std::string nettoie_nombre(std::string_view text, char separator) {
  std::string t(text);
  // 1. At most one point or comma becomes the separator.
  if (const auto point = t.find('.'); point != std::string::npos && separator != '.') {
    t[point] = separator;
  } else if (const auto comma = t.find(','); comma != std::string::npos && separator != ',') {
    t[comma] = separator;
  }
  // 2.
  t = trim_blancs(t);
  // 3.
  std::string result;
  result.reserve(t.size());
  for (const char c : t)
    if (dans_ensemble(static_cast<unsigned char>(c)) || c == separator) result.push_back(c);
  return result;
}

char decimal_separator() {
  const std::lconv* conv = std::localeconv();
  if (conv == nullptr || conv->decimal_point == nullptr || std::strlen(conv->decimal_point) != 1) return '.';
  return conv->decimal_point[0];
}

std::int32_t TForm1::nb_petales() {
  const std::string cleaned = nettoie_nombre(Edit1.text(), decimal_separator());
  if (cleaned.empty()) return 1;
  const std::int32_t n = StrToInt(cleaned);
  return n == 0 ? 1 : n;
}

std::int32_t TForm1::entier_de(const Edit& edit) {
  return StrToInt(nettoie_nombre(edit.text(), decimal_separator()));
}

}  // namespace korvel
