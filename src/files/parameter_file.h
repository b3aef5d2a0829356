#pragma once
// The parameter file korvel.prm: twenty lines of bare values, one setting a
// line, the meaning given by the line number alone. Lines 1 to 7 are the
// program's; the others are kept as read.
#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "platform/desktop.h"
#include "platform/text_files.h"

namespace korvel {

inline constexpr int MAX_PARAMETRE = 20;
inline constexpr const char* kNomFichierParametres = "korvel.prm";
// A longer file is not one of ours: it reads as missing.
inline constexpr std::size_t kTailleMaxParametres = 1 << 20;
// A longer value of lines 1 to 7 reads as empty, so its default applies.
inline constexpr std::size_t kLongueurMaxValeur = 4096;

// Lines 1..20 of a file (index 0 is line 1); missing lines are empty.
using LignesParametres = std::array<std::string, MAX_PARAMETRE>;

// The first twenty lines of a file's bytes, as UTF-8 (a file that is not
// valid UTF-8 is read as Windows-1252). Lines end with LF or CR LF; a last
// line without its end still counts.
LignesParametres decoupe_parametres(const std::string& bytes);
// The twenty lines, each ended by CR LF.
std::string assemble_parametres(const LignesParametres& lignes);
// The twenty lines of the file at `path`; all empty when it is missing,
// unreadable, too long or binary (NUL bytes).
LignesParametres lit_parametres(TextFiles& files, const std::string& path);

// Line n of the file, or empty (no file, fewer lines, or a value too long).
std::string lire_param(TextFiles& files, const std::string& path, int n);
// lire_param, or `defaut` when that is empty.
std::string lire_param_defaut(TextFiles& files, const std::string& path, int n, const std::string& defaut);
// Stores `value` as line n (1..MAX_PARAMETRE), rewriting the whole file.
// Above MAX_PARAMETRE the caller is told and nothing is written. Throws
// EInOutError when the file cannot be written.
void ecrire_param(TextFiles& files, Desktop& desktop, const std::string& value, const std::string& path, int n);

// Stores values[k] as line k + 1 for the first values.size() lines in one
// rewrite: the same bytes as one ecrire_param call per line, in order.
void ecrit_lignes(TextFiles& files, const std::string& path, std::span<const std::string> values);

std::string bool_en_texte(bool flag);   // "true" / "false"
bool texte_en_bool(const std::string& text);  // exactly "true"

// A value as it can stand on one line: a value holding a line break would
// shift every line after it, so it is stored empty (its default applies).
std::string valeur_sur_une_ligne(const std::string& value);

}  // namespace korvel
