// gen-sounds FOLDER: synthesises the game's nine effects and writes them as
// FOLDER/i0.wav ... FOLDER/i8.wav (16-bit mono PCM), printing each one's figures.
#include <cstdio>
#include <string>

#include "effects.h"
#include "sound/audio_measure.h"
#include "sound/wave_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gen-sounds FOLDER\n");
    return 2;
  }
  int count = 0;
  const tavlero::sounds::EffectRecipe* recipes = tavlero::sounds::EffectRecipes(count);
  for (int id = 0; id < count; ++id) {
    const tavlero::platform::PcmSound sound = tavlero::sounds::ToPcm16(recipes[id].make());
    const std::string path = std::string(argv[1]) + "/i" + std::to_string(id) + ".wav";
    if (!tavlero::WriteWaveFile(path, sound)) {
      std::fprintf(stderr, "gen-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
    const tavlero::AudioFigures figures = tavlero::MeasureAudio(tavlero::Samples16(sound), 1, sound.sampleRate);
    std::printf("i%d.wav  %-36s %.3f s  peak %5.1f dBFS  RMS %5.1f dBFS\n", id, recipes[id].name, figures.seconds,
                figures.peakDbfs, figures.rmsDbfs);
  }
  return 0;
}
