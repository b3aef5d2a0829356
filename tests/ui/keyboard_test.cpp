// Keyboard commands, the pen-mode keys and the width steps.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

void key_down(StartedForm& f, std::uint16_t key, TShiftState shift = 0) { f->FormKeyDown(key, shift); }

char32_t key_press(StartedForm& f, char32_t c) {
  f->FormKeyPress(c);
  return c;
}

void hide_panel(StartedForm& f) {
  key_down(f, vk::Space);
  ASSERT_FALSE(f->Panel1.visible());
}

TEST(KeyCommands, EscapeAndF12AskToQuitUnlessHelpIsShown) {
  StartedForm f;
  key_down(f, vk::F12);
  key_down(f, vk::Escape);
  EXPECT_EQ(f.desktop.confirmations.size(), 2u);
  f->Panel12Click();
  key_down(f, vk::F12);
  EXPECT_EQ(f.desktop.confirmations.size(), 2u);
  EXPECT_TRUE(f->Panel8.visible());
  key_down(f, vk::Escape);  // only hides the help
  EXPECT_EQ(f.desktop.confirmations.size(), 2u);
  EXPECT_FALSE(f->Panel8.visible());
  f.desktop.confirm_answers = {true};
  key_down(f, vk::Escape);
  EXPECT_EQ(f.desktop.terminations, 1);
}

TEST(KeyCommands, F1TogglesTheHelpAndNothingElse) {
  StartedForm f;
  key_down(f, vk::F1);
  EXPECT_TRUE(f->Panel8.visible());
  key_down(f, vk::F1);
  EXPECT_FALSE(f->Panel8.visible());
  EXPECT_TRUE(f.desktop.confirmations.empty());
  EXPECT_TRUE(f->Panel1.visible());
}

TEST(KeyCommands, SpaceHidesShowsAndBringsBackASlidPanel) {
  StartedForm f(1024, 768);
  f->Edit2.set_text("abc");
  f->menu_a_cacher = true;
  key_down(f, vk::Space);
  EXPECT_FALSE(f->Panel1.visible());
  EXPECT_EQ(f->Edit2.text(), "");
  EXPECT_FALSE(f->menu_a_cacher);
  key_down(f, vk::Space);
  EXPECT_TRUE(f->Panel1.visible());
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
  // Parked below the screen: space puts it back, still shown.
  f->Panel1.set_align(alNone);
  f->Panel1.set_top(768);
  key_down(f, vk::Space);
  EXPECT_TRUE(f->Panel1.visible());
  EXPECT_EQ(f->Panel1.top(), f->top_menu);
  // Half-way down: space hides it.
  f->Panel1.set_top(f->top_menu + 60);
  key_down(f, vk::Space);
  EXPECT_FALSE(f->Panel1.visible());
}

TEST(KeyCommands, EWipesPPaintsF8F9Walk) {
  StartedForm f(64, 48);
  f.canvas().Brush.Color = clRed;
  f.canvas().FillRect(0, 0, 64, 48);
  f->wb();
  key_down(f, 'E');
  EXPECT_EQ(f.canvas().Pixels(3, 3), clBlack);
  key_down(f, vk::F8);
  EXPECT_EQ(f.canvas().Pixels(3, 3), clRed);
  EXPECT_EQ(f->Label9.caption(), "!! -> 0/0");
  key_down(f, vk::Right);
  EXPECT_EQ(f->Label9.caption(), " -> 0/0");
  key_down(f, 'P');
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 1);
}

TEST(KeyCommands, CtrlAloneEntersCentreChoiceAfterTheKeysOwnCommand) {
  StartedForm f(64, 48);
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  f.canvas().Brush.Color = clRed;
  f.canvas().FillRect(0, 0, 64, 48);
  key_down(f, 'E', ssCtrl);
  EXPECT_EQ(f.canvas().Pixels(3, 3), clBlack);
  EXPECT_TRUE(f->choix_centre);
  EXPECT_EQ(f.desktop.cursor_shape, crCross);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 0);

  StartedForm g;
  key_down(g, vk::Control, ssCtrl);
  EXPECT_TRUE(g->choix_centre);
  StartedForm h;
  key_down(h, 'Z', ssCtrl | ssShift);
  EXPECT_FALSE(h->choix_centre);
}

