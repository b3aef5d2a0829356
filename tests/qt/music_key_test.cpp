// The M key typed into the real window plays a burst, with or without Shift.
#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

TEST(MusicKey, MPlaysABurstThroughTheWindowsOutput) {
  StartedWindow w;
  type_key(*w.view, Qt::Key_M, QStringLiteral("m"));
  const std::size_t first = w.audio.tones.size();
  EXPECT_GE(first, 10u);
  EXPECT_LE(first, 39u);
  type_key(*w.view, Qt::Key_M, QStringLiteral("M"), Qt::ShiftModifier);
  EXPECT_GE(w.audio.tones.size(), first + 10);
  EXPECT_TRUE(w.console.lines.empty());
}

}  // namespace
}  // namespace korvel::qt::testing
