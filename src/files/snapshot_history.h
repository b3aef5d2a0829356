#pragma once
// The ring of ten snapshot files: the program's undo and redo.
#include <string>

namespace korvel {

inline constexpr int kSnapshotSlots = 10;

// "<dir>/~1xx.bmp" for slot s (slot -1 gives ~99.bmp).
std::string nom_instantane(const std::string& directory, int slot);

// Ring arithmetic, as the history walks it.
int slot_after_write(int indice_fic);                 // (indice + 1) mod 10
int max_after_write(int max_fic);                     // + 1, at most 9
int slot_before(int indice_fic, int max_fic);         // - 1, below 0 wraps to max
int slot_after(int indice_fic, int max_fic);          // + 1, past max wraps to 0

}  // namespace korvel
