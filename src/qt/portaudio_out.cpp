#include "qt/portaudio_out.h"

#include <dlfcn.h>
#include <portaudio.h>

#include "platform/text.h"

namespace korvel::qt {

// The PortAudio calls used, found in the library once it is loaded.
struct PortAudioOut::Api {
  decltype(&Pa_Initialize) initialize;
  decltype(&Pa_Terminate) terminate;
  decltype(&Pa_GetErrorText) error_text;
  decltype(&Pa_OpenDefaultStream) open_default_stream;
  decltype(&Pa_StartStream) start_stream;
  decltype(&Pa_WriteStream) write_stream;
  decltype(&Pa_StopStream) stop_stream;
  decltype(&Pa_CloseStream) close_stream;
};

namespace {

// The library and every call, or nothing: a library without one of them is
// no PortAudio this program can use.
std::unique_ptr<PortAudioOut::Api> load_api(void* library) {
  auto api = std::make_unique<PortAudioOut::Api>();
  bool complete = true;
  const auto find = [&](auto& call, const char* name) {
    call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(dlsym(library, name));
    complete = complete && call;
  };
  find(api->initialize, "Pa_Initialize");
  find(api->terminate, "Pa_Terminate");
  find(api->error_text, "Pa_GetErrorText");
  find(api->open_default_stream, "Pa_OpenDefaultStream");
  find(api->start_stream, "Pa_StartStream");
  find(api->write_stream, "Pa_WriteStream");
  find(api->stop_stream, "Pa_StopStream");
  find(api->close_stream, "Pa_CloseStream");
  return complete ? std::move(api) : nullptr;
}

}  // namespace

PortAudioOut::PortAudioOut(std::string library) : m_library_name(std::move(library)) {}

PortAudioOut::~PortAudioOut() {
  close();
  if (m_library == Library::started) m_api->terminate();
  // The library stays loaded: the sound server threads it may have started
  // could still be in its code.
}

void PortAudioOut::fail(int error) const {
  throw EInOutError(std::string("Erreur de la sortie audio : ") + m_api->error_text(error));
}

AudioOpen PortAudioOut::open(const TWaveFormatEx& format) {
  // The library is loaded and started at the first tone, once: the start of
  // the program does not wait for the sound libraries, and a machine without
  // sound pays for the search of devices only once per run.
  if (m_library == Library::not_started) {
    void* handle = dlopen(m_library_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle && !(m_api = load_api(handle))) dlclose(handle);
    m_library = m_api && m_api->initialize() == paNoError ? Library::started : Library::unavailable;
  }
  if (m_library != Library::started || format.wBitsPerSample != 32) return AudioOpen::no_device;
  close();
  const PaError error = m_api->open_default_stream(&m_stream, 0, format.nChannels, paInt32, format.nSamplesPerSec,
                                                   paFramesPerBufferUnspecified, nullptr, nullptr);
  if (error != paNoError) {
    m_stream = nullptr;
    return AudioOpen::no_device;
  }
  if (m_api->start_stream(m_stream) != paNoError) {
    close();
    return AudioOpen::no_device;
  }
  return AudioOpen::opened;
}

void PortAudioOut::play(std::span<const std::int32_t> samples) {
  if (!m_stream) return;
  const PaError written =
      m_api->write_stream(m_stream, samples.data(), static_cast<unsigned long>(samples.size()));
  // An underflow only means the device waited for us; the samples went out.
  if (written != paNoError && written != paOutputUnderflowed) fail(written);
  // Stopping waits until the buffered samples have been played.
  const PaError stopped = m_api->stop_stream(m_stream);
  if (stopped != paNoError) fail(stopped);
}

void PortAudioOut::close() {
  if (!m_stream) return;
  m_api->close_stream(m_stream);
  m_stream = nullptr;
}

}  // namespace korvel::qt
