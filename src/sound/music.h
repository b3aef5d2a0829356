#pragma once
// Random tones synthesised as sine waves: the sample format and the
// synthesis. Playing them is TForm1's musique, ton and joue_son.
#include <cstdint>

#include "platform/audio_out.h"

namespace korvel {

inline constexpr double kPleineEchelle = 2147483647.0;

// 32-bit signed integer PCM, one channel, 44100 samples per second.
void prepare_format(TWaveFormatEx& format_onde);

// One tone of `f` Hz lasting `d` ms at amplitude `a` (a fraction of full
// scale): round(d / 1000 * rate) samples, halves to even, starting at phase
// 0, the time accumulated sample by sample. Fills `echantillons`.
void genere_ton(TWaveformSamples& echantillons, const TWaveFormatEx& format_onde, std::int32_t f, std::int32_t d,
                double a);

}  // namespace korvel
