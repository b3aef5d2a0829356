// Focus, activation and resizing as the view reports them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::FakeDesktop;
using testing::FakeAudioOut;
using testing::FakeConsole;
using testing::MemoryImageFiles;
using testing::MemoryTextFiles;
using testing::StartedForm;

TEST(Focus, SetFocusRunsOnEnterNestedThenMovesTheKeyboardFocus) {
  StartedForm f;
  std::vector<std::string> log;
  f->on_focus_changed = [&] { log.push_back("view " + f->focused_control->name()); };
  f->RadioGroup_peindre_dessiner.OnEnter = [&] { log.push_back("enter " + f->focused_control->name()); };
  f->RadioGroup_peindre_dessiner.SetFocus();
  ASSERT_EQ(log, (std::vector<std::string>{"enter RadioGroup_peindre_dessiner", "view RadioGroup_peindre_dessiner"}));
  // Focusing the control that has the focus enters nothing.
  f->RadioGroup_peindre_dessiner.SetFocus();
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(log.back(), "view RadioGroup_peindre_dessiner");
  f->Edit2.SetFocus();
  f->RadioGroup_peindre_dessiner.SetFocus();
  EXPECT_EQ(log.size(), 6u);
  EXPECT_EQ(log[4], "enter RadioGroup_peindre_dessiner");
}

// The focus entering the paint-mode group applies the mode it holds: with
// "peind j'usqu'à" held and "lignes" as trace type, the trace type goes back
// to "crayon" and the paint mode to "dessiner", and the pen colour is chosen.
TEST(Focus, TheUsersFocusEnteringThePaintModeGroupAdjustsTheMode) {
  StartedForm f;
  ASSERT_EQ(f->focused_control, &f->Edit2);
  f->RadioGroup_type_trace.set_choice(TypeTrace::lignes);
  const auto click = f->RadioGroup_peindre_dessiner.OnClick;
  f->RadioGroup_peindre_dessiner.OnClick = nullptr;  // the index only, as loaded settings would
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_jusqua);
  f->RadioGroup_peindre_dessiner.OnClick = click;
  int view_calls = 0;
  f->on_focus_changed = [&] { ++view_calls; };

  f->move_focus(&f->RadioGroup_peindre_dessiner);
  EXPECT_EQ(f->focused_control, &f->RadioGroup_peindre_dessiner);
  EXPECT_EQ(f->RadioGroup_type_trace.choice<TypeTrace>(), TypeTrace::crayon);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::dessiner);
  EXPECT_EQ(f->RadioGroup_couleur_crayon.choice<ChoixCouleur>(), ChoixCouleur::choisie);
  EXPECT_EQ(view_calls, 0);  // the view moved the focus itself

  f->move_focus(&f->Edit5);
  EXPECT_EQ(f->focused_control, &f->Edit5);
  f->move_focus(nullptr);
  EXPECT_EQ(f->focused_control, nullptr);
}

struct CreatedForm : ::testing::Test {
  FakeDesktop desktop{800, 600};
  MemoryImageFiles files;
  MemoryTextFiles text_files;
  FakeAudioOut audio;
  FakeConsole console;
  TForm1 form{Services{desktop, files, StartedForm::default_program_path(), testing::home_directories("/home/user"),
                       text_files, audio, console}};
  void SetUp() override { form.FormCreate(); }
};

TEST_F(CreatedForm, OnlyTheFirstActivationRunsFormActivate) {
  ASSERT_EQ(form.focused_control, nullptr);
  form.window_activated();
  EXPECT_EQ(form.focused_control, &form.Edit2);
  const int reads = text_files.reads;
  EXPECT_GT(reads, 0);  // the settings were read
  form.Edit5.SetFocus();
  form.window_activated();  // back from a dialog
  EXPECT_EQ(form.focused_control, &form.Edit5);
  EXPECT_EQ(text_files.reads, reads);
}

TEST_F(CreatedForm, AResizeMakesANewPictureOnlyForANewSize) {
  ASSERT_EQ(form.Image1.canvas().width(), 0);
  form.window_resized(800, 600);
  Canvas& picture = form.Image1.canvas();
  ASSERT_EQ(picture.width(), 800);
  ASSERT_EQ(picture.height(), 600);
  EXPECT_EQ(picture.Pen.Color, form.coul_crayon);
  picture.Brush.Color = clWhite;
  picture.FillRect(0, 0, 10, 10);
  form.window_resized(800, 600);  // the same size again: the picture stays
  EXPECT_EQ(form.Image1.canvas().Pixels(5, 5), clWhite);
  form.window_resized(640, 480);
  EXPECT_EQ(form.ClientWidth, 640);
  EXPECT_EQ(form.ClientHeight, 480);
  EXPECT_EQ(form.Image1.canvas().width(), 640);
  EXPECT_EQ(form.Image1.canvas().height(), 480);
  EXPECT_EQ(form.Image1.canvas().Pixels(5, 5), clBlack);
}

}  // namespace
}  // namespace korvel
