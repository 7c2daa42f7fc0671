// libFuzzer target for the wave reader and the conversion of a recording to the sound
// device's format (SDL's dummy audio driver stands in for a sound card).
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/mixer.h"
#include "media/sound.h"
#include "media/wave_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    WaveData wave;
    try {
        wave = ParseWave(bytes, "fuzz.wav");
    } catch (const EInvalidWave&) {
        return 0;
    }
    // What the reader accepts is a format the mixer is given: whole frames of PCM.
    if (wave.channels != 1 && wave.channels != 2) __builtin_trap();
    if (wave.bits != 8 && wave.bits != 16) __builtin_trap();
    if (wave.sample_rate <= 0) __builtin_trap();
    if (wave.samples.size() % static_cast<size_t>(wave.FrameBytes()) != 0) __builtin_trap();

    MixerSound sound;
    if (sound.Build(wave)) {
        int rate = 0, channels = 0;
        uint16_t format = 0;
        Mix_QuerySpec(&rate, &format, &channels);
        const auto frame = static_cast<uint32_t>(SDL_AUDIO_BITSIZE(format) / 8 * channels);
        if (sound.chunk()->alen == 0 || sound.chunk()->alen % frame != 0) __builtin_trap();
    }
    return 0;
}
