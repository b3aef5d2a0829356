// "New", the key E's blank picture, resizing, and "Quit".
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

bool all_pixels_are(const Canvas& c, TColor colour) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.Pixels(x, y) != colour) return false;
  return true;
}

TEST(NewPicture, WhiteBecomesTheBackgroundOfEveryLaterPicture) {
  StartedForm f(320, 240);
  f.canvas().Pen.Color = clRed;
  f.canvas().MoveTo(0, 0);
  f.canvas().LineTo(100, 100);
  f->Panel2Click();
  EXPECT_TRUE(all_pixels_are(f.canvas(), clWhite));
  EXPECT_EQ(f->coul_fond, clWhite);
  f->nouvelle_image();
  EXPECT_TRUE(all_pixels_are(f.canvas(), clWhite));
  f->set_client_size(200, 100);
  f->FormResize();
  EXPECT_EQ(f.canvas().width(), 200);
  EXPECT_EQ(f.canvas().height(), 100);
  EXPECT_TRUE(all_pixels_are(f.canvas(), clWhite));
  f->Panel_new_fond_noirClick();
  EXPECT_TRUE(all_pixels_are(f.canvas(), clBlack));
  EXPECT_EQ(f->coul_fond, clBlack);
}

TEST(NewPicture, CursorGoesToTheCentreAndPendingHidingIsCancelled) {
  StartedForm f(1024, 768);
  f->menu_a_cacher = true;
  f->menu_descend = true;
  f.desktop.cursor_position = {5, 5};
  f->Panel2Click();
  EXPECT_EQ(f.desktop.cursor_position, (TPoint{512, 384}));
  EXPECT_FALSE(f->menu_a_cacher);
  EXPECT_FALSE(f->menu_descend);
}

TEST(NewPicture, ThePictureCoversThePanelAreaAndThePanelStaysAsItWas) {
  StartedForm f(640, 480);
  EXPECT_EQ(f.canvas().height(), 480);
  EXPECT_TRUE(f->Panel1.visible());
  f->Panel1.set_visible(false);
  f->nouvelle_image();
  EXPECT_EQ(f.canvas().height(), 480);
  EXPECT_FALSE(f->Panel1.visible());
}

TEST(NewPicture, PenWidthAndStylesSurviveButModeAndBrushColourDoNot) {
  StartedForm f(100, 100);
  Canvas& c = f.canvas();
  c.Pen.Width = 7;
  c.Pen.Style = psDot;
  c.Brush.Style = bsClear;
  c.Pen.Mode = pmXor;
  f->nouvelle_image();
  Canvas& fresh = f.canvas();
  EXPECT_EQ(fresh.Pen.Width, 7);
  EXPECT_EQ(fresh.Pen.Style, psDot);
  EXPECT_EQ(fresh.Brush.Style, bsClear);
  EXPECT_EQ(fresh.Pen.Mode, pmCopy);
  EXPECT_EQ(fresh.Brush.Color, f->coul_fond);
  EXPECT_EQ(fresh.Pen.Color, 0x008000u);
}

TEST(NewPicture, PaintModeGoesBackToDrawing) {
  StartedForm f(100, 100);
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 1);
  f->nouvelle_image();
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 0);
}

TEST(NewPicture, ThePanelGetsItsVisibilityBackWhenTheBitmapCannotBeMade) {
  StartedForm f(100, 100);
  f->set_client_size(2000000000, 2000000000);
  EXPECT_ANY_THROW(f->nouvelle_image());
  EXPECT_TRUE(f->Panel1.visible());
}

TEST(Quit, NoLeavesEverythingYesEnds) {
  StartedForm f(1920, 1080);
  f->RadioGroup_symetrie.set_item_index(3);
  f.desktop.confirm_answers = {false};
  f->Panel_quitClick();
  EXPECT_EQ(f.desktop.confirmations, std::vector<std::string>{"Quitter ?"});
  EXPECT_EQ(f.desktop.cursor_position, (TPoint{960 - 50, 540}));
  EXPECT_EQ(f.desktop.terminations, 0);
  EXPECT_EQ(f->RadioGroup_symetrie.item_index(), 3);
  f.desktop.confirm_answers = {true};
  f->Panel_quitClick();
  EXPECT_EQ(f.desktop.terminations, 1);
}

TEST(HelpPanel, TheCrossHidesIt) {
  StartedForm f;
  f->Panel12Click();
  EXPECT_TRUE(f->Panel8.visible());
  f->SpeedButton_exit_help.click();
  EXPECT_FALSE(f->Panel8.visible());
}

}  // namespace
}  // namespace korvel
