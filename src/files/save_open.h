#pragma once
// Saving the picture under a proposed free name, and opening pictures.
#include <string>

namespace korvel {

// The parts of a file name as the platform's file-name functions give them:
// the extension is the last "." and what follows, when that dot comes after
// the last separator; the directory is everything before the last separator.
std::string sans_extension(const std::string& name);
std::string extension_de(const std::string& name);
std::string repertoire_de(const std::string& path);

// "%s_%d%s": the base, "_", the counter and the extension.
std::string nom_numerote(const std::string& base, int counter, const std::string& extension);

}  // namespace korvel
