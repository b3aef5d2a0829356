// The road of one key press: the window's key handlers before the focused
// control's, consumption by a null key or character, and failures.
#include "ui/key_sequence.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

struct KeySequence : ::testing::Test {
  StartedForm f;
  std::vector<std::string> log;

  std::optional<std::u32string> press(Control* target, std::uint16_t key, std::u32string text, TShiftState shift = 0) {
    return preview_key(*f, target, KeyStroke{key, shift, std::move(text)});
  }
  void hide_panel() {
    ASSERT_EQ(press(&f->Edit2, vk::Space, U" "), std::nullopt);
    ASSERT_FALSE(f->Panel1.visible());
  }
  // Edit2 with handlers of its own that log what they see.
  void spy_on_edit2() {
    f->Edit2.OnKeyDown = [this](std::uint16_t& key, TShiftState) {
      log.push_back("down " + std::to_string(key) + (f->choix_centre ? " centre" : ""));
    };
    f->Edit2.OnKeyPress = [this](char32_t& c) { log.push_back("press " + std::to_string(int(c))); };
  }
};

TEST_F(KeySequence, TheWindowHandlesTheKeyBeforeTheControlAndTheRestGoesOn) {
  spy_on_edit2();
  // Ctrl with E: the picture is wiped and centre choice entered before the
  // edit's own key-down sees the key.
  f.canvas().Brush.Color = clWhite;
  f.canvas().FillRect(0, 0, 10, 10);
  EXPECT_EQ(press(&f->Edit2, 'E', U"e", ssCtrl), U"e");
  EXPECT_EQ(f.canvas().Pixels(5, 5), clBlack);
  EXPECT_EQ(log, (std::vector<std::string>{"down 69 centre", "press 101"}));
}

TEST_F(KeySequence, KeysWithoutCharactersPassWithNoText) {
  spy_on_edit2();
  EXPECT_EQ(press(&f->Edit2, vk::F1, U""), U"");
  EXPECT_TRUE(f->Panel8.visible());
  EXPECT_EQ(log, (std::vector<std::string>{"down 112"}));
  // Addressed to the window itself, no control handler runs.
  log.clear();
  EXPECT_EQ(press(nullptr, vk::F1, U""), U"");
  EXPECT_FALSE(f->Panel8.visible());
  EXPECT_TRUE(log.empty());
}

TEST_F(KeySequence, ANullKeyStopsTheKeyButItsCharactersStillReachTheWindow) {
  hide_panel();
  f->Edit2.OnKeyDown = [](std::uint16_t& key, TShiftState) { key = 0; };
  EXPECT_EQ(press(&f->Edit2, 'H', U"h"), std::nullopt);
  EXPECT_EQ(f->mode_crayon, pmNotXor);
}

TEST_F(KeySequence, ANullCharacterStopsOnlyThatCharacter) {
  f->Edit2.OnKeyPress = [](char32_t& c) {
    if (c == U'b') c = 0;
  };
  EXPECT_EQ(press(&f->Edit2, vk::NoCode, U"abc"), U"ac");
  EXPECT_EQ(press(&f->Edit2, 'B', U"b"), std::nullopt);
}

TEST_F(KeySequence, WithThePanelShownCharactersReachTheControl) {
  EXPECT_EQ(press(&f->Edit2, '2', U"2"), U"2");
  EXPECT_EQ(press(&f->Edit2, vk::NoCode, U"é"), U"é");
  EXPECT_EQ(f->mode_crayon, pmCopy);
}

TEST_F(KeySequence, WithThePanelHiddenNoCharacterReachesAnyControl) {
  hide_panel();
  EXPECT_EQ(press(&f->Edit2, vk::NoCode, U"é"), std::nullopt);
  EXPECT_EQ(f->mode_crayon, pmMerge);
  EXPECT_EQ(press(&f->Edit5, 'A', U"a"), std::nullopt);
  EXPECT_EQ(f->mode_crayon, pmMerge);
  EXPECT_EQ(f->ComboBox1.item_index(), 1);
}

TEST_F(KeySequence, SpaceNeverEntersTheUpDownEdits) {
  // The first space hides the panel and is consumed by the window; the
  // second shows it again and is consumed by the edit's own handler.
  EXPECT_EQ(press(&f->Edit5, vk::Space, U" "), std::nullopt);
  EXPECT_FALSE(f->Panel1.visible());
  EXPECT_EQ(press(&f->Edit5, vk::Space, U" "), std::nullopt);
  EXPECT_TRUE(f->Panel1.visible());
  EXPECT_EQ(press(&f->Edit5, '1', U"1"), U"1");
}

// A width key on a width that is no integer: the error is shown, and the
// character is consumed all the same, as every character is while the
// panel is off screen.
TEST_F(KeySequence, AFailedWidthKeyIsReportedAndItsCharacterConsumed) {
  hide_panel();
  f->Edit3.set_text("abc");
  for (const char32_t c : {U'W', U'x'}) {
    EXPECT_EQ(press(&f->Edit2, std::uint16_t(c & ~32u), std::u32string(1, c)), std::nullopt);
  }
  EXPECT_EQ(f.desktop.errors,
            (std::vector<std::string>{"'abc' n'est pas une valeur entière correcte",
                                      "'abc' n'est pas une valeur entière correcte"}));
  EXPECT_EQ(f->Edit3.text(), "abc");
}

TEST_F(KeySequence, AFailingControlHandlerConsumesWhatItWasGiven) {
  f->Edit2.OnKeyDown = [](std::uint16_t&, TShiftState) { throw std::runtime_error("bas"); };
  EXPECT_EQ(press(&f->Edit2, 'A', U""), std::nullopt);
  f->Edit2.OnKeyDown = nullptr;
  f->Edit2.OnKeyPress = [](char32_t& c) {
    if (c == U'y') throw std::runtime_error("haut");
  };
  EXPECT_EQ(press(&f->Edit2, vk::NoCode, U"xyz"), U"xz");
  EXPECT_EQ(f.desktop.errors, (std::vector<std::string>{"bas", "haut"}));
}

// Keys with no number of their own ("," "²" ...) reach FormKeyDown too:
// with Ctrl alone held, any key enters centre choice.
TEST_F(KeySequence, CtrlWithAKeyWithoutNumberEntersCentreChoice) {
  f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::peind_tant_que));
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::peind_tant_que);
  EXPECT_EQ(press(&f->Edit2, vk::NoCode, U",", ssCtrl), U",");
  EXPECT_TRUE(f->choix_centre);
  EXPECT_EQ(f.desktop.cursor(), crCross);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::dessiner);
}

TEST_F(KeySequence, AKeyWithoutNumberMatchesNoCommand) {
  const Bitmap before = f.canvas().bitmap();
  for (const TShiftState shift : {TShiftState(0), TShiftState(ssShift), TShiftState(ssCtrl | ssShift)}) {
    EXPECT_EQ(press(&f->Edit2, vk::NoCode, U"²", shift), U"²");
  }
  EXPECT_FALSE(f->choix_centre);
  EXPECT_TRUE(f->Panel1.visible());
  EXPECT_FALSE(f->Panel8.visible());
  EXPECT_TRUE(f.desktop.confirmations.empty());
  EXPECT_EQ(f.canvas().bitmap(), before);
}

}  // namespace
}  // namespace korvel
