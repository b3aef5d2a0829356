// The numeric text of the tool panel's edits: cleaning with either decimal
// separator, the trims, and the strict integer conversion. Checks what each
// promises of its result.
#include <cstdlib>
#include <string>

#include "app/number_text.h"
#include "platform/text.h"

namespace {

bool kept_byte(char c, char separator) {
  return c == '*' || c == '+' || c == '-' || c == '/' || c == 'E' || c == separator || (c >= '0' && c <= '9');
}

void check_integer(const std::string& text) {
  try {
    const std::int32_t value = korvel::StrToInt(text);
    // What converted once converts again from its own decimal text.
    if (korvel::StrToInt(korvel::IntToStr(value)) != value) std::abort();
  } catch (const korvel::EConvertError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char separator : {'.', ','}) {
    const std::string cleaned = korvel::nettoie_nombre(text, separator);
    for (const char c : cleaned)
      if (!kept_byte(c, separator)) std::abort();
    check_integer(cleaned);
  }
  const std::string trimmed = korvel::trim_blancs(text);
  if (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.back() == ' ')) std::abort();
  if (korvel::trim_gauche(text).size() > text.size() || korvel::trim_droite(text).size() > text.size()) std::abort();
  check_integer(text);
  return 0;
}
