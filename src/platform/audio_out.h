#pragma once
// The waveform output: one buffer of PCM samples at a time, on the default
// device, returning once it has been heard.
#include <cstdint>
#include <span>
#include <vector>

namespace korvel {

// The wave format record handed to the output (WAVEFORMATEX).
struct TWaveFormatEx {
  std::uint16_t wFormatTag = 0;  // 1: integer PCM
  std::uint16_t nChannels = 0;
  std::uint32_t nSamplesPerSec = 0;
  std::uint32_t nAvgBytesPerSec = 0;
  std::uint16_t nBlockAlign = 0;
  std::uint16_t wBitsPerSample = 0;
  std::uint16_t cbSize = 0;
};

// A buffer of 32-bit integer samples, one channel, as play() takes them.
using TWaveformSamples = std::vector<std::int32_t>;

enum class AudioOpen : std::uint8_t { opened, no_device };

class AudioOut {
 public:
  virtual ~AudioOut() = default;
  // Opens the default output for 32-bit integer samples in `format`;
  // no_device when there is none or it refuses the format.
  virtual AudioOpen open(const TWaveFormatEx& format) = 0;
  // Plays `samples` on the opened output and returns when they have been
  // played. Throws an Exception when the output fails midway.
  virtual void play(std::span<const std::int32_t> samples) = 0;
  // Closes the opened output; harmless when none is open.
  virtual void close() = 0;
};

}  // namespace korvel
