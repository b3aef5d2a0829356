// The tool panel: automatic hiding, the help panel, and the handlers that
// keep the choices consistent.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

enum { dessiner = 0, peind_tant_que = 1, peind_jusqua = 2 };
enum { crayon = 0, lignes = 1 };
enum { aleatoire = 0, choisie = 1 };

struct Outcome {
  int choice, trace_before, colour_before;
  int mode_after, trace_after, colour_after;
};

class PaintModeOutcomes : public ::testing::TestWithParam<Outcome> {};

TEST_P(PaintModeOutcomes, AUsersChoiceEndsAsTheCascadesSay) {
  const Outcome o = GetParam();
  StartedForm f;
  f->RadioGroup_type_trace.set_item_index(o.trace_before);
  f->RadioGroup_couleur_crayon.set_item_index(o.colour_before);
  f->RadioGroup_peindre_dessiner.set_item_index(dessiner);
  f->RadioGroup_peindre_dessiner.set_item_index(o.choice);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), o.mode_after);
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), o.trace_after);
  EXPECT_EQ(f->RadioGroup_couleur_crayon.item_index(), o.colour_after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaintModeOutcomes,
    ::testing::Values(Outcome{peind_tant_que, crayon, aleatoire, peind_tant_que, crayon, aleatoire},
                      Outcome{peind_tant_que, crayon, choisie, peind_tant_que, crayon, choisie},
                      Outcome{peind_tant_que, lignes, aleatoire, dessiner, crayon, aleatoire},
                      Outcome{peind_tant_que, lignes, choisie, dessiner, crayon, choisie},
                      Outcome{peind_jusqua, crayon, aleatoire, peind_jusqua, crayon, choisie},
                      Outcome{peind_jusqua, crayon, choisie, peind_jusqua, crayon, choisie},
                      Outcome{peind_jusqua, lignes, aleatoire, dessiner, crayon, choisie},
                      Outcome{peind_jusqua, lignes, choisie, dessiner, crayon, choisie}));

TEST(PaintMode, ChoosingAgainHoldsOnceTheTraceIsCrayon) {
  StartedForm f;
  f->RadioGroup_type_trace.set_item_index(3);
  f->RadioGroup_peindre_dessiner.set_item_index(peind_tant_que);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), dessiner);
  f->RadioGroup_peindre_dessiner.set_item_index(peind_tant_que);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), peind_tant_que);
}

TEST(PaintMode, JusquaRestoresTheLastStrokesColourOnlyWhenRandom) {
  StartedForm f;
  f->coul_crayon_prec = 0x123456;
  f->coul_crayon = 0x654321;
  f->RadioGroup_peindre_dessiner.set_item_index(peind_jusqua);
  EXPECT_EQ(f->coul_crayon, 0x123456u);
  EXPECT_EQ(f->Panel_crayon.color(), 0x123456u);
  EXPECT_EQ(f->Panel9.color(), 0x123456u);

  StartedForm g;
  g->RadioGroup_couleur_crayon.set_item_index(choisie);
  g->coul_crayon_prec = 0x123456;
  g->coul_crayon = 0x654321;
  g->RadioGroup_peindre_dessiner.set_item_index(peind_jusqua);
  EXPECT_EQ(g->coul_crayon, 0x654321u);
}

TEST(PaintMode, FocusEnteringTheGroupAppliesTheRuleToItsCurrentIndex) {
  StartedForm f;
  f->RadioGroup_peindre_dessiner.set_item_index(peind_tant_que);
  f->RadioGroup_type_trace.OnClick = nullptr;  // keep the index while the trace changes
  f->RadioGroup_type_trace.set_item_index(lignes);
  f->menu_a_cacher = true;
  f->RadioGroup_peindre_dessiner.OnEnter();
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), crayon);
  EXPECT_FALSE(f->menu_a_cacher);
}

TEST(Choices, SymmetryTraceAndModeChangesCancelThePendingHiding) {
  StartedForm f;
  f->menu_a_cacher = true;
  f->RadioGroup_symetrie.set_item_index(0);  // already chosen: runs nothing
  EXPECT_TRUE(f->menu_a_cacher);
  f->RadioGroup_symetrie.set_item_index(2);
  EXPECT_FALSE(f->menu_a_cacher);
  f->menu_a_cacher = true;
  f->RadioGroup_type_trace.set_item_index(4);
  EXPECT_FALSE(f->menu_a_cacher);
  f->menu_a_cacher = true;
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  EXPECT_FALSE(f->menu_a_cacher);
}

TEST(Choices, TheTwoShadowsExcludeEachOther) {
  StartedForm f;
  f->CheckBox_ombre_1.click();
  f->CheckBox_ombre_2.click();
  EXPECT_TRUE(f->CheckBox_ombre_2.checked());
  EXPECT_FALSE(f->CheckBox_ombre_1.checked());
  f->CheckBox_ombre_1.click();
  EXPECT_TRUE(f->CheckBox_ombre_1.checked());
  EXPECT_FALSE(f->CheckBox_ombre_2.checked());
  f->CheckBox_ombre_1.click();
  EXPECT_FALSE(f->CheckBox_ombre_1.checked());
  EXPECT_FALSE(f->CheckBox_ombre_2.checked());
}

