#include "qt/portaudio_out.h"

#include <portaudio.h>

#include "platform/text.h"

namespace korvel::qt {

namespace {

[[noreturn]] void fail(PaError error) {
  throw EInOutError(std::string("Erreur de la sortie audio : ") + Pa_GetErrorText(error));
}

}  // namespace

PortAudioOut::~PortAudioOut() {
  close();
  if (m_library == Library::started) Pa_Terminate();
}

AudioOpen PortAudioOut::open(const TWaveFormatEx& format) {
  // The library starts at the first tone, once: a machine without sound
  // pays for the search of devices only once per run.
  if (m_library == Library::not_started)
    m_library = Pa_Initialize() == paNoError ? Library::started : Library::unavailable;
  if (m_library != Library::started || format.wBitsPerSample != 32) return AudioOpen::no_device;
  close();
  const PaError error = Pa_OpenDefaultStream(&m_stream, 0, format.nChannels, paInt32, format.nSamplesPerSec,
                                             paFramesPerBufferUnspecified, nullptr, nullptr);
  if (error != paNoError) {
    m_stream = nullptr;
    return AudioOpen::no_device;
  }
  if (Pa_StartStream(m_stream) != paNoError) {
    close();
    return AudioOpen::no_device;
  }
  return AudioOpen::opened;
}

void PortAudioOut::play(std::span<const std::int32_t> samples) {
  if (!m_stream) return;
  const PaError written = Pa_WriteStream(m_stream, samples.data(), static_cast<unsigned long>(samples.size()));
  // An underflow only means the device waited for us; the samples went out.
  if (written != paNoError && written != paOutputUnderflowed) fail(written);
  // Stopping waits until the buffered samples have been played.
  const PaError stopped = Pa_StopStream(m_stream);
  if (stopped != paNoError) fail(stopped);
}

void PortAudioOut::close() {
  if (!m_stream) return;
  Pa_CloseStream(m_stream);
  m_stream = nullptr;
}

}  // namespace korvel::qt
