// The burst of random tones, played into a fake waveform output.
#include "sound/music.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

TWaveFormatEx format() {
  TWaveFormatEx f;
  prepare_format(f);
  return f;
}

TWaveformSamples tone(int f, int d, double a = 0.5) {
  TWaveformSamples s;
  genere_ton(s, format(), f, d, a);
  return s;
}

TEST(WaveFormat, ThirtyTwoBitMonoAt44100) {
  const TWaveFormatEx f = format();
  EXPECT_EQ(f.wFormatTag, 1);
  EXPECT_EQ(f.nChannels, 1);
  EXPECT_EQ(f.nSamplesPerSec, 44100u);
  EXPECT_EQ(f.nAvgBytesPerSec, 176400u);
  EXPECT_EQ(f.nBlockAlign, 4);
  EXPECT_EQ(f.wBitsPerSample, 32);
  EXPECT_EQ(f.cbSize, 0);
}

TEST(GenereTon, SampleCountsRoundHalvesToEven) {
  EXPECT_EQ(tone(440, 20).size(), 882u);
  EXPECT_EQ(tone(440, 25).size(), 1102u);  // 1102.5
  EXPECT_EQ(tone(440, 85).size(), 3748u);  // 3748.5
  EXPECT_EQ(tone(440, 99).size(), 4366u);  // 4365.9
  EXPECT_EQ(tone(440, 0).size(), 0u);
  EXPECT_EQ(tone(440, -5).size(), 0u);
  // Every duration a burst draws: the nearest count, an even one at a half.
  for (int d = 20; d <= 99; ++d) {
    const long long count = (long long)tone(440, d, 0).size(), exact_times_1000 = 44100LL * d;
    const long long off = std::llabs(count * 1000 - exact_times_1000);
    EXPECT_TRUE(off < 500 || (off == 500 && count % 2 == 0)) << d << " ms: " << count;
  }
}

TEST(GenereTon, A120HzToneStartsAtZeroAndPeaksAtAQuarterPeriod) {
  const TWaveformSamples s = tone(120, 20);
  EXPECT_EQ(s[0], 0);
  // A quarter period is 91.875 samples.
  const auto peak = std::max_element(s.begin(), s.begin() + 200);
  EXPECT_EQ(peak - s.begin(), 92);
  EXPECT_GT(*peak, 1073739000);  // sin of 0.25034 turn
  EXPECT_LE(*peak, 1073741824);
  const auto trough = std::min_element(s.begin(), s.begin() + 400);
  EXPECT_LT(*trough, -1073700000);
  // Every sample follows the sine at half of full scale, in order.
  for (std::size_t i = 0; i < s.size(); ++i)
    ASSERT_NEAR(double(s[i]), std::sin(2 * M_PI * 120 * double(i) / 44100) * 1073741823.5, 64) << i;
}

TEST(GenereTon, AnAmplitudeAboveFullScaleStaysInRange) {
  const TWaveformSamples s = tone(1000, 20, 3.0);
  EXPECT_EQ(*std::max_element(s.begin(), s.end()), 2147483647);
  EXPECT_EQ(*std::min_element(s.begin(), s.end()), -2147483647 - 1);
}

TEST(Musique, TenToThirtyNineRandomTonesEachOnItsOwnDevice) {
  StartedForm f(32, 32);
  f->musique();
  const auto& tones = f.audio.tones;
  EXPECT_GE(tones.size(), 10u);
  EXPECT_LE(tones.size(), 39u);
  EXPECT_EQ(f.audio.opened_formats.size(), tones.size());
  EXPECT_EQ(f.audio.closes, int(tones.size()));
  for (const auto& t : tones) {
    EXPECT_GE(t.size(), 882u);
    EXPECT_LE(t.size(), 4366u);
  }
  EXPECT_EQ(f.audio.opened_formats[0].nAvgBytesPerSec, 176400u);
  EXPECT_GE(f->freq_ton, 120);
  EXPECT_LE(f->freq_ton, 5119);
  EXPECT_GE(f->duree_ton, 20);
  EXPECT_LE(f->duree_ton, 99);
  EXPECT_EQ(f->amplitude_ton, 0.5);
  EXPECT_EQ(f->echantillons, tones.back());
  EXPECT_TRUE(f.console.lines.empty());
}

