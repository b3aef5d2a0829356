#pragma once
// Cleaning of the numeric texts of the tool panel's edits before their strict
// conversion to integers. Texts are UTF-8; only the space (32) is a blank.
#include <string>
#include <string_view>

namespace korvel {

// The text without its trailing spaces.
std::string trim_droite(std::string_view text);
// The text without its leading spaces, its last character always kept: a
// text made only of spaces keeps one space; the empty text stays empty.
std::string trim_gauche(std::string_view text);
// trim_droite of trim_gauche: a text made only of spaces becomes empty.
std::string trim_blancs(std::string_view text);

// The numeric text of `text` with `separator` as the decimal separator:
//  1. the first "." becomes `separator` when the text has one and the
//     separator is not "."; otherwise the first "," when the text has one and
//     the separator is not ",";
//  2. trim_blancs;
//  3. only the bytes "*" "+" "-" "/" "0".."9" "E" and `separator` are kept.
// The result may be empty; it is not evaluated ("1+2" stays "1+2").
std::string nettoie_nombre(std::string_view text, char separator);

// The decimal separator of the program's C locale (localeconv), as set by
// setlocale at start-up; "." when the locale's separator is not one byte.
char decimal_separator();

}  // namespace korvel
