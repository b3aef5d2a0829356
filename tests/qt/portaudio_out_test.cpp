// A real tone through PortAudio into ALSA: a test-local ALSA configuration
// whose default output writes the raw samples it is given to a file.
#include "qt/portaudio_out.h"

#include <gtest/gtest.h>
#include <portaudio.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "sound/music.h"

namespace korvel::qt {
namespace {

std::vector<std::int32_t> raw_samples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  std::vector<std::int32_t> samples(bytes.size() / 4);
  std::copy_n(bytes.data(), samples.size() * 4, reinterpret_cast<char*>(samples.data()));
  return samples;
}

// ALSA reads ALSA_CONFIG_PATH at its first use in the process; the old
// value comes back afterwards.
class AlsaConfiguration {
 public:
  explicit AlsaConfiguration(const std::string& path) {
    if (const char* old = std::getenv("ALSA_CONFIG_PATH")) m_old = old;
    ::setenv("ALSA_CONFIG_PATH", path.c_str(), 1);
  }
  ~AlsaConfiguration() {
    if (m_old) ::setenv("ALSA_CONFIG_PATH", m_old->c_str(), 1);
    else ::unsetenv("ALSA_CONFIG_PATH");
  }

 private:
  std::optional<std::string> m_old;
};

bool has_alsa_host() {
  for (PaHostApiIndex i = 0; i < Pa_GetHostApiCount(); ++i)
    if (const PaHostApiInfo* info = Pa_GetHostApiInfo(i); info && info->type == paALSA) return true;
  return false;
}

TEST(PortAudioOut, TwoTonesReachTheDefaultOutputInOrder) {
  QTemporaryDir dir;
  const std::string config = dir.filePath("asound.conf").toStdString();
  const std::string capture = dir.filePath("capture.raw").toStdString();
  {
    std::ofstream out(config);
    // Without truncation every opening of the device gets a file of its
    // own: capture.raw, then capture.raw.0001 and so on.
    out << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << capture
        << "\"\n  format \"raw\"\n  truncate false\n}\n";
  }
  const AlsaConfiguration alsa(config);
  {
    // Only a machine without ALSA has nothing to test here.
    if (Pa_Initialize() != paNoError) GTEST_SKIP() << "PortAudio does not start here";
    const bool alsa_present = has_alsa_host();
    Pa_Terminate();
    if (!alsa_present) GTEST_SKIP() << "PortAudio has no ALSA host API on this machine";
  }

  TWaveFormatEx format;
  prepare_format(format);
  TWaveformSamples first, second;
  genere_ton(first, format, 440, 25, 0.5);
  genere_ton(second, format, 3000, 20, 0.5);

  PortAudioOut out;
  for (const TWaveformSamples* tone : {&first, &second}) {
    ASSERT_EQ(out.open(format), AudioOpen::opened);
    out.play(*tone);
    out.close();
  }

  // Each device heard its tone whole and in order; silence may surround it.
  const std::pair<std::string, const TWaveformSamples*> heard_as[] = {{capture, &first},
                                                                      {capture + ".0001", &second}};
  for (const auto& [file, tone] : heard_as) {
    const std::vector<std::int32_t> heard = raw_samples(file);
    const auto at = std::search(heard.begin(), heard.end(), tone->begin(), tone->end());
    EXPECT_NE(at, heard.end()) << file << " holds " << heard.size() << " samples, not the tone of " << tone->size();
    EXPECT_LE(heard.size(), tone->size() + 44100u) << "more than a second of silence";
  }
}

TEST(PortAudioOut, AFormatItDoesNotTakeOrAMissingLibraryIsNoDevice) {
  TWaveFormatEx format;
  prepare_format(format);
  {
    PortAudioOut out("libkorvel-no-such-audio.so.2");
    EXPECT_EQ(out.open(format), AudioOpen::no_device);
    EXPECT_EQ(out.open(format), AudioOpen::no_device) << "asked again";
    out.play(TWaveformSamples(8));  // nothing open: nothing played
  }
  PortAudioOut out;
  format.wBitsPerSample = 8;
  EXPECT_EQ(out.open(format), AudioOpen::no_device);
  out.close();  // harmless with nothing open
}

}  // namespace
}  // namespace korvel::qt
