#pragma once
// The program's own settings, beside korvel.prm in a file of their own
// (korvel.conf), so that the parameter file keeps its lines as they are.
// One "name=value" a line; lines of other names, or of no name, are kept as
// they were when a value is written.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr const char* kNomFichierConfiguration = "korvel.conf";
// A longer file is not one of ours: it reads as empty.
inline constexpr std::size_t kTailleMaxConfiguration = 64 * 1024;

// The value of the last line "nom=value" of the text; nothing when no line
// has that name. Lines end with LF or CR LF.
std::optional<std::string> valeur_configuration(std::string_view texte, std::string_view nom);

// The text with the value of `nom` set: its first line replaced, later ones
// dropped, or a line added at the end; every other line kept, each ended by
// LF. A value holding a line break is cut at it.
std::string avec_valeur_configuration(std::string_view texte, std::string_view nom, std::string_view valeur);

}  // namespace korvel
