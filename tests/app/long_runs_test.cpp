// The long runs (random colouring, a tone burst) each hold the input once,
// from their start to their end, a failure included: every look at the
// waiting input falls within the run.
#include <gtest/gtest.h>

#include <functional>

#include "app/choices.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

TEST(LongRuns, EachHoldsTheInputOnceFromItsStartToItsEnd) {
  const auto colouring = [](Symetrie symetrie) {
    return [symetrie](StartedForm& f) {
      f->RadioGroup_symetrie.set_item_index(int(symetrie));
      f->Panel6Click();
    };
  };
  struct Case {
    const char* name;
    std::function<void(StartedForm&)> run;
    bool polls, fails_in_poll;
  };
  const Case cases[] = {
      {"K on a grid", colouring(Symetrie::unique), true, false},
      {"K on a rosette", colouring(Symetrie::rosace), false, false},
      {"K failing in its first poll", colouring(Symetrie::unique), true, true},
      {"M", [](StartedForm& f) { f->musique(); }, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartedForm f(400, 300);
    int runs_open_in_polls = 0;
    f.desktop.on_stop_poll = [&] {
      runs_open_in_polls += f.desktop.runs_begun - f.desktop.runs_ended;
      if (c.fails_in_poll) throw Exception("échec");
    };
    if (c.fails_in_poll)
      EXPECT_THROW(c.run(f), Exception);
    else
      c.run(f);
    EXPECT_EQ(f.desktop.runs_begun, 1);
    EXPECT_EQ(f.desktop.runs_ended, 1);
    EXPECT_EQ(f.desktop.polls_outside_runs, 0);
    EXPECT_EQ(f.desktop.stop_polls > 0, c.polls);
    EXPECT_EQ(runs_open_in_polls, f.desktop.stop_polls);
  }
}

// A number that is no integer is reported before the run begins: nothing is
// held for a run that does not take place.
TEST(LongRuns, ARefusedColouringHoldsNothing) {
  StartedForm f(400, 300);
  f->Edit3.set_text("x");
  EXPECT_THROW(f->Panel6Click(), Exception);
  EXPECT_EQ(f.desktop.runs_begun, 0);
}

}  // namespace
}  // namespace korvel