TEST(PenModeKeys, OnlyWhileThePanelIsOffScreen) {
  StartedForm f;
  EXPECT_EQ(key_press(f, U'2'), U'2');
  EXPECT_EQ(f->mode_crayon, pmCopy);
  hide_panel(f);
  EXPECT_EQ(key_press(f, U'é'), 0u);
  EXPECT_EQ(f->mode_crayon, pmMerge);
  EXPECT_EQ(f->ComboBox1.item_index(), 1);
  EXPECT_EQ(f.canvas().Pen.Mode, pmMerge);
  key_press(f, U'1');
  key_press(f, U'2');
  EXPECT_EQ(f->mode_crayon, pmMerge);
  key_press(f, U'Q');
  EXPECT_EQ(f->mode_crayon, pmMergePenNot);
  key_press(f, U'q');
  EXPECT_EQ(f->mode_crayon, pmMergePenNot);
  key_press(f, U'²');
  EXPECT_EQ(f->mode_crayon, pmCopy);
  EXPECT_EQ(key_press(f, U'a'), 0u);
  EXPECT_EQ(f->mode_crayon, pmCopy);
}

TEST(PenModeKeys, EveryRowHasItsTwoCharacters) {
  StartedForm f;
  hide_panel(f);
  const char32_t pairs[16][2] = {{U'&', U'1'}, {U'é', U'2'}, {U'"', U'3'}, {U'\'', U'4'}, {U'(', U'5'}, {U'-', U'6'},
                                 {U'è', U'7'}, {U'_', U'8'}, {U'ç', U'9'}, {U'à', U'0'}, {U'Q', U'q'}, {U'S', U's'},
                                 {U'D', U'd'}, {U'F', U'f'}, {U'G', U'g'}, {U'H', U'h'}};
  const TPenMode modes[16] = {pmCopy, pmMerge,   pmMask,        pmMergeNotPen, pmXor,        pmBlack,
                              pmWhite, pmNop,    pmNot,         pmNotCopy,     pmMergePenNot, pmMaskPenNot,
                              pmMaskNotPen, pmNotMerge, pmNotMask, pmNotXor};
  for (int row = 0; row < 16; ++row)
    for (char32_t c : pairs[row]) {
      key_press(f, U'²');
      key_press(f, c);
      EXPECT_EQ(f->mode_crayon, modes[row]) << "row " << row;
      EXPECT_EQ(f->ComboBox1.item_index(), row);
    }
}

TEST(PenModeKeys, ChoosingARowInTheListAppliesItAndCancelsTheHiding) {
  StartedForm f;
  f->menu_a_cacher = true;
  f->ComboBox1.select(14);
  EXPECT_EQ(f->mode_crayon, pmNotMask);
  EXPECT_FALSE(f->menu_a_cacher);
  EXPECT_EQ(f->ComboBox1.items()[15],
            "16 pmNotXor      Inverse de pmXor: combinaison des couleurs appartenant soit au crayon, soit à "
            "l'arrière-plan du canevas, mais pas aux deux}");
}

TEST(WidthKeys, StepByFourNeverBelowOneNoUpperBound) {
  StartedForm f;
  hide_panel(f);
  f->Edit3.set_text("10");
  key_press(f, U'W');
  EXPECT_EQ(f->Edit3.text(), "14");
  key_press(f, U'x');
  EXPECT_EQ(f->Edit3.text(), "10");
  key_press(f, U'X');
  EXPECT_EQ(f->Edit3.text(), "6");
  key_press(f, U'X');
  EXPECT_EQ(f->Edit3.text(), "2");
  key_press(f, U'X');
  EXPECT_EQ(f->Edit3.text(), "1");
  key_press(f, U'X');
  EXPECT_EQ(f->Edit3.text(), "1");
  f->Edit3.set_text("100");
  key_press(f, U'w');
  EXPECT_EQ(f->Edit3.text(), "104");
}

TEST(WidthKeys, ATextThatIsNotAnIntegerFailsAndStays) {
  StartedForm f;
  hide_panel(f);
  f->Edit3.set_text("abc");
  char32_t c = U'w';
  EXPECT_THROW(f->FormKeyPress(c), EConvertError);
  EXPECT_EQ(f->Edit3.text(), "abc");
}

TEST(UpDownEdits, SwallowTheSpace) {
  StartedForm f;
  for (Edit* e : {&f->Edit1, &f->Edit3, &f->Edit4, &f->Edit5, &f->Edit6, &f->Edit7}) {
    char32_t space = U' ', digit = U'7';
    e->OnKeyPress(space);
    e->OnKeyPress(digit);
    EXPECT_EQ(space, 0u) << e->name();
    EXPECT_EQ(digit, U'7');
  }
  EXPECT_FALSE(f->Edit2.OnKeyPress);
}

}  // namespace
}  // namespace korvel
