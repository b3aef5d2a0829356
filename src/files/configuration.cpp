// korvel.conf: reading and writing one value, and the window's use of it.
#include "files/configuration.h"

#include <vector>

#include "app/main_window.h"
#include "files/data_directory.h"
#include "files/save_open.h"

namespace korvel {

namespace {

std::vector<std::string_view> lignes(std::string_view texte) {
  std::vector<std::string_view> result;
  while (!texte.empty()) {
    const std::size_t fin = texte.find('\n');
    std::string_view ligne = texte.substr(0, fin);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    result.push_back(ligne);
    if (fin == std::string_view::npos) break;
    texte.remove_prefix(fin + 1);
  }
  return result;
}

// The value of a line of that name.
std::optional<std::string_view> valeur_de(std::string_view ligne, std::string_view nom) {
  if (ligne.size() <= nom.size() || ligne.substr(0, nom.size()) != nom || ligne[nom.size()] != '=') return std::nullopt;
  return ligne.substr(nom.size() + 1);
}

}  // namespace

std::optional<std::string> valeur_configuration(std::string_view texte, std::string_view nom) {
  std::optional<std::string> valeur;
  for (const std::string_view ligne : lignes(texte))
    if (const auto v = valeur_de(ligne, nom)) valeur = std::string(*v);
  return valeur;
}

std::string avec_valeur_configuration(std::string_view texte, std::string_view nom, std::string_view valeur) {
  valeur = valeur.substr(0, valeur.find_first_of("\r\n"));
  const std::string nouvelle = std::string(nom) + "=" + std::string(valeur);
  std::string result;
  bool ecrite = false;
  for (const std::string_view ligne : lignes(texte)) {
    if (valeur_de(ligne, nom)) {
      if (ecrite) continue;
      result += nouvelle;
      ecrite = true;
    } else {
      result += ligne;
    }
    result += '\n';
  }
  if (!ecrite) result += nouvelle + '\n';
  return result;
}

// ---- the window's own settings ----------------------------------------------

namespace {
constexpr std::string_view kGuides = "guides";
}  // namespace

std::string TForm1::chemin_configuration() {
  return file_homes(text_files(), rep_prog, m_services.user_dirs).settings + "/" + kNomFichierConfiguration;
}

void TForm1::charge_configuration() {
  const std::optional<std::string> texte = text_files().read(chemin_configuration(), kTailleMaxConfiguration);
  guides_visibles = texte && valeur_configuration(*texte, kGuides) == "true";
}

void TForm1::sauve_configuration() {
  const std::string path = chemin_configuration();
  try {
    prepare_data_directory(text_files(), repertoire_de(path), rep_prog);
    const std::string avant = text_files().read(path, kTailleMaxConfiguration).value_or("");
    text_files().write(path, avec_valeur_configuration(avant, kGuides, guides_visibles ? "true" : "false"));
  } catch (const EInOutError& e) {
    // Said once: the guides go on showing or hiding for this run.
    if (m_configuration_signalee) return;
    m_configuration_signalee = true;
    desktop().show_message(std::string(e.what()) + "\nLes guides ne seront pas retrouvés au prochain démarrage.");
  }
}

}  // namespace korvel
