// Start-up of the window: FormCreate, FormActivate, the panel shift and the
// quarter-wave tables.
#include <cmath>

#include "app/main_window.h"
#include "files/data_directory.h"
#include "files/timelapse_recording.h"

namespace korvel {

namespace {

// The program's directory: its path less the last component and separator.
std::string directory_of(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

void TForm1::FormCreate() {
  Desktop& d = desktop();
  // 1-3. The window covers the screen, without frame, and keeps that size
  // (the view's widgets are double-buffered already).
  set_client_size(d.screen_width(), d.screen_height());
  ScrollBox1.set_align(alClient);
  realign();
  Maximized = true;
  Borderless = true;
  // 4-5.
  centre_x = d.screen_width() / 2;
  centre_y = d.screen_height() / 2;
  trace_en_cours = false;
  choix_centre = false;
  ligne_en_cours = false;
  // 6.
  coul_crayon = clGreen;
  coul_fond = 0;
  coul_peinture = 0xFFFF00;
  Panel_peinture.set_color(coul_peinture);
  Panel_crayon.set_color(coul_crayon);
  Panel9.set_color(Panel_crayon.color());
  coul_menu = kCouleurMenuDepart;
  coul_aide = RGB(150, 228, 190);
  // 7-8.
  ModifierLeftDansPanel();
  Panel1.set_align(alBottom);
  Panel1.set_color(coul_menu);
  Panel1.set_visible(true);
  d.repaint(Panel1);
  // 9-10.
  for (Control* c : std::initializer_list<Control*>{&Panel_quit, &Panel3, &Panel4, &Panel5, &Panel7, &Panel6,
                                                    &Panel11, &Panel13, &Panel12, &Panel_stop, &Panel8})
    c->set_color(coul_aide);
  Panel8.set_top((d.screen_height() - Panel8.height()) / 2);
  Panel8.set_left((d.screen_width() - Panel8.width()) / 2);
  // 11-12.
  Label1.set_caption("");
  m_random.Randomize();
  // 13. Each change runs the group's click handler, as a user's click would.
  RadioGroup_couleur_crayon.set_choice(ChoixCouleur::aleatoire);
  RadioGroup_couleur_peinture.set_choice(ChoixCouleur::aleatoire);
  RadioGroup_symetrie.set_choice(Symetrie::rosace);
  RadioGroup_type_trace.set_choice(TypeTrace::crayon);
  // 14-15. The canvas's pen mode is pmCopy already.
  coul_crayon_prec = clGreen;
  ComboBox1.set_item_index(0);
  mode_crayon = pmCopy;
  ligne_en_cours = false;
  // 16. Snapshot history.
  indice_fic = -1;
  max_fic = -1;
  Label8.set_caption(IntToStr(indice_fic) + "/" + IntToStr(max_fic));
  Label9.set_caption(" -> " + IntToStr(indice_fic) + "/" + IntToStr(max_fic));
  nom_fic.clear();
  // 17.
  rep_prog = directory_of(m_services.program_path);
  const FileHomes homes = file_homes(text_files(), rep_prog, m_services.user_dirs);
  move_earlier_files(text_files(), homes, m_services.user_dirs);
  rep_anneaux = homes.snapshots;
  rep_instantanes = homes.snapshots;
  prend_anneau(RingTaking::existing_only);
  // Each running program records in a directory it holds, as it does its
  // snapshots: two programs never number, thin or wipe each other's frames.
  const RingChoice film =
      take_snapshot_ring(text_files(), recording_directory(homes, m_services.user_dirs), rep_prog, RingTaking::making_it);
  rep_film = film.directory;
  if (film.outcome == RingChoice::Outcome::taken) m_recording = std::make_unique<Recording>(text_files(), rep_film);
  rep_images = homes.pictures;
  if (homes.per_user) {
    // The save dialog opens on a folder that exists; failing that, it opens
    // wherever the platform puts it.
    try {
      prepare_data_directory(text_files(), rep_images, rep_prog);
    } catch (const EInOutError&) {
    }
  }
  Label_rep.set_caption(rep_images);
  // 18. top_menu is the panel's top when docked at the bottom.
  Panel1.set_visible(!CheckBox_panel_disparait_auto.checked());
  top_menu = Panel1.top();
  // 19-20.
  menu_a_cacher = false;
  menu_descend = false;
  nb_clones = StrToInt(Edit6.text());
  _ws();
  ellipse_nb = 0;
  apercu_trace = false;
  ellipse_ctrl_x = kSansPointControle;
  ellipse_ctrl_y = kSansPointControle;
  // 21-22.
  build_tables();
  init_couleurs_perso();
  // The program's own settings: the guides shown or not.
  charge_configuration();
}

void TForm1::build_tables() {
  const long double pi = 3.1415926535897932385L;
  for (int i = 0; i <= 181; ++i) {
    const long double a = i * pi / 2 / 181;
    table_sin[i] = std::sin(a);
    table_cos[i] = std::cos(a);
  }
}

void TForm1::ModifierLeftDansPanel() {
  // Centres the design block: the panel still has its design width here.
  const int shift = (desktop().screen_width() - Panel1.width()) / 2;
  for (Control* c : Panel1.children()) c->set_left(c->left() + shift);
}

void TForm1::FormActivate() {
  // A stored value that is no number stops here: the focus stays put.
  charge_params();
  Edit2.SetFocus();
}

}  // namespace korvel
