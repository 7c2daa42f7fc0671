#include "media/mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// More than the stream ever keeps back (one 4096-byte packet).
constexpr size_t TailPaddingFrames = 4096;
} // namespace

bool MixerSound::Build(const WaveData& wave) {
    Release();
    int frequency = 0;
    uint16_t format = 0;
    int channels = 0;
    if (wave.samples.empty() || Mix_QuerySpec(&frequency, &format, &channels) == 0) return false;
    const SDL_AudioFormat source_format = wave.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioStream* stream =
        SDL_NewAudioStream(source_format, static_cast<Uint8>(wave.channels), wave.sample_rate,
                           format, static_cast<Uint8>(channels), frequency);
    if (stream == nullptr) return false;
    // A resampling stream keeps back up to a packet of the end even when flushed, so the
    // wave goes in followed by silence and comes out cut to its own length.
    std::vector<uint8_t> input = wave.samples;
    const uint8_t silence = wave.bits == 8 ? 0x80 : 0x00;
    input.resize(input.size() + TailPaddingFrames * static_cast<size_t>(wave.FrameBytes()),
                 silence);
    const size_t frame = static_cast<size_t>(SDL_AUDIO_BITSIZE(format) / 8 * channels);
    const uint64_t source_frames = wave.samples.size() / static_cast<size_t>(wave.FrameBytes());
    const uint64_t rate = static_cast<uint64_t>(wave.sample_rate);
    const uint64_t frames = (source_frames * static_cast<uint64_t>(frequency) + rate / 2) / rate;
    bool ok = SDL_AudioStreamPut(stream, input.data(), static_cast<int>(input.size())) == 0 &&
              SDL_AudioStreamFlush(stream) == 0;
    if (ok) {
        samples_.resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream)));
        const int got =
            SDL_AudioStreamGet(stream, samples_.data(), static_cast<int>(samples_.size()));
        ok = got > 0;
        const size_t whole = ok ? static_cast<size_t>(got) / frame * frame : 0;
        samples_.resize(std::min(whole, static_cast<size_t>(frames) * frame));
    }
    SDL_FreeAudioStream(stream);
    if (!ok || samples_.empty()) {
        samples_.clear();
        return false;
    }
    chunk_ = Mix_QuickLoad_RAW(samples_.data(), static_cast<Uint32>(samples_.size()));
    if (chunk_ != nullptr) Mix_VolumeChunk(chunk_, MIX_MAX_VOLUME / MixHeadroom);
    return chunk_ != nullptr;
}

void MixerSound::Release() {
    if (chunk_ != nullptr) Mix_FreeChunk(chunk_); // halts its channels first
    chunk_ = nullptr;
    samples_.clear();
}

int FreeChannel() {
    const int count = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < count; ++channel)
        if (Mix_Playing(channel) == 0) return channel;
    if (Mix_AllocateChannels(count + 1) != count + 1) return -1;
    return count;
}

bool ChannelPlays(int channel, const Mix_Chunk* chunk) {
    return channel >= 0 && channel < Mix_AllocateChannels(-1) && Mix_Playing(channel) != 0 &&
           Mix_GetChunk(channel) == chunk;
}

WaveData SynthesiseBeep() {
    WaveData beep;
    beep.channels = 1;
    beep.bits = 16;
    beep.sample_rate = 22050;
    constexpr double Pitch = 880.0;
    constexpr double Seconds = 0.12;
    constexpr double Fade = 0.01; // short fades keep the edges from clicking
    const int frames = static_cast<int>(beep.sample_rate * Seconds);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / beep.sample_rate;
        const double envelope = std::min({1.0, t / Fade, (Seconds - t) / Fade});
        const double value = 0.4 * envelope * std::sin(2.0 * std::numbers::pi * Pitch * t);
        const auto sample = static_cast<int16_t>(std::lround(value * 32767.0));
        const auto bits = static_cast<uint16_t>(sample);
        beep.samples.push_back(static_cast<uint8_t>(bits & 0xFF));
        beep.samples.push_back(static_cast<uint8_t>(bits >> 8));
    }
    return beep;
}