TEST(Choices, CloneCountFollowsTheEditText) {
  StartedForm f;
  f->UpDown5.click_up();
  EXPECT_EQ(f->Edit6.text(), "2");
  EXPECT_EQ(f->nb_clones, 2);
  f->UpDown5.click_down();
  f->UpDown5.click_down();
  EXPECT_EQ(f->nb_clones, 0);
}

TEST(Choices, RandomWidthPutsTheFocusOnTheTrap) {
  StartedForm f;
  f->focused_control = &f->Edit5;
  f->CheckBox_epaisseur.click();
  EXPECT_EQ(f->focused_control, &f->Edit2);
}

TEST(HelpPanel, AideTogglesIt) {
  StartedForm f;
  f->Panel12.click();
  EXPECT_TRUE(f->Panel8.visible());
  f->Panel12.click();
  EXPECT_FALSE(f->Panel8.visible());
}

// Ticks the two timers as the clock would: Timer2 every 20 ms once fast.
struct Clock {
  StartedForm& f;
  void seconds(int s) {
    for (int i = 0; i < s; ++i) {
      f->Timer1.tick();
      for (int k = 0; k < 50; ++k) f->Timer2.tick();
    }
  }
};

TEST(AutomaticHiding, SlidesAboutFiftyPixelsASecondThenParks) {
  StartedForm f(1024, 768);
  f->CheckBox_panel_disparait_auto.set_checked(true);
  f->menu_a_cacher = true;  // as a left release on the picture arms it
  f->Timer2.tick();
  EXPECT_EQ(f->Timer2.interval(), 20);
  EXPECT_EQ(f->Panel1.top(), f->top_menu);  // not yet descending
  f->Timer1.tick();
  EXPECT_EQ(f->Timer1.interval(), 10000);
  EXPECT_TRUE(f->menu_descend);
  for (int k = 0; k < 50; ++k) f->Timer2.tick();
  EXPECT_EQ(f->Panel1.align(), alNone);
  EXPECT_EQ(f->Panel1.top(), f->top_menu + 50);
  EXPECT_EQ(f->ScrollBox1.height(), 768);
  for (int k = 0; k < 200; ++k) f->Timer2.tick();
  EXPECT_EQ(f->Panel1.top(), 768);
  EXPECT_FALSE(f->menu_descend);
  EXPECT_FALSE(f->menu_a_cacher);
  EXPECT_TRUE(f->Panel1.visible());
  // Parked: the pen-mode keys work; space brings it back.
  char32_t c = U'5';
  f->FormKeyPress(c);
  EXPECT_EQ(f->mode_crayon, pmXor);
  std::uint16_t space = vk::Space;
  f->FormKeyDown(space, 0);
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
}

TEST(AutomaticHiding, TheMouseOnThePanelStopsTheSlideUntilTheNextTick) {
  StartedForm f(1024, 768);
  f->CheckBox_panel_disparait_auto.set_checked(true);
  f->menu_a_cacher = true;
  Clock{f}.seconds(1);
  ASSERT_GT(f->Panel1.top(), f->top_menu);
  f->Panel1MouseMove(0, 600, 10);
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
  EXPECT_FALSE(f->menu_descend);
  EXPECT_TRUE(f->menu_a_cacher);
  for (int k = 0; k < 30; ++k) f->Timer2.tick();
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
  Clock{f}.seconds(1);
  EXPECT_GT(f->Panel1.top(), f->top_menu);
}

TEST(AutomaticHiding, NothingSlidesWithTheBoxUncheckedAndAPendingSlideStartsWhenChecked) {
  StartedForm f(1024, 768);
  f->menu_a_cacher = true;
  Clock{f}.seconds(3);
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
  EXPECT_EQ(f->Timer2.interval(), 1000);
  EXPECT_TRUE(f->menu_descend);
  f->CheckBox_panel_disparait_auto.set_checked(true);
  f->Timer2.tick();
  EXPECT_EQ(f->Panel1.top(), f->top_menu + 1);
}

TEST(AutomaticHiding, ALeftReleaseOnThePictureArmsItOnlyWithThePanelDocked) {
  StartedForm f(320, 240);
  f->FormMouseDown(mbLeft, 0, 10, 10);
  f->FormMouseUp(mbLeft, 0, 10, 10);
  EXPECT_TRUE(f->menu_a_cacher);
  f->_ws();
  f->FormMouseDown(mbRight, 0, 10, 10);
  f->FormMouseUp(mbRight, 0, 10, 10);
  EXPECT_FALSE(f->menu_a_cacher);
  f->Panel1.set_visible(true);
  f->Panel1.set_align(alNone);
  f->Panel1.set_top(f->top_menu + 3);
  f->FormMouseDown(mbLeft, 0, 10, 10);
  f->FormMouseUp(mbLeft, 0, 10, 10);
  EXPECT_FALSE(f->menu_a_cacher);
}

TEST(PanelHint, ShownOnlyInTheMarginsOutsideTheControls) {
  StartedForm f(1920, 1080);
  const int first = f->RadioGroup_peindre_dessiner.left();
  const int last = f->Panel4.left();
  f->Panel1MouseMove(0, first - 51, 5);
  EXPECT_TRUE(f->Panel1.show_hint());
  f->Panel1MouseMove(0, first - 50, 5);
  EXPECT_FALSE(f->Panel1.show_hint());
  f->Panel1MouseMove(0, last + 51, 5);
  EXPECT_TRUE(f->Panel1.show_hint());
}

}  // namespace
}  // namespace korvel
