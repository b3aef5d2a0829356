// The M key's burst of random tones: musique, ton, prepare_format,
// genere_ton and joue_son.
#include "sound/music.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/main_window.h"

namespace korvel {

void prepare_format(TWaveFormatEx& format_onde) {
  format_onde.wFormatTag = 1;
  format_onde.nChannels = 1;
  format_onde.nSamplesPerSec = 44100;
  format_onde.wBitsPerSample = 32;
  format_onde.nAvgBytesPerSec = format_onde.nChannels * format_onde.nSamplesPerSec * format_onde.wBitsPerSample / 8;
  format_onde.nBlockAlign = std::uint16_t(format_onde.nChannels * format_onde.wBitsPerSample / 8);
  format_onde.cbSize = 0;
}

namespace {

// d / 1000 × rate rounded to the nearest, halves to even, in integers: in
// floating point 85 ms at 44100 Hz comes out a hair above its half. A
// negative duration has no samples.
std::size_t nombre_echantillons(std::int32_t d, std::uint32_t rate) {
  if (d <= 0) return 0;
  const std::uint64_t millis = std::uint64_t(d) * rate;
  std::uint64_t count = millis / 1000;
  const std::uint64_t rest = millis % 1000;
  if (rest > 500 || (rest == 500 && count % 2 == 1)) ++count;
  return std::size_t(count);
}

}  // namespace

void genere_ton(TWaveformSamples& echantillons, const TWaveFormatEx& format_onde, std::int32_t f, std::int32_t d,
                double a) {
  const double rate = format_onde.nSamplesPerSec;
  echantillons.resize(nombre_echantillons(d, format_onde.nSamplesPerSec));
  const double omega = 2 * std::numbers::pi * f;
  const double dt = 1 / rate;
  const double scale = a * kPleineEchelle;
  double t = 0;
  for (std::int32_t& sample : echantillons) {
    // Within the sample range also for an amplitude above full scale.
    sample = std::int32_t(std::clamp(nearest(std::sin(omega * t) * scale), -2147483648.0, kPleineEchelle));
    t += dt;
  }
}

void TForm1::musique() {
  // Nothing is handled while the tones play.
  const LongRun run(desktop());
  m_random.Randomize();
  const int count = Random(30) + 10;
  for (int i = 0; i < count; ++i) {
    freq_ton = Random(5000) + 120;
    duree_ton = Random(80) + 20;
    amplitude_ton = 0.5;
    ton(freq_ton, duree_ton, amplitude_ton);
  }
}

void TForm1::ton(std::int32_t f, std::int32_t d, double a) {
  // A failing tone is reported and the burst goes on with the next one.
  try {
    prepare_format(format_onde);
    korvel::genere_ton(echantillons, format_onde, f, d, a);
    joue_son();
  } catch (const Exception& e) {
    console().write_line(std::string(e.class_name()) + ": " + e.what());
    console().wait_for_enter();
  }
}

void TForm1::joue_son() {
  if (echantillons.empty()) {
    console().write_line("Error: No audio has been created yet.");
    return;
  }
  if (audio().open(format_onde) != AudioOpen::opened) return;
  struct Fermeture {
    AudioOut& audio;
    ~Fermeture() { audio.close(); }
  } fermeture{audio()};
  audio().play(echantillons);
}

}  // namespace korvel
