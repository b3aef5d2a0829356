#pragma once
// A waveform output that keeps what it is asked to play, and a console that
// keeps what is written to it.
#include <string>
#include <vector>

#include "platform/audio_out.h"
#include "platform/console.h"
#include "platform/text.h"

namespace korvel::testing {

class FakeAudioOut : public AudioOut {
 public:
  AudioOpen open(const TWaveFormatEx& format) override {
    opened_formats.push_back(format);
    if (no_device) return AudioOpen::no_device;
    is_open = true;
    return AudioOpen::opened;
  }
  void play(std::span<const std::int32_t> samples) override {
    if (!is_open) throw Exception("lecture sans sortie ouverte");
    if (fail_play) throw EInOutError("la sortie audio a échoué");
    tones.emplace_back(samples.begin(), samples.end());
  }
  void close() override {
    if (is_open) ++closes;
    is_open = false;
  }

  bool no_device = false, fail_play = false, is_open = false;
  int closes = 0;
  std::vector<TWaveFormatEx> opened_formats;
  std::vector<std::vector<std::int32_t>> tones;
};

class FakeConsole : public Console {
 public:
  void write_line(const std::string& text) override { lines.push_back(text); }
  void wait_for_enter() override { ++waits; }
  std::vector<std::string> lines;
  int waits = 0;
};

}  // namespace korvel::testing
