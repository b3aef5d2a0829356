#pragma once
// The waveform output on PortAudio's default output device: a blocking
// stream opened and closed for every tone. The library is loaded at the
// first tone; without it there is no device.
#include <memory>
#include <string>

#include "platform/audio_out.h"

typedef void PaStream;

namespace korvel::qt {

class PortAudioOut : public AudioOut {
 public:
  // `library`: the shared library to load, by the name the loader searches.
  explicit PortAudioOut(std::string library = "libportaudio.so.2");
  PortAudioOut(const PortAudioOut&) = delete;
  PortAudioOut& operator=(const PortAudioOut&) = delete;
  ~PortAudioOut() override;

  AudioOpen open(const TWaveFormatEx& format) override;
  // Writes every sample, then waits until the device has played them.
  void play(std::span<const std::int32_t> samples) override;
  void close() override;

  struct Api;

 private:
  [[noreturn]] void fail(int error) const;

  enum class Library : std::uint8_t { not_started, started, unavailable };
  std::string m_library_name;
  Library m_library = Library::not_started;
  std::unique_ptr<Api> m_api;
  PaStream* m_stream = nullptr;
};

}  // namespace korvel::qt
