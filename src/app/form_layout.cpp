// The window's controls as the form designer laid them out: positions are
// the design positions, before ModifierLeftDansPanel centres the block.
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace korvel {

namespace {

// ---- the tables ---------------------------------------------------------------

struct Placement {
  Control& control;
  int left, top, width, height;
  const char* caption;  // the caption, or the text of an edit
  const char* hint;
};

constexpr int kUpDownWidth = 16;

// The tool panel's controls in creation order, at their design places.
std::vector<Placement> panel_placements(TForm1& f) {
  return {
      {f.Panel_new_fond_noir, 8, 6, 49, 25, "New", ""},
      {f.Panel2, 64, 6, 49, 25, "New", ""},
      {f.RadioGroup_peindre_dessiner, 3, 32, 97, 77, "", ""},
      {f.Panel9, 99, 91, 19, 18, "<", ""},
      {f.Label7, 133, 27, 0, 0, "clones", ""},
      {f.Edit6, 130, 45, 26, 25, "1", ""},
      {f.UpDown5, 156, 45, kUpDownWidth, 25, "", ""},
      {f.Label3, 129, 86, 0, 0, "épaisseur", ""},
      {f.Edit3, 177, 82, 34, 24, "1", ""},
      {f.UpDown2, 211, 82, kUpDownWidth, 24, "", ""},
      {f.CheckBox_epaisseur, 144, 106, 61, 17, "aléatoire", "épaisseur variable des tracés"},
      {f.RadioGroup_couleur_crayon, 181, 8, 87, 47, "Couleur  crayon", ""},
      {f.Panel_crayon, 184, 58, 84, 18, "crayon", ""},
      {f.RadioGroup_couleur_peinture, 272, 8, 97, 47, "Couleur peinture", ""},
      {f.Panel_peinture, 272, 58, 97, 17, "peinture", ""},
      {f.CheckBox_ombre_1, 240, 83, 65, 17, "ombre 1", "ombre dégradée => valeur"},
      {f.CheckBox_ombre_2, 241, 101, 65, 17, "ombre 2", "ombre dégradée => valeur"},
      {f.Edit7, 307, 82, 27, 23, "12", "largeur de l'ombre"},
      {f.UpDown6, 334, 82, kUpDownWidth, 23, "", ""},
      {f.RadioGroup_coul_type, 376, 8, 73, 105, "Coul_type", ""},
      {f.Panel10, 448, 66, 19, 18, "", "couleur d'origine du dégradé"},
      {f.RadioGroup_type_trace, 471, 8, 98, 111, "", ""},
      {f.RadioGroup_symetrie, 572, 8, 97, 111, "Symétrie", ""},
      {f.Label2, 672, 3, 0, 0, "nb de pétales", ""},
      {f.Edit1, 676, 20, 34, 32, "24", ""},
      {f.UpDown1, 710, 20, kUpDownWidth, 32, "", ""},
      {f.ComboBox1, 677, 55, 684, 21, "", "Choix du mode de tracé parmi 16   (1..90qsdfgh)  sans menu)"},
      {f.CheckBox_spirale, 671, 92, 73, 17, "Spirale", ""},
      {f.Label1, 744, 3, 0, 0, "Clique au centre", ""},
      {f.Panel3, 749, 22, 56, 29, "Centre", "choisir le centre (C)"},
      {f.Edit4, 751, 91, 27, 32, "20", ""},
      {f.UpDown3, 778, 91, kUpDownWidth, 32, "", ""},
      {f.Label4, 801, 86, 0, 0, "tour(s) f =", ""},
      {f.Panel7, 824, 22, 44, 29, "Sauve", ""},
      {f.Panel5, 871, 22, 44, 29, "Ouvrir", ""},
      {f.Label_rep, 880, 4, 0, 0, "répertoire", "répertoire de la dernière images enregistrée "},
      {f.Edit5, 914, 90, 57, 29, "975", ""},
      {f.UpDown4, 971, 90, kUpDownWidth, 29, "", ""},
      {f.Panel6, 918, 22, 47, 29, "K", "coloriage aléatoire"},
      {f.Panel_stop, 971, 22, 48, 29, "stop", ""},
      {f.Label_x, 1026, 32, 0, 0, "X", ""},
      {f.Label_y, 1068, 32, 0, 0, "Y", ""},
      {f.Edit2, 1052, 104, 77, 21, "piège à focus", ""},
      {f.CheckBox_panel_disparait_auto, 1053, 83, 180, 17, "Menu disparait automatiquement", ""},
      {f.Panel12, 1119, 22, 31, 28, "Aide", ""},
      {f.Panel_quit, 1156, 22, 48, 29, "Quit", ""},
      {f.Panel11, 1171, 101, 56, 25, "F8 <=", "Ctrl + Z"},
      {f.Edit_nom_generique, 1224, 24, 121, 21, "image.bmp", "nom générique des images  "},
      {f.Panel13, 1234, 101, 45, 24, "F9 =>", "Ctrl +Maj + Z"},
      {f.Panel4, 1294, 101, 67, 25, "coul menu", "modifie le fond de la palette d'outils"},
      {f.Label10, 9, 114, 0, 0, "Korvel v2.1", ""},
      {f.Label5, 712, 79, 0, 0, "Label5", ""},
      {f.Label6, 1238, 78, 0, 0, "Label6", ""},
      {f.Label8, 1245, 6, 0, 0, "Label8", ""},
      {f.Label9, 1302, 5, 0, 0, "Label9", ""},
  };
}

TFont font(int size_px, TColor color = clBlack, bool bold = false) { return {size_px, color, bold}; }

struct Look {
  Control& control;
  TFont font;
};

// Fonts that differ from the default.
std::vector<Look> design_fonts(TForm1& f) {
  const TFont maroon = font(11, clMaroon);
  return {{f.Panel_new_fond_noir, font(11, clWhite)},
          {f.Edit6, font(21)},
          {f.Edit1, font(21)},
          {f.Label3, maroon},
          {f.Edit3, maroon},
          {f.CheckBox_epaisseur, maroon},
          {f.Edit4, maroon},
          {f.Edit5, maroon},
          {f.Label4, font(25, clMaroon)},
          {f.CheckBox_spirale, font(11, clMaroon, true)},
          {f.Label10, font(11, clPurple)}};
}

struct UpDownTie {
  UpDown& updown;
  Edit& edit;
  int min, max;
};

std::vector<UpDownTie> updown_ties(TForm1& f) {
  return {{f.UpDown5, f.Edit6, 0, 100}, {f.UpDown2, f.Edit3, 1, 100}, {f.UpDown6, f.Edit7, 1, 100},
          {f.UpDown1, f.Edit1, 0, 100}, {f.UpDown3, f.Edit4, 1, 100}, {f.UpDown4, f.Edit5, 10, 1000}};
}

struct Choices {
  RadioGroup& group;
  std::vector<std::string> items;
  int design_index;
};

// The names a screen reader gives the controls that show no caption: the
// number fields by the labels beside them ("tour(s) f =" stands between the
// spiral's turns and its factor), the others by what they are.
std::vector<std::pair<Control&, const char*>> screen_reader_names(TForm1& f) {
  return {{f.Edit6, "clones"},
          {f.Edit3, "épaisseur"},
          {f.Edit1, "nb de pétales"},
          {f.Edit4, "tour(s)"},
          {f.Edit5, "f ="},
          {f.Edit2, "piège à focus"},
          {f.ScrollBox1, "zone de dessin"},
          {f.Image1, "image"},
          {f.Panel8, "panneau d'aide"},
          {f.Memo1, "aide"},
          {f.RadioGroup_peindre_dessiner, "peindre"},
          {f.RadioGroup_type_trace, "type de tracé"}};
}

// The design selections; the handlers are bound afterwards, so none runs.
std::vector<Choices> radio_choices(TForm1& f) {
  return {
      {f.RadioGroup_peindre_dessiner, {"dessiner", "peind tant que", "peind j'usqu'à"}, int(ModePeinture::dessiner)},
      {f.RadioGroup_couleur_crayon, {"aléatoire", "choisie"}, int(ChoixCouleur::choisie)},
      {f.RadioGroup_couleur_peinture, {"aléatoire", "choisie"}, int(ChoixCouleur::choisie)},
      {f.RadioGroup_coul_type, {"normale", "vive", "dégradé", "gris"}, 0},
      {f.RadioGroup_type_trace,
       {"crayon", "lignes", "éventail", "points", "losanges", "délié elliptique"},
       int(TypeTrace::lignes)},
      {f.RadioGroup_symetrie,
       {"rosace", "vitrail", "miroir vertical", "4 quarts", "unique"},
       int(Symetrie::quatre_quarts)},
  };
}

// The rows of the pen-mode list.
const std::vector<std::string> kPenModeRows = {
    " 1 pmCopy        La couleur du crayon, spécifiée par la propriété Color",
    " 2 pmMerge       Combinaison de la couleur du crayon et de la couleur d'arrière-plan du canevas",
    " 3 pmMask        Combinaison des couleurs communes au crayon et à l'arrière-plan du canevas",
    " 4 pmMergeNotPen Combinaison de la couleur d'arrière-plan du canevas et de l'inverse de la couleur du crayon",
    " 5 pmXor         Combinaison des couleurs appartenant soit au crayon, soit à l'arrière-plan du canevas, mais pas aux deux",
    " 6 pmBlack       Toujours noir",
    " 7 pmWhite       Toujours blanc",
    " 8 pmNop         Non modifié",
    " 9 pmNot         Inverse de la couleur d'arrière-plan du canevas",
    "10 pmNotCopy     L'inverse de la couleur du crayon",
    "11 pmMergePenNot Combinaison de la couleur du crayon et de l'inverse de la couleur de l'arrière-plan du canevas",
    "12 pmMaskPenNot  Combinaison des couleurs communes au crayon et à l'inverse de l'arrière-plan du canevas",
    "13 pmMaskNotPen  Combinaison des couleurs communes à l'arrière-plan du canevas et l'inverse de la couleur du crayon",
    "14 pmNotMerge    Inverse de pmMerge: combinaison de la couleur du crayon et de la couleur d'arrière-plan du canevas",
    "15 pmNotMask     Inverse de pmMask: combinaison des couleurs communes au crayon et à l'arrière-plan du canevas",
    "16 pmNotXor      Inverse de pmXor: combinaison des couleurs appartenant soit au crayon, soit à l'arrière-plan du "
    "canevas, mais pas aux deux}",
};

// The help text, line by line.
const std::vector<std::string> kHelpLines = {
    "  Echap ou F1=> sortie",
    "",
    "Espace ou Clik droit : cacher ou montrer la barre d'outils",
    "",
    "E : effacer",
    "",
    "P : peindre tant que le fond est de la même couleur à l'endroit du prochain",
    "     clik gauche.",
    "",
    "K : Tout peindre de façon aléatoire",
    "M:  musique  (10..40 sons aléatoires) ",
    "",
    "C : nouveau centre de la nouvelle rosace",
    "",
    "F8, F9,flèche gauche, flèche droite :  annulation,  modification précédente ou ",
    "suivante ( Ctrl+Z, Ctrl+Maj+Z)",
    "",
    "F12 ou Echap : sortie demandée",
    "",
    "Si le menu est invisible :",
    "  1234567890 qsdfgh pour choisir parmi les 16 types de coloriage",
    "  w,W  => taille crayon - 1",
    "  x,X   => taille crayon + 1",
    "",
    "la touche ²  permet de remettre à 1 le type de coloriage",
};

// ---- the builders -------------------------------------------------------------

// Places a control of the tool panel with its caption (or text) and hint;
// labels, groups and boxes show the panel's colour through them.
void place(Panel& panel, const Placement& p) {
  Control& c = p.control;
  c.set_bounds(p.left, p.top, p.width, p.height);
  if (c.kind() == ControlKind::Edit) {
    static_cast<Edit&>(c).set_text(p.caption);
    c.set_color(clWindow);
  } else {
    c.set_caption(p.caption);
    c.set_color(clBtnFace);
  }
  c.set_hint(p.hint);
  c.set_show_hint(*p.hint != '\0');
  const bool follows_panel =
      c.kind() == ControlKind::Label || c.kind() == ControlKind::RadioGroup || c.kind() == ControlKind::CheckBox;
  c.set_parent_color(follows_panel);
  if (follows_panel) c.set_color(panel.color());
  panel.add_child(c);
}

// Ties an up-down to its edit; the form stores the position matching the
// edit's text.
void tie(const UpDownTie& t) {
  t.updown.set_range(t.min, t.max);
  t.updown.set_associate(&t.edit);
  if (auto v = try_str_to_int(t.edit.text())) t.updown.set_position(*v);
}

void look_as_designed(TForm1& f) {
  f.Panel_new_fond_noir.set_color(clBlack);
  f.Panel2.set_color(clWhite);
  f.Panel10.set_color(clRed);
  for (const Look& l : design_fonts(f)) l.control.set_font(l.font);
  for (Label* l : {&f.Label5, &f.Label6, &f.Label8, &f.Label9}) l->set_visible(false);
  for (Edit* e : {&f.Edit6, &f.Edit3, &f.Edit7, &f.Edit1, &f.Edit4}) e->set_read_only(true);
}

// The help panel and its two children.
void build_help_panel(TForm1& f) {
  f.Panel8.set_bounds(0, 0, 401, 425);
  f.Panel8.set_visible(false);
  f.Panel8.drag_automatic = true;
  f.Panel8.set_color(clBtnFace);
  f.SpeedButton_exit_help.set_bounds(367, 6, 23, 22);
  f.SpeedButton_exit_help.set_caption("X");
  f.SpeedButton_exit_help.set_font(font(11, clBlack, true));
  f.Memo1.set_bounds(8, 34, 385, 367);
  f.Memo1.set_color(clWindow);
  f.Memo1.set_lines(kHelpLines);
  f.Panel8.add_child(f.SpeedButton_exit_help);
  f.Panel8.add_child(f.Memo1);
}

}  // namespace

Control* TForm1::find_control(const std::string& name) const {
  for (Control* c : m_controls)
    if (c->name() == name) return c;
  return nullptr;
}

void TForm1::create_controls() {
  ScrollBox1.set_color(clSilver);
  ScrollBox1.add_child(Image1);
  Panel1.set_bounds(0, 0, 1377, 132);
  Panel1.set_hint("click droit pour changer la couleur  du menu ");
  Panel1.set_show_hint(true);
  Panel1.set_color(clBtnFace);
  m_controls = {&ScrollBox1, &Image1, &Panel1};

  for (const Placement& p : panel_placements(*this)) {
    place(Panel1, p);
    m_controls.push_back(&p.control);
  }
  look_as_designed(*this);
  for (const UpDownTie& t : updown_ties(*this)) tie(t);
  for (const Choices& c : radio_choices(*this)) {
    c.group.set_items(c.items);
    c.group.set_item_index(c.design_index);
  }
  ComboBox1.set_items(kPenModeRows);
  ComboBox1.drop_down_count = 16;

  build_help_panel(*this);
  m_controls.insert(m_controls.end(), {&Panel8, &SpeedButton_exit_help, &Memo1});
  for (auto& [control, name] : screen_reader_names(*this)) control.set_accessible_name(name);

  for (Control* c : m_controls)
    c->on_focus_request = [this](Control& target) {
      move_focus(&target);
      if (on_focus_changed) on_focus_changed();
    };
}

}  // namespace korvel
