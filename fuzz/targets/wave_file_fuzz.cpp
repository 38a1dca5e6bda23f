// Wave files as the effects player loads them ("wav/i%d.wav"): read whole, parsed, and
// handed to the SDL audio back end on its silent "dummy" driver, which converts the
// samples to the output format; then played. Without an audio device the samples go
// to the recording fake instead.
#include <cstdint>
#include <memory>

#include "fuzz_support.h"
#include "platform/fake_audio_system.h"
#include "platform/sdl/sdl_audio_system.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace {

tavlero::platform::AudioSystem& Audio() {
  static const std::unique_ptr<tavlero::platform::AudioSystem> audio = [] {
    tavlero::platform::SdlAudioOptions options;
    options.driver = "dummy";
    auto sdl = std::make_unique<tavlero::platform::SdlAudioSystem>(options);
    if (sdl->Available()) return std::unique_ptr<tavlero::platform::AudioSystem>(std::move(sdl));
    return std::unique_ptr<tavlero::platform::AudioSystem>(std::make_unique<tavlero::platform::FakeAudioSystem>());
  }();
  return *audio;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Audio();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tavlero::fuzz::MemoryFile file(tavlero::fuzz::AsText(data, size));
  tavlero::OSound effects;
  effects.Init(&Audio());
  if (!effects.LoadEffect(3, file.Path())) return 0;
  effects.Play(3, true);
  effects.SetVolume(1000);

  // What was parsed must write out and parse back as the same sound.
  tavlero::platform::PcmSound sound;
  tavlero::fuzz::Require(tavlero::ReadWaveFile(file.Path(), sound), "a loaded effect does not read again");
  tavlero::platform::PcmSound back;
  tavlero::fuzz::Require(tavlero::ParseWave(tavlero::EncodeWave(sound), back), "a written sound does not parse");
  tavlero::fuzz::Require(back.sampleRate == sound.sampleRate && back.channels == sound.channels &&
                             back.bitsPerSample == sound.bitsPerSample && back.data == sound.data,
                         "a written sound parses as another");
  return 0;
}
