// The parameter file and the two steps that read and write the settings.
#include "files/parameter_file.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "app/main_window.h"
#include "files/data_directory.h"
#include "files/save_open.h"
#include "files/text_encoding.h"

namespace korvel {

LignesParametres decoupe_parametres(const std::string& bytes) {
  const std::string text = text_as_utf8(bytes);
  LignesParametres lignes;
  std::size_t start = 0;
  for (std::size_t k = 0; k < lignes.size() && start < text.size(); ++k) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    lignes[k] = text.substr(start, end - start);
    start = next;
  }
  return lignes;
}

std::string assemble_parametres(const LignesParametres& lignes) {
  std::string text;
  for (const std::string& ligne : lignes) text += ligne + "\r\n";
  return text;
}

LignesParametres lit_parametres(TextFiles& files, const std::string& path) {
  const auto bytes = files.read(path, kTailleMaxParametres);
  // A file with NUL bytes is no text file: none of its lines is a setting.
  if (!bytes || bytes->find('\0') != std::string::npos) return {};
  return decoupe_parametres(*bytes);
}

std::string lire_param(TextFiles& files, const std::string& path, int n) {
  if (n < 1 || n > MAX_PARAMETRE) return {};
  std::string ligne = lit_parametres(files, path)[std::size_t(n - 1)];
  if (ligne.size() > kLongueurMaxValeur) return {};
  return ligne;
}

std::string lire_param_defaut(TextFiles& files, const std::string& path, int n, const std::string& defaut) {
  std::string valeur = lire_param(files, path, n);
  return valeur.empty() ? defaut : valeur;
}

void ecrire_param(TextFiles& files, Desktop& desktop, const std::string& value, const std::string& path, int n) {
  if (n > MAX_PARAMETRE) {
    desktop.show_message(" max_parametre = " + IntToStr(MAX_PARAMETRE) + "\n augmenter ce nombre dans le source...");
    return;
  }
  if (n < 1) return;
  LignesParametres lignes = lit_parametres(files, path);
  lignes[std::size_t(n - 1)] = valeur_sur_une_ligne(value);
  files.write(path, assemble_parametres(lignes));
}

void ecrit_lignes(TextFiles& files, const std::string& path, std::span<const std::string> values) {
  LignesParametres lignes = lit_parametres(files, path);
  for (std::size_t k = 0; k < values.size() && k < lignes.size(); ++k) lignes[k] = valeur_sur_une_ligne(values[k]);
  files.write(path, assemble_parametres(lignes));
}

std::string bool_en_texte(bool flag) { return flag ? "true" : "false"; }

bool texte_en_bool(const std::string& text) { return text == "true"; }

std::string valeur_sur_une_ligne(const std::string& value) {
  return value.find_first_of("\r\n") == std::string::npos ? value : std::string();
}

std::string TForm1::chemin_parametres() {
  return data_directory(text_files(), rep_prog, m_services.user_data_dir) + "/" + kNomFichierParametres;
}

namespace {

// One line of the file: its default when empty or missing, the value a save
// writes, and how a line read sets its control (which may throw
// EConvertError).
struct Reglage {
  std::string defaut;
  std::function<std::string()> valeur;
  std::function<void(const std::string&)> applique;
};

// The seven settings, line 1 first.
std::array<Reglage, 7> reglages(TForm1& f) {
  using Ligne = const std::string&;
  return {{
      {"10", [&] { return f.Edit3.text(); }, [&](Ligne v) { f.Edit3.set_text(v); }},
      {"0", [&] { return IntToStr(f.RadioGroup_type_trace.item_index()); },
       [&](Ligne v) { f.RadioGroup_type_trace.set_item_index(StrToInt(v)); }},
      {"0", [&] { return IntToStr(f.RadioGroup_symetrie.item_index()); },
       [&](Ligne v) { f.RadioGroup_symetrie.set_item_index(StrToInt(v)); }},
      {"0", [&] { return bool_en_texte(f.CheckBox_panel_disparait_auto.checked()); },
       [&](Ligne v) { f.CheckBox_panel_disparait_auto.set_checked(texte_en_bool(v)); }},
      {IntToStr(std::int32_t(kCouleurMenuDepart)), [&] { return IntToStr(std::int32_t(f.Panel1.color())); },
       [&](Ligne v) { f.Panel1.set_color(TColor(StrToInt(v))); }},
      {f.rep_prog, [&] { return f.Label_rep.caption(); }, [&](Ligne v) { f.Label_rep.set_caption(v); }},
      {"image.bmp", [&] { return f.Edit_nom_generique.text(); }, [&](Ligne v) { f.Edit_nom_generique.set_text(v); }},
  }};
}

}  // namespace

void TForm1::sauve_params() {
  const std::string path = chemin_parametres();
  std::vector<std::string> valeurs;
  for (const Reglage& r : reglages(*this)) valeurs.push_back(r.valeur());
  // A settings file that cannot be written is lost without a word: quitting
  // must not be held up by it.
  try {
    prepare_data_directory(text_files(), repertoire_de(path), rep_prog);
    // One pass rather than seven rewrites: lines 8 to 20 kept as read.
    ecrit_lignes(text_files(), path, valeurs);
  } catch (const EInOutError&) {
  }
}

void TForm1::charge_params() {
  TextFiles& files = text_files();
  const std::string path = chemin_parametres();
  // Line by line, in order: a line that is no number stops here, with the
  // lines before it applied.
  int ligne = 0;
  for (const Reglage& r : reglages(*this)) r.applique(lire_param_defaut(files, path, ++ligne, r.defaut));
}

}  // namespace korvel