// What a listener hears of one tone: its length, and its pitch counted
// from the sine's sign changes (exact to one change either way).
struct Heard {
  double millis, hertz, hertz_error;
};
Heard heard(const TWaveformSamples& samples) {
  int changes = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) changes += (samples[i - 1] < 0) != (samples[i] < 0) ? 1 : 0;
  const double seconds = double(samples.size()) / 44100;
  return {seconds * 1000, changes / (2 * seconds), 1 / seconds};
}

// Each burst seeds the generator from the clock, whatever was drawn before
// it: the same clock gives the same tones, another clock others. Each tone
// lasts 20 to 99 ms and sounds at 120 to 5119 Hz.
TEST(Musique, EachBurstReseedsFromTheClockAndPlaysTonesInRange) {
  StartedForm f(32, 32);
  std::uint64_t now = 1000;
  f->random().set_clock([&] { return now; });
  const auto burst = [&](std::uint64_t clock, std::uint64_t seed_before) {
    now = clock;
    f->random().seed(seed_before);
    f.audio.tones.clear();
    f->musique();
    return f.audio.tones;
  };
  const auto first = burst(1000, 99);
  EXPECT_EQ(burst(1000, 5), first) << "the seed before the burst mattered";
  EXPECT_NE(burst(1007, 99), first) << "another clock gave the same burst";
  for (const std::uint64_t clock : {1000u, 1007u, 123456789u, 987654321u}) {
    const auto tones = burst(clock, 1);
    ASSERT_GE(tones.size(), 10u);
    ASSERT_LE(tones.size(), 39u);
    std::set<int> pitches;
    for (const TWaveformSamples& t : tones) {
      const Heard h = heard(t);
      EXPECT_GE(h.millis, 19.99) << "clock " << clock;
      EXPECT_LE(h.millis, 99.01) << "clock " << clock;
      EXPECT_GE(h.hertz + h.hertz_error, 120) << "clock " << clock;
      EXPECT_LE(h.hertz - h.hertz_error, 5119) << "clock " << clock;
      pitches.insert(int(h.hertz / 100));
    }
    EXPECT_GT(pitches.size(), 1u) << "every tone of the burst at one pitch, clock " << clock;
  }
}

TEST(Musique, WithoutADeviceTheBurstGoesThroughSilently) {
  StartedForm f(32, 32);
  f.audio.no_device = true;
  f->musique();
  EXPECT_GE(f.audio.opened_formats.size(), 10u);
  EXPECT_TRUE(f.audio.tones.empty());
  EXPECT_EQ(f.audio.closes, 0);
  EXPECT_TRUE(f.console.lines.empty());
  EXPECT_TRUE(f.desktop.errors.empty());
  EXPECT_TRUE(f.desktop.messages.empty());
}

TEST(Musique, AFailingToneIsReportedOnTheConsoleAndTheBurstGoesOn) {
  StartedForm f(32, 32);
  f.audio.fail_play = true;
  f->musique();
  const std::size_t count = f.audio.opened_formats.size();
  ASSERT_EQ(f.console.lines.size(), count);
  EXPECT_EQ(f.console.lines[0], "EInOutError: la sortie audio a échoué");
  EXPECT_EQ(f.console.waits, int(count));
  EXPECT_EQ(f.audio.closes, int(count));  // closed however the tone ended
}

TEST(JoueSon, NothingToPlayIsSaid) {
  StartedForm f(32, 32);
  f->echantillons.clear();
  f->joue_son();
  EXPECT_EQ(f.console.lines, std::vector<std::string>{"Error: No audio has been created yet."});
  EXPECT_TRUE(f.audio.opened_formats.empty());
}

TEST(Musique, TheMKeyPlaysABurst) {
  StartedForm f(32, 32);
  std::uint16_t key = 'M';
  f->FormKeyDown(key, {});
  EXPECT_GE(f.audio.tones.size(), 10u);
}

TEST(StandardConsole, DoesNotWaitWithoutATerminal) {
  // Standard input is a pipe that no one writes to: waiting would hang.
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const int saved = ::dup(STDIN_FILENO);
  ::dup2(pipe_fds[0], STDIN_FILENO);
  StandardConsole console;
  console.wait_for_enter();
  ::dup2(saved, STDIN_FILENO);
  ::close(saved);
  ::close(pipe_fds[0]);
  ::close(pipe_fds[1]);
}

}  // namespace
}  // namespace korvel
