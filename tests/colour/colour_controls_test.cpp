// The colour controls through a started window: the swatches and the one
// colour dialog, driven by the fake desktop's queued answers.
#include <gtest/gtest.h>

#include "app/choices.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::ColourAnswer;
using testing::StartedForm;

constexpr TColor kBleu = RGB(10, 20, 200);
constexpr TColor kRose = RGB(250, 100, 180);

int mode(StartedForm& f) { return f->RadioGroup_peindre_dessiner.item_index(); }
int choix_crayon(StartedForm& f) { return f->RadioGroup_couleur_crayon.item_index(); }
int choix_peinture(StartedForm& f) { return f->RadioGroup_couleur_peinture.item_index(); }

TEST(PenSwatch, CancellingSelectsDrawingAndChangesNoColour) {
  for (const ColourAnswer& answer : {ColourAnswer::cancel(), ColourAnswer::close()}) {
    StartedForm f;
    f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::peind_tant_que));
    const TColor before = f->coul_crayon;
    f.desktop.colour_answers.push_back(answer);
    f->Panel_crayon.click();
    EXPECT_EQ(mode(f), int(ModePeinture::dessiner));
    EXPECT_EQ(f->coul_crayon, before);
    EXPECT_EQ(f->Panel_crayon.color(), before);
    EXPECT_EQ(choix_crayon(f), int(ChoixCouleur::aleatoire));
    EXPECT_EQ(f->ColorDialog1_Color, clBlack);  // nothing confirmed yet
  }
}

TEST(PenSwatch, ConfirmingWhilePaintingChoosesThePenColourAndDrawing) {
  StartedForm f;
  f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::peind_tant_que));
  f.desktop.colour_answers.push_back(ColourAnswer::pick(kBleu));
  f->Panel_crayon.click();
  EXPECT_EQ(mode(f), int(ModePeinture::dessiner));
  EXPECT_EQ(choix_crayon(f), int(ChoixCouleur::choisie));
  EXPECT_EQ(f->coul_crayon, kBleu);
  EXPECT_EQ(f->Panel_crayon.color(), kBleu);
  EXPECT_EQ(f->Panel9.color(), kBleu);
}

TEST(PaintSwatch, ConfirmingChoosesThePaintColourAndPainting) {
  StartedForm f;
  ASSERT_EQ(f->RadioGroup_type_trace.item_index(), int(TypeTrace::crayon));
  f.desktop.colour_answers.push_back(ColourAnswer::pick(kRose));
  f->Panel_peinture.click();
  EXPECT_EQ(mode(f), int(ModePeinture::peind_tant_que));
  EXPECT_EQ(choix_peinture(f), int(ChoixCouleur::choisie));
  EXPECT_EQ(f->coul_peinture, kRose);
  EXPECT_EQ(f->Panel_peinture.color(), kRose);
}

TEST(PaintSwatch, FromAnotherTraceTypeTheConfirmedChoiceEndsPainting) {
  // Confirmed: the choice's cascade sets "crayon", whose own cascade goes
  // back to "dessiner"; the swatch's last step then selects painting, which
  // holds. Cancelled: only that last step runs, and its cascade ends in
  // "dessiner", as a user's own first choice of painting would.
  const struct { ColourAnswer answer; ModePeinture ends; } cases[] = {
      {ColourAnswer::pick(kRose), ModePeinture::peind_tant_que}, {ColourAnswer::cancel(), ModePeinture::dessiner}};
  for (const auto& c : cases) {
    StartedForm f;
    f->RadioGroup_type_trace.set_item_index(int(TypeTrace::lignes));
    f.desktop.colour_answers.push_back(c.answer);
    f->Panel_peinture.click();
    EXPECT_EQ(mode(f), int(c.ends));
    EXPECT_EQ(f->RadioGroup_type_trace.item_index(), int(TypeTrace::crayon));
  }
}

TEST(PaintSwatch, CancellingStillSelectsPaintingAndKeepsTheColour) {
  StartedForm f;
  const TColor before = f->coul_peinture;
  f.desktop.colour_answers.push_back(ColourAnswer::close());
  f->Panel_peinture.click();
  EXPECT_EQ(mode(f), int(ModePeinture::peind_tant_que));
  EXPECT_EQ(f->coul_peinture, before);
  EXPECT_EQ(choix_peinture(f), int(ChoixCouleur::aleatoire));
}

