// A real tone through PortAudio into ALSA: a test-local ALSA configuration
// whose default output writes the raw samples it is given to a file.
#include "qt/portaudio_out.h"

#include <gtest/gtest.h>
#include <dlfcn.h>
#include <portaudio.h>

#include <QFileInfo>
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

// ALSA's default output as a file, `capture`, for the test's lifetime.
// Without truncation every opening of the device gets a file of its own:
// capture.raw, then capture.raw.0001 and so on.
struct AlsaFileOutput : ::testing::Test {
  QTemporaryDir dir;
  std::string capture = dir.filePath("capture.raw").toStdString();
  std::optional<AlsaConfiguration> alsa;

  void SetUp() override {
    const std::string config = dir.filePath("asound.conf").toStdString();
    {
      std::ofstream out(config);
      out << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << capture
          << "\"\n  format \"raw\"\n  truncate false\n}\n";
    }
    alsa.emplace(config);
    // Only a machine without ALSA has nothing to test here.
    if (Pa_Initialize() != paNoError) GTEST_SKIP() << "PortAudio does not start here";
    const bool alsa_present = has_alsa_host();
    Pa_Terminate();
    if (!alsa_present) GTEST_SKIP() << "PortAudio has no ALSA host API on this machine";
  }
};

TEST_F(AlsaFileOutput, TwoTonesReachTheDefaultOutputInOrder) {
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

// With a device there, a format other than the one the burst uses is
// refused as no device, opens nothing, and the next tone plays as usual.
TEST_F(AlsaFileOutput, AFormatItDoesNotTakeIsNoDeviceAndOpensNothing) {
  TWaveFormatEx format;
  prepare_format(format);
  TWaveformSamples tone;
  genere_ton(tone, format, 1000, 20, 0.5);
  PortAudioOut out;
  TWaveFormatEx eight_bits = format;
  eight_bits.wBitsPerSample = 8;
  EXPECT_EQ(out.open(eight_bits), AudioOpen::no_device);
  out.play(tone);  // nothing open: nothing played
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(capture))) << "the device was opened";
  ASSERT_EQ(out.open(format), AudioOpen::opened);
  out.play(tone);
  out.close();
  const std::vector<std::int32_t> heard = raw_samples(capture);
  EXPECT_NE(std::search(heard.begin(), heard.end(), tone.begin(), tone.end()), heard.end());
}

TEST(PortAudioOut, AMissingLibraryIsNoDevice) {
  TWaveFormatEx format;
  prepare_format(format);
  PortAudioOut out("libkorvel-no-such-audio.so.2");
  EXPECT_EQ(out.open(format), AudioOpen::no_device);
  EXPECT_EQ(out.open(format), AudioOpen::no_device) << "asked again";
  out.play(TWaveformSamples(8));  // nothing open: nothing played
  out.close();                    // harmless with nothing open
}

// A library without every call is no PortAudio: it is not started, and it
// is unloaded again.
TEST(PortAudioOut, AnIncompleteLibraryIsNoDeviceAndIsClosedAgain) {
  const char* const path = KORVEL_INCOMPLETE_PORTAUDIO;
  ASSERT_EQ(dlopen(path, RTLD_NOW | RTLD_NOLOAD), nullptr) << "loaded before the test";
  TWaveFormatEx format;
  prepare_format(format);
  {
    PortAudioOut out(path);
    EXPECT_EQ(out.open(format), AudioOpen::no_device);
    EXPECT_EQ(dlopen(path, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  }
  EXPECT_EQ(dlopen(path, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
}

}  // namespace
}  // namespace korvel::qt
