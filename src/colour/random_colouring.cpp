// "K": the whole picture coloured at random. Sample points spread over the
// picture are each flood-painted, in every symmetric copy, with a new random
// colour: along one row near the centre for the rosettes (their copies carry
// each fill around), on a grid for the other symmetries. The run holds the
// user-interface thread; during the grid run only "stop" gets through.
#include <algorithm>

#include "app/choices.h"
#include "app/main_window.h"
#include "draw/replication.h"

namespace korvel {

namespace {

// The spacing of the samples along the row of the rosettes.
constexpr long long kPasLigne = 25;

// The progress of `position` over `total`, as shown: at most "100 %".
std::string pourcentage(long long position, long long total) {
  const double p = nearest(100.0 * double(position) / double(total));
  return IntToStr(std::min(100LL, static_cast<long long>(p))) + " %";
}

bool en_rosette(Symetrie symetrie) { return symetrie == Symetrie::rosace || symetrie == Symetrie::vitrail; }

}  // namespace

void TForm1::affiche_progression(Label& label, const std::string& texte) {
  label.set_caption(texte);
  desktop().repaint(label);
}

void TForm1::coloriage_aleatoire() {
  // The settings every fill uses are read once, first: a text that is not
  // an integer is reported before anything changes, not once per sample.
  const ReglagesTrace reglages = reglages_trace(Reglages::replication);
  // The run holds the input until its last step is done.
  const LongRun run(desktop());
  // Start: 1-3.
  desktop().set_cursor(crHourGlass);
  affiche_progression(Label_x, "---");
  affiche_progression(Label_y, "---");
  stop_demande = false;
  // 4-5. Chosen as the user would, so the reactions run; if they went back
  // to "dessiner" (the trace type was not "crayon"), the choice is made
  // again, which now holds: the run always paints.
  const int mode_sauve = RadioGroup_peindre_dessiner.item_index();
  const int couleur_sauvee = RadioGroup_couleur_peinture.item_index();
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  RadioGroup_couleur_peinture.set_choice(ChoixCouleur::aleatoire);
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  // The paint colour choice's own reaction selects "peind tant que": the
  // saved mode is selected once more so that both groups end as they were.
  const auto fin = [&] {
    RadioGroup_peindre_dessiner.set_item_index(mode_sauve);
    RadioGroup_couleur_peinture.set_item_index(couleur_sauvee);
    RadioGroup_peindre_dessiner.set_item_index(mode_sauve);
    desktop().set_cursor(crArrow);
  };
  // 6. A failure inside a fill still gives the modes and the cursor back.
  try {
    if (en_rosette(RadioGroup_symetrie.choice<Symetrie>()))
      coloriage_en_ligne(reglages);
    else
      coloriage_en_grille(reglages);
  } catch (...) {
    fin();
    throw;
  }
  // End: 1-4.
  fin();
  wb();
  vide_clavier();
}

void TForm1::coloriage_en_ligne(const ReglagesTrace& reglages) {
  const long long W = Image1.canvas().width();
  // 1. A row 0 to 24 pixels above the centre, its phase from the mouse.
  const TPoint souris = desktop().cursor_pos();
  long long x = souris.x % kPasLigne;
  const long long y = centre_y - (souris.y % kPasLigne);
  // 2.
  affiche_progression(Label_y, "100 %");
  // 3.
  while (x <= W) {
    coul_peinture = coul_aleatoire();
    Panel_peinture.set_color(coul_peinture);
    const TPoint p{int(x), int(std::clamp<long long>(y, INT32_MIN, INT32_MAX))};
    if (Image1.canvas().Pixels(p.x, p.y) != coul_peinture) {
      trace_symetrique(p, p, mode_crayon, coul_peinture, reglages);
      // The colour really painted there (the pen mode may change it); a
      // point outside the picture has none and keeps the drawn colour.
      const TColor maintenant = Image1.canvas().Pixels(p.x, p.y);
      if (maintenant != clInvalid) coul_peinture = maintenant;
    }
    x += kPasLigne;
    affiche_progression(Label_x, pourcentage(x, W + 10));
  }
  // 4.
  desktop().repaint(Image1);
}

void TForm1::coloriage_en_grille(const ReglagesTrace& reglages) {
  const long long W = Image1.canvas().width(), H = Image1.canvas().height();
  // 1. One spacing for both directions; the phase from the mouse.
  const long long s = 100 + Random(50);
  long long y = desktop().cursor_pos().y % s;
  // 2.
  while (y <= H + 10) {
    long long x = desktop().cursor_pos().x % s;
    while (x <= W + 10) {
      coul_peinture = coul_aleatoire();
      // Points beyond the edges read no colour and are handed on: their
      // copies inside the picture are painted.
      const TPoint p{int(x), int(y)};
      const TColor sous = Image1.canvas().Pixels(p.x, p.y);
      if (sous != coul_peinture && sous != coul_crayon) trace_symetrique(p, p, mode_crayon, coul_peinture, reglages);
      x += s;
      affiche_progression(Label_x, pourcentage(x, W + 10));
      desktop().let_stop_through();
      if (stop_demande) return;
    }
    y += s;
    affiche_progression(Label_y, pourcentage(y, H + 10));
  }
}

void TForm1::Panel6Click() { coloriage_aleatoire(); }

void TForm1::Panel_stopClick() { stop_demande = true; }

void TForm1::vide_clavier() {
  ++vidages_clavier;
  desktop().flush_keyboard();
}

}  // namespace korvel
