// Stroke capture: the mouse over the picture becomes segments for the
// replication driver, and the end of each stroke (snapshot, colour renewal,
// arming of the tool panel's automatic hiding). "délié elliptique" events go
// whole to the elliptical stroke.
#include "app/main_window.h"
#include "draw/replication.h"

namespace korvel {

namespace {

bool trait_a_deux_clics(TypeTrace type) { return type == TypeTrace::lignes || type == TypeTrace::losanges; }

bool trait_continu(TypeTrace type) {
  return type == TypeTrace::crayon || type == TypeTrace::eventail || type == TypeTrace::points;
}

}  // namespace

void TForm1::FormMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TypeTrace type = RadioGroup_type_trace.choice<TypeTrace>();
  const bool peinture = RadioGroup_peindre_dessiner.choice<ModePeinture>() != ModePeinture::dessiner;
  // 1. Centre choice takes the press, whatever the button and trace type.
  if (choix_centre) {
    centre_x = X;
    centre_y = Y;
    return;
  }
  // 2.
  if (type == TypeTrace::delie_elliptique) {
    _FormMouseDown_ellipse(Button, Shift, X, Y);
    return;
  }
  // 3.
  if (Button == mbRight && type != TypeTrace::lignes) return;
  // 4.
  trace_en_cours = true;
  pt_depart = {X, Y};
  // 5. A press paints at its own point in every copy.
  if (trait_continu(type)) {
    pt_courant = pt_depart;
    if (peinture) trace_symetrique(pt_courant, pt_courant, mode_crayon, coul_crayon);
    return;
  }
  // 6. Two-click lines.
  if (!trait_a_deux_clics(type)) return;
  if (Button != mbLeft) {
    // Cancel: the last rubber band drawn once more in XOR goes away.
    ligne_en_cours = false;
    trace_symetrique(elastique_debut, elastique_fin, pmXor, coul_crayon);
    pt_courant = {X, Y};
    pt_depart = {X, Y};
  } else if (!ligne_en_cours) {
    ligne_en_cours = true;
    pt_courant = pt_depart;
    Image1.canvas().Pen.Width = reglages_trace(Reglages::trait).epaisseur;
  } else {
    // The final line, in plain copy whatever mode_crayon says.
    trace_symetrique(elastique_debut, pt_depart, pmCopy, coul_crayon);
    ligne_en_cours = false;
  }
}

void TForm1::FormMouseMove(TShiftState Shift, int X, int Y) {
  const TypeTrace type = RadioGroup_type_trace.choice<TypeTrace>();
  // 1.
  if (type == TypeTrace::delie_elliptique) {
    _FormMouseMove_ellipse(Shift, X, Y);
    return;
  }
  // 2-3.
  souris_x = X;
  souris_y = Y;
  if (choix_centre || RadioGroup_peindre_dessiner.choice<ModePeinture>() != ModePeinture::dessiner) return;
  // 4. The rubber band, with or without a button held.
  if (trait_a_deux_clics(type) && ligne_en_cours) {
    trace_symetrique(pt_depart, pt_courant, pmXor, coul_crayon);
    pt_courant = {X, Y};
    trace_symetrique(pt_depart, pt_courant, pmXor, coul_crayon);
    elastique_debut = pt_depart;
    elastique_fin = pt_courant;
    return;
  }
  // 5.
  if (!trace_en_cours) return;
  pt_courant = {X, Y};
  switch (type) {
    case TypeTrace::crayon:
      trace_symetrique(pt_depart, pt_courant, mode_crayon, coul_crayon);
      pt_depart = pt_courant;
      break;
    case TypeTrace::eventail:
      trace_symetrique(pt_depart, pt_courant, mode_crayon, coul_crayon);
      break;
    case TypeTrace::points: {
      // One dot at the mouse, not replicated, with the canvas's pen and brush.
      Canvas& canvas = Image1.canvas();
      canvas.Pen.Mode = mode_crayon;
      canvas.Ellipse(X - 2, Y - 2, X + 2, Y + 2);
      break;
    }
    default:
      break;
  }
}

void TForm1::FormMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TypeTrace type = RadioGroup_type_trace.choice<TypeTrace>();
  // 1.
  if (type == TypeTrace::delie_elliptique) {
    _FormMouseUp_ellipse(Button, Shift, X, Y);
    return;
  }
  // 2-5.
  wb();
  trace_en_cours = false;
  choix_centre = false;
  desktop().set_cursor(crArrow);
  Label1.set_caption("");
  // 6. The right button shows or hides the tool panel.
  if (Button == mbRight && !trait_a_deux_clics(type)) commande_touche(vk::Space);
  // 7-8. The colour of the next stroke or fill.
  const bool peinture = RadioGroup_peindre_dessiner.choice<ModePeinture>() != ModePeinture::dessiner;
  if (!peinture && RadioGroup_couleur_crayon.choice<ChoixCouleur>() == ChoixCouleur::aleatoire) {
    coul_crayon_prec = coul_crayon;
    coul_crayon = coul_aleatoire();
    Panel_crayon.set_color(coul_crayon);
    Panel9.set_color(Panel_crayon.color());
  }
  if (peinture && RadioGroup_couleur_peinture.choice<ChoixCouleur>() == ChoixCouleur::aleatoire) {
    coul_peinture_prec = coul_peinture;
    coul_peinture = coul_aleatoire();
    Panel_peinture.set_color(coul_peinture);
  }
  // 9. Arms the automatic hiding when the panel is docked in view.
  if (Button == mbLeft && Panel1.visible() && Panel1.top() == top_menu) {
    menu_a_cacher = true;
    menu_descend = false;
  }
}

void TForm1::Panel3Click() {
  Label1.set_caption("clik au centre");
  choix_centre = true;
  desktop().set_cursor(crCross);
  _ws();
}

}  // namespace korvel
