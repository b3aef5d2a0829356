#include "platform/text.h"

#include <cmath>

namespace korvel {

std::optional<std::int32_t> try_str_to_int(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return std::int32_t(value);
}

std::int32_t StrToInt(const std::string& text) {
  if (auto v = try_str_to_int(text)) return *v;
  throw EConvertError("'" + text + "' n'est pas une valeur entière correcte");
}

std::string IntToStr(long long value) { return std::to_string(value); }

// nearbyint rounds in the current mode, which is to-nearest-even by default.
double nearest(double v) { return std::nearbyint(v); }
long double nearest(long double v) { return std::nearbyintl(v); }

}  // namespace korvel