TEST(ColourDialog, OpensOnTheColourConfirmedLastInAnyUse) {
  StartedForm f;
  auto& d = f.desktop;
  d.colour_answers = {ColourAnswer::pick(kBleu), ColourAnswer::pick(kRose), ColourAnswer::cancel(),
                      ColourAnswer::pick(0x123456), ColourAnswer::close()};
  f->Panel_crayonClick();   // pen: blue
  f->Panel10Click();        // "dégradé" origin: pink
  f->Panel4Click();         // cancelled
  f->Panel1MouseDown(mbRight, 0, 3, 3);  // menu
  f->Panel_peintureClick();  // closed
  EXPECT_EQ(d.colour_dialog_starts, (std::vector<TColor>{clBlack, kBleu, kRose, kRose, 0x123456}));
  EXPECT_EQ(f->Panel10.color(), kRose);
}

TEST(ColourDialog, OffersTheCustomColoursAndKeepsTheUsersEditsForTheRun) {
  StartedForm f;
  auto& d = f.desktop;
  d.colour_answers.push_back(ColourAnswer::cancel().editing(1, kBleu));
  d.colour_answers.push_back(ColourAnswer::pick(kRose).editing(15, kRose));
  f->Panel10Click();
  f->Panel10Click();
  f->Panel10Click();
  ASSERT_EQ(d.colour_dialog_customs.size(), 3u);
  // The sixteen boxes A to P as the start-up list writes them.
  CustomColours offered = {0x4080FF, 0xDAFEE7, 0xD9FAFF, 0xFFE0B3, 0xE1EAFD, 0xFDE1EC, 0xFDE1FB, 0xDDF5FF,
                           0x4080FF, 0x8AF0FF, 0xFFC164, 0xFFC46A, 0xADC6FA, 0xFBC8DC, 0xF9FBB7, 0xB0D8F5};
  EXPECT_EQ(d.colour_dialog_customs[0], offered);
  offered[1] = kBleu;  // kept although cancelled
  EXPECT_EQ(d.colour_dialog_customs[1], offered);
  offered[15] = kRose;
  EXPECT_EQ(d.colour_dialog_customs[2], offered);
  EXPECT_EQ(f->ColorDialog1_CustomColors, offered);
}

TEST(MenuColour, Panel4RecoloursTheToolPanelAndItself) {
  StartedForm f;
  f.desktop.colour_answers.push_back(ColourAnswer::pick(kBleu));
  f->Panel4.click();
  EXPECT_EQ(f->Panel4.color(), kBleu);
  EXPECT_EQ(f->Panel1.color(), kBleu);
  EXPECT_EQ(f->Label_x.color(), kBleu);  // labels show the panel through them
}

TEST(MenuColour, ARightPressOnTheBarePanelRecoloursOnlyThePanel) {
  StartedForm f;
  const TColor panel4 = f->Panel4.color();
  f->Panel1.OnMouseDown(mbLeft, ssLeft, 5, 5);
  f->Panel1.OnMouseDown(mbMiddle, ssMiddle, 5, 5);
  EXPECT_TRUE(f.desktop.colour_dialog_starts.empty());
  f.desktop.colour_answers.push_back(ColourAnswer::pick(kRose));
  f->Panel1.OnMouseDown(mbRight, ssRight, 5, 5);
  EXPECT_EQ(f.desktop.colour_dialog_starts.size(), 1u);
  EXPECT_EQ(f->Panel1.color(), kRose);
  EXPECT_EQ(f->Panel4.color(), panel4);
}

TEST(ColourChoiceGroups, SelectTheirMode) {
  StartedForm f;
  f->RadioGroup_couleur_peinture.set_item_index(int(ChoixCouleur::choisie));
  EXPECT_EQ(mode(f), int(ModePeinture::peind_tant_que));
  f->RadioGroup_couleur_crayon.set_item_index(int(ChoixCouleur::choisie));
  EXPECT_EQ(mode(f), int(ModePeinture::dessiner));
}

TEST(ColourChoiceGroups, JusquaPutsTheLastStrokesColourBackOnlyWhenRandom) {
  StartedForm f;
  f->coul_crayon_prec = kBleu;
  f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::peind_jusqua));
  EXPECT_EQ(f->coul_crayon, kBleu);
  EXPECT_EQ(f->Panel9.color(), kBleu);
  EXPECT_EQ(choix_crayon(f), int(ChoixCouleur::choisie));
  // The renewal after a stroke now leaves the pen colour alone.
  f->FormMouseDown(mbLeft, ssLeft, 10, 10);
  f->FormMouseUp(mbLeft, 0, 10, 10);
  EXPECT_EQ(f->coul_crayon, kBleu);

  StartedForm g;
  g.desktop.colour_answers.push_back(ColourAnswer::pick(kRose));
  g->Panel_crayonClick();
  g->coul_crayon_prec = kBleu;
  g->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::peind_jusqua));
  EXPECT_EQ(g->coul_crayon, kRose);
}

}  // namespace
}  // namespace korvel
