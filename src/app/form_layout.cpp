// The window's controls as the form designer laid them out: positions are
// the design positions, before ModifierLeftDansPanel centres the block.
#include <initializer_list>

#include "app/main_window.h"

namespace korvel {

namespace {

struct Placement {
  Control& control;
  int left, top, width, height;
  const char* caption;  // the caption, or the text of an edit
  const char* hint;
};

struct UpDownTie {
  UpDown& updown;
  Edit& edit;
  int min, max;
};

constexpr int kUpDownWidth = 16;

TFont font(int size_px, TColor color = clBlack, bool bold = false) { return {size_px, color, bold}; }

}  // namespace

Control* TForm1::find_control(const std::string& name) const {
  for (Control* c : m_controls)
    if (c->name() == name) return c;
  return nullptr;
}

void TForm1::create_controls() {
  ScrollBox1.set_color(clSilver);
  m_controls = {&ScrollBox1, &Image1, &Panel1};
  ScrollBox1.add_child(Image1);
  Panel1.set_bounds(0, 0, 1377, 132);
  Panel1.set_hint("click droit pour changer la couleur  du menu ");
  Panel1.set_show_hint(true);
  Panel1.set_color(clBtnFace);

  const std::initializer_list<Placement> panel_controls = {
      {Panel_new_fond_noir, 8, 6, 49, 25, "New", ""},
      {Panel2, 64, 6, 49, 25, "New", ""},
      {RadioGroup_peindre_dessiner, 3, 32, 97, 77, "", ""},
      {Panel9, 99, 91, 19, 18, "<", ""},
      {Label7, 133, 27, 0, 0, "clones", ""},
      {Edit6, 130, 45, 26, 25, "1", ""},
      {UpDown5, 156, 45, kUpDownWidth, 25, "", ""},
      {Label3, 129, 86, 0, 0, "épaisseur", ""},
      {Edit3, 177, 82, 34, 24, "1", ""},
      {UpDown2, 211, 82, kUpDownWidth, 24, "", ""},
      {CheckBox_epaisseur, 144, 106, 61, 17, "aléatoire", "épaisseur variable des tracés"},
      {RadioGroup_couleur_crayon, 181, 8, 87, 47, "Couleur  crayon", ""},
      {Panel_crayon, 184, 58, 84, 18, "crayon", ""},
      {RadioGroup_couleur_peinture, 272, 8, 97, 47, "Couleur peinture", ""},
      {Panel_peinture, 272, 58, 97, 17, "peinture", ""},
      {CheckBox_ombre_1, 240, 83, 65, 17, "ombre 1", "ombre dégradée => valeur"},
      {CheckBox_ombre_2, 241, 101, 65, 17, "ombre 2", "ombre dégradée => valeur"},
      {Edit7, 307, 82, 27, 23, "12", "largeur de l'ombre"},
      {UpDown6, 334, 82, kUpDownWidth, 23, "", ""},
      {RadioGroup_coul_type, 376, 8, 73, 105, "Coul_type", ""},
      {Panel10, 448, 66, 19, 18, "", "couleur d'origine du dégradé"},
      {RadioGroup_type_trace, 471, 8, 98, 111, "", ""},
      {RadioGroup_symetrie, 572, 8, 97, 111, "Symétrie", ""},
      {Label2, 672, 3, 0, 0, "nb de pétales", ""},
      {Edit1, 676, 20, 34, 32, "24", ""},
      {UpDown1, 710, 20, kUpDownWidth, 32, "", ""},
      {ComboBox1, 677, 55, 684, 21, "", "Choix du mode de tracé parmi 16   (1..90qsdfgh)  sans menu)"},
      {CheckBox_spirale, 671, 92, 73, 17, "Spirale", ""},
      {Label1, 744, 3, 0, 0, "Clique au centre", ""},
      {Panel3, 749, 22, 56, 29, "Centre", "choisir le centre (C)"},
      {Edit4, 751, 91, 27, 32, "20", ""},
      {UpDown3, 778, 91, kUpDownWidth, 32, "", ""},
      {Label4, 801, 86, 0, 0, "tour(s) f =", ""},
      {Panel7, 824, 22, 44, 29, "Sauve", ""},
      {Panel5, 871, 22, 44, 29, "Ouvrir", ""},
      {Label_rep, 880, 4, 0, 0, "répertoire", "répertoire de la dernière images enregistrée "},
      {Edit5, 914, 90, 57, 29, "975", ""},
      {UpDown4, 971, 90, kUpDownWidth, 29, "", ""},
      {Panel6, 918, 22, 47, 29, "K", "coloriage aléatoire"},
      {Panel_stop, 971, 22, 48, 29, "stop", ""},
      {Label_x, 1026, 32, 0, 0, "X", ""},
      {Label_y, 1068, 32, 0, 0, "Y", ""},
      {Edit2, 1052, 104, 77, 21, "piège à focus", ""},
      {CheckBox_panel_disparait_auto, 1053, 83, 180, 17, "Menu disparait automatiquement", ""},
      {Panel12, 1119, 22, 31, 28, "Aide", ""},
      {Panel_quit, 1156, 22, 48, 29, "Quit", ""},
      {Panel11, 1171, 101, 56, 25, "F8 <=", "Ctrl + Z"},
      {Edit_nom_generique, 1224, 24, 121, 21, "image.bmp", "nom générique des images  "},
      {Panel13, 1234, 101, 45, 24, "F9 =>", "Ctrl +Maj + Z"},
      {Panel4, 1294, 101, 67, 25, "coul menu", "modifie le fond de la palette d'outils"},
      {Label10, 9, 114, 0, 0, "Korvel v2.1", ""},
      {Label5, 712, 79, 0, 0, "Label5", ""},
      {Label6, 1238, 78, 0, 0, "Label6", ""},
      {Label8, 1245, 6, 0, 0, "Label8", ""},
      {Label9, 1302, 5, 0, 0, "Label9", ""},
  };
  for (const Placement& p : panel_controls) {
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
    // Labels, groups and boxes show the tool panel's colour through them.
    const bool follows_panel = c.kind() == ControlKind::Label || c.kind() == ControlKind::RadioGroup ||
                               c.kind() == ControlKind::CheckBox;
    c.set_parent_color(follows_panel);
    if (follows_panel) c.set_color(Panel1.color());
    Panel1.add_child(c);
    m_controls.push_back(&c);
  }

  // Colours and fonts that differ from the defaults.
  Panel_new_fond_noir.set_color(clBlack);
  Panel_new_fond_noir.set_font(font(11, clWhite));
  Panel2.set_color(clWhite);
  Panel10.set_color(clRed);
  Edit6.set_font(font(21));
  Edit1.set_font(font(21));
  for (Control* c : std::initializer_list<Control*>{&Label3, &Edit3, &CheckBox_epaisseur, &Edit4, &Edit5})
    c->set_font(font(11, clMaroon));
  Label4.set_font(font(25, clMaroon));
  CheckBox_spirale.set_font(font(11, clMaroon, true));
  Label10.set_font(font(11, clPurple));
  for (Label* l : {&Label5, &Label6, &Label8, &Label9}) l->set_visible(false);
  for (Edit* e : {&Edit6, &Edit3, &Edit7, &Edit1, &Edit4}) e->set_read_only(true);

  for (const UpDownTie& t : std::initializer_list<UpDownTie>{{UpDown5, Edit6, 0, 100},
                                                              {UpDown2, Edit3, 1, 100},
                                                              {UpDown6, Edit7, 1, 100},
                                                              {UpDown1, Edit1, 0, 100},
                                                              {UpDown3, Edit4, 1, 100},
                                                              {UpDown4, Edit5, 10, 1000}}) {
    t.updown.set_range(t.min, t.max);
    t.updown.set_associate(&t.edit);
    // The form stores the position matching the edit's text.
    if (auto v = try_str_to_int(t.edit.text())) t.updown.set_position(*v);
  }

  // Design selections; the handlers are bound afterwards, so nothing runs.
  RadioGroup_peindre_dessiner.set_items({"dessiner", "peind tant que", "peind j'usqu'à"});
  RadioGroup_peindre_dessiner.set_item_index(0);
  RadioGroup_couleur_crayon.set_items({"aléatoire", "choisie"});
  RadioGroup_couleur_crayon.set_item_index(1);
  RadioGroup_couleur_peinture.set_items({"aléatoire", "choisie"});
  RadioGroup_couleur_peinture.set_item_index(1);
  RadioGroup_coul_type.set_items({"normale", "vive", "dégradé", "gris"});
  RadioGroup_coul_type.set_item_index(0);
  RadioGroup_type_trace.set_items({"crayon", "lignes", "éventail", "points", "losanges", "délié elliptique"});
  RadioGroup_type_trace.set_item_index(1);
  RadioGroup_symetrie.set_items({"rosace", "vitrail", "miroir vertical", "4 quarts", "unique"});
  RadioGroup_symetrie.set_item_index(3);
  ComboBox1.set_items({
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
  });
  ComboBox1.drop_down_count = 16;

  // The help panel and its two children.
  Panel8.set_bounds(0, 0, 401, 425);
  Panel8.set_visible(false);
  Panel8.drag_automatic = true;
  Panel8.set_color(clBtnFace);
  SpeedButton_exit_help.set_bounds(367, 6, 23, 22);
  SpeedButton_exit_help.set_caption("X");
  SpeedButton_exit_help.set_font(font(11, clBlack, true));
  Memo1.set_bounds(8, 34, 385, 367);
  Memo1.set_color(clWindow);
  Memo1.set_lines({
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
  });
  Panel8.add_child(SpeedButton_exit_help);
  Panel8.add_child(Memo1);
  m_controls.push_back(&Panel8);
  m_controls.push_back(&SpeedButton_exit_help);
  m_controls.push_back(&Memo1);

  for (Control* c : m_controls)
    c->on_focus_request = [this](Control& target) {
      move_focus(&target);
      if (on_focus_changed) on_focus_changed();
    };
}

}  // namespace korvel
