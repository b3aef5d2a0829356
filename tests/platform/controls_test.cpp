#include "platform/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel {
namespace {

TEST(RadioGroupCascade, ChangingTheIndexRunsTheClickAtOnceAndOnlyOnChange) {
  RadioGroup group("g");
  group.set_items({"a", "b", "c"});
  std::vector<int> seen;
  group.OnClick = [&] { seen.push_back(group.item_index()); };
  group.set_item_index(1);
  group.set_item_index(1);
  group.set_item_index(2);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST(RadioGroupCascade, OutOfRangeIsClampedAndMinusOneOnlyClears) {
  RadioGroup group("g");
  group.set_items({"a", "b", "c"});
  int clicks = 0;
  group.OnClick = [&] { ++clicks; };
  group.set_item_index(9);
  EXPECT_EQ(group.item_index(), 2);
  group.set_item_index(-3);
  EXPECT_EQ(group.item_index(), -1);
  EXPECT_EQ(clicks, 1);
}

TEST(RadioGroupCascade, NestedSelectionRunsBeforeTheCallerGoesOn) {
  RadioGroup first("first"), second("second");
  first.set_items({"a", "b"});
  second.set_items({"a", "b"});
  std::vector<std::string> order;
  first.OnClick = [&] {
    order.push_back("first in");
    second.set_item_index(1);
    order.push_back("first out");
  };
  second.OnClick = [&] { order.push_back("second"); };
  first.set_item_index(1);
  EXPECT_EQ(order, (std::vector<std::string>{"first in", "second", "first out"}));
}

TEST(CheckBoxCascade, SettingCheckedRunsTheClickOnChangeOnly) {
  CheckBox box("b");
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.set_checked(false);
  box.set_checked(true);
  box.set_checked(true);
  box.click();
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(box.checked());
}

TEST(ComboBoxSelection, CodeRunsNothingTheUserRunsTheClick) {
  ComboBox combo("c");
  combo.set_items({"x", "y"});
  int clicks = 0;
  combo.OnClick = [&] { ++clicks; };
  combo.set_item_index(1);
  EXPECT_EQ(clicks, 0);
  combo.select(0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(combo.item_index(), 0);
}

TEST(EditChange, RunsOnlyWhenTheTextDiffers) {
  Edit edit("e");
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.set_text("1");
  edit.set_text("1");
  edit.set_text("2");
  EXPECT_EQ(changes, 2);
}

TEST(UpDownStep, StartsFromTheEditAsksFirstAndStaysInRange) {
  Edit edit("e");
  UpDown updown("u");
  updown.set_range(0, 100);
  updown.set_associate(&edit);
  updown.set_position(1);
  std::vector<std::string> text_when_asked;
  updown.OnChanging = [&](bool&) { text_when_asked.push_back(edit.text()); };
  updown.click_up();
  EXPECT_EQ(edit.text(), "2");
  EXPECT_EQ(text_when_asked, std::vector<std::string>{"1"});
  // Code wrote a number beyond the range: the next step starts from the edge.
  edit.set_text("104");
  updown.click_down();
  EXPECT_EQ(edit.text(), "99");
  updown.set_position(0);
  updown.click_down();
  EXPECT_EQ(edit.text(), "0");
}

TEST(UpDownStep, AChangeRefusedLeavesTheText) {
  Edit edit("e");
  UpDown updown("u");
  updown.set_range(1, 10);
  updown.set_associate(&edit);
  updown.set_position(5);
  updown.OnChanging = [](bool& allow) { allow = false; };
  updown.click_up();
  EXPECT_EQ(edit.text(), "5");
}

TEST(TimerInterval, WritingTheSameIntervalDoesNotRestart) {
  Timer timer("t");
  const unsigned start = timer.restarts();
  timer.set_interval(1000);
  EXPECT_EQ(timer.restarts(), start);
  timer.set_interval(10000);
  timer.set_interval(10000);
  EXPECT_EQ(timer.restarts(), start + 1);
}

TEST(TimerTick, RunsOnlyWhileEnabled) {
  Timer timer("t");
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.tick();
  timer.set_enabled(false);
  timer.tick();
  EXPECT_EQ(ticks, 1);
}

TEST(ControlObserver, IsToldOfChangesNotOfRewrites) {
  Panel panel("p");
  int notices = 0;
  panel.observer = [&] { ++notices; };
  panel.set_caption("a");
  panel.set_caption("a");
  panel.set_bounds(1, 2, 3, 4);
  panel.set_bounds(1, 2, 3, 4);
  panel.set_visible(false);
  EXPECT_EQ(notices, 3);
}

TEST(ControlColour, ChildrenTakingTheParentsColourFollowIt) {
  Panel parent("p");
  Label follower("l");
  Panel own("q");
  follower.set_parent_color(true);
  own.set_color(clRed);
  parent.add_child(follower);
  parent.add_child(own);
  parent.set_color(clAqua);
  EXPECT_EQ(follower.color(), clAqua);
  EXPECT_EQ(own.color(), clRed);
}

}  // namespace
}  // namespace korvel
