#pragma once
// The waveform output on PortAudio's default output device: a blocking
// stream opened and closed for every tone.
#include "platform/audio_out.h"

typedef void PaStream;

namespace korvel::qt {

class PortAudioOut : public AudioOut {
 public:
  PortAudioOut() = default;
  PortAudioOut(const PortAudioOut&) = delete;
  PortAudioOut& operator=(const PortAudioOut&) = delete;
  ~PortAudioOut() override;

  AudioOpen open(const TWaveFormatEx& format) override;
  // Writes every sample, then waits until the device has played them.
  void play(std::span<const std::int32_t> samples) override;
  void close() override;

 private:
  enum class Library : std::uint8_t { not_started, started, unavailable };
  Library m_library = Library::not_started;
  PaStream* m_stream = nullptr;
};

}  // namespace korvel::qt
