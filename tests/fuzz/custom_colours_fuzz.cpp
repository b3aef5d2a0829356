// The custom colour list as the parameter file holds it: any lines read into
// the 16 boxes. Every box holds a 24-bit colour, and the list the program
// writes reads back as the same colours.
#include <cstdlib>
#include <string>
#include <vector>

#include "colour/custom_colours.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  const korvel::CustomColours colours = korvel::lit_couleurs_perso(lines);
  for (const korvel::TColor c : colours)
    if (c > 0xFFFFFFu) std::abort();
  if (korvel::lit_couleurs_perso(korvel::ecrit_couleurs_perso(colours)) != colours) std::abort();
  return 0;
}
