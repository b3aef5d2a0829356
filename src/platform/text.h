#pragma once
// The platform's text and number conversions.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace korvel {

// The platform's error base: every failure a handler lets through derives
// from it, and the error report shows what().
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  virtual const char* class_name() const { return "Exception"; }
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* class_name() const override { return "EConvertError"; }
};

class EInOutError : public Exception {
 public:
  using Exception::Exception;
  const char* class_name() const override { return "EInOutError"; }
};

// Strict: an optional sign then decimal digits, within the 32-bit range.
// Anything else throws EConvertError "'<text>' n'est pas une valeur entière correcte".
std::int32_t StrToInt(const std::string& text);
std::optional<std::int32_t> try_str_to_int(const std::string& text);
std::string IntToStr(long long value);

// Nearest integer, a half going to the even neighbour.
double nearest(double v);
long double nearest(long double v);

}  // namespace korvel
