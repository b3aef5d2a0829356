// The parameter file and the two steps that read and write the settings.
#include "files/parameter_file.h"

#include <cstdint>
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
  return file_homes(text_files(), rep_prog, m_services.user_dirs).settings + "/" + kNomFichierParametres;
}

void TForm1::sauve_params() {
  const std::string path = chemin_parametres();
  const std::string valeurs[] = {
      Edit3.text(),
      IntToStr(RadioGroup_type_trace.item_index()),
      IntToStr(RadioGroup_symetrie.item_index()),
      bool_en_texte(CheckBox_panel_disparait_auto.checked()),
      IntToStr(std::int32_t(Panel1.color())),
      Label_rep.caption(),
      Edit_nom_generique.text(),
  };
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
  Edit3.set_text(lire_param_defaut(files, path, 1, "10"));
  RadioGroup_type_trace.set_item_index(StrToInt(lire_param_defaut(files, path, 2, "0")));
  RadioGroup_symetrie.set_item_index(StrToInt(lire_param_defaut(files, path, 3, "0")));
  CheckBox_panel_disparait_auto.set_checked(texte_en_bool(lire_param_defaut(files, path, 4, "0")));
  Panel1.set_color(TColor(StrToInt(lire_param_defaut(files, path, 5, "4227327"))));
  Label_rep.set_caption(lire_param_defaut(files, path, 6, rep_images));
  Edit_nom_generique.set_text(lire_param_defaut(files, path, 7, "image.bmp"));
}

}  // namespace korvel
