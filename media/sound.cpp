#include "media/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

#include "media/language.h"
#include "media/mixer.h"
#include "media/output_limiter.h"
#include "media/read_file.h"
#include "media/report.h"
#include "media/volume_ramp.h"
#include "media/wave_file.h"

namespace {
constexpr int DeviceRate = 44100;
constexpr int DeviceChannels = 2;
constexpr int DeviceBufferFrames = 1024;
constexpr Uint32 WaitPollMs = 10;
// Longer than the fade and the device's buffers take to play out.
constexpr Uint32 FadeOutPatienceMs = 250;

// A playing sound's volume stage, registered on its channel before it starts; SDL_mixer
// lets go of it (ForgetVolume) when the sound ends or is halted.
struct ChannelVolume {
    VolumeRamp ramp;
    const std::atomic<float>& target;
    int channels;
};

void SDLCALL ScaleChannel(int, void* stream, int length, void* data) {
    auto* volume = static_cast<ChannelVolume*>(data);
    volume->ramp.Process(std::span(static_cast<int16_t*>(stream), static_cast<size_t>(length) / 2),
                         volume->channels, volume->target.load());
}

void SDLCALL ForgetVolume(int, void* data) {
    delete static_cast<ChannelVolume*>(data);
}

void SDLCALL LimitOutput(void* limiter, Uint8* stream, int length) {
    static_cast<OutputLimiter*>(limiter)->Process(
        std::span(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 2));
}
} // namespace

// ---------------------------------------------------------------- the device

struct TDXSound::Beep {
    MixerSound sound;
};

TDXSound::TDXSound() : beep_(std::make_unique<Beep>()) {}

TDXSound::~TDXSound() {
    Finalize();
}

namespace {
const char* const NoSoundDevice = TrMark("サウンドデバイスがありません（%s）。音なしで遊びます。");
} // namespace

bool TDXSound::Initialize() {
    if (initialized_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (!reported_missing_) ReportProblemLine("", Format(Tr(NoSoundDevice), SDL_GetError()));
        reported_missing_ = true;
        return false;
    }
    if (Mix_OpenAudio(DeviceRate, AUDIO_S16SYS, DeviceChannels, DeviceBufferFrames) != 0) {
        if (!reported_missing_) ReportProblemLine("", Format(Tr(NoSoundDevice), Mix_GetError()));
        reported_missing_ = true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    rate_ = rate;
    channels_ = channels;
    limiter_ = std::make_unique<OutputLimiter>(rate, channels, static_cast<float>(MixHeadroom));
    Mix_SetPostMix(LimitOutput, limiter_.get());
    initialized_ = true;
    beep_->sound.Build(SynthesiseBeep());
    Notify_(Notify::Initialize);
    return true;
}

void TDXSound::Finalize() {
    paused_ = false;
    if (!initialized_) return;
    FadeOut();
    Notify_(Notify::Finalize);
    beep_->sound.Release();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    limiter_.reset();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initialized_ = false;
}

// Closing the device cuts off whatever plays; a short fade first keeps that from ending in
// a click at full level.
void TDXSound::FadeOut() {
    if (Mix_Playing(-1) == 0 && limiter_->LastOutputSilent()) return;
    limiter_->StartFadeOut();
    const Uint32 start = SDL_GetTicks();
    while (!limiter_->FadedOut() && SDL_GetTicks() - start < FadeOutPatienceMs) SDL_Delay(1);
}

void TDXSound::HoldOutput() {
    limiter_->SetHeld(true);
    if (Mix_Playing(-1) == 0 && limiter_->LastOutputSilent()) return;
    const Uint32 start = SDL_GetTicks();
    while (!limiter_->Silenced() && SDL_GetTicks() - start < FadeOutPatienceMs) SDL_Delay(1);
}

void TDXSound::PauseAll() {
    if (paused_) return;
    paused_ = true;
    if (!initialized_) return;
    HoldOutput();
    Mix_Pause(-1);
}

void TDXSound::ResumeAll() {
    if (!paused_) return;
    paused_ = false;
    if (!initialized_) return;
    Mix_Resume(-1);
    limiter_->SetHeld(false);
}

void TDXSound::StopAll() {
    const bool was_paused = paused_;
    paused_ = false;
    if (!initialized_) return;
    if (!was_paused) HoldOutput();
    Mix_HaltChannel(-1);
    Mix_Resume(-1);
    limiter_->SetHeld(false);
}

void TDXSound::MessageBeep() {
    if (OnBeep) OnBeep();
    if (initialized_) Play(beep_->sound.chunk(), -1, 0, SoundKind::Effect);
}

void TDXSound::SetVolumes(float music, float effects) {
    gains_[static_cast<size_t>(SoundKind::Music)].store(music);
    gains_[static_cast<size_t>(SoundKind::Effect)].store(effects);
}

int TDXSound::Play(Mix_Chunk* chunk, int channel, int loops, SoundKind kind) {
    if (!initialized_ || chunk == nullptr) return -1;
    if (channel < 0) channel = FreeChannel();
    if (channel < 0) return -1;
    // The channel is silent here, so the stage is in place before the first sample mixes.
    Mix_UnregisterEffect(channel, ScaleChannel);
    const std::atomic<float>& target = gains_[static_cast<size_t>(kind)];
    auto* volume = new ChannelVolume{VolumeRamp(rate_, target.load()), target, channels_};
    if (Mix_RegisterEffect(channel, ScaleChannel, ForgetVolume, volume) == 0) delete volume;
    return Mix_PlayChannel(channel, chunk, loops);
}

int TDXSound::AddNotifyListener(std::function<void(Notify)> listener) {
    listeners_.emplace_back(next_listener_id_, std::move(listener));
    return next_listener_id_++;
}

void TDXSound::RemoveNotifyListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TDXSound::Notify_(Notify what) {
    for (auto& [id, listener] : listeners_) listener(what);
}

// ---------------------------------------------------------------- one recording

struct TWaveCollectionItem::Impl {
    std::optional<WaveData> wave; // kept without a device, so a later one can play it
    MixerSound sound;             // the wave in the device's format while a device is open
    std::vector<int> copies;      // channels of this item's copies, oldest first

    // Forgets copies that finished (or whose channel another sound has taken since).
    void Prune() {
        std::erase_if(copies, [this](int ch) { return !ChannelPlays(ch, sound.chunk()); });
    }
    void Build() {
        copies.clear();
        if (wave) sound.Build(*wave);
    }
    void Release() {
        copies.clear();
        sound.Release();
    }
};

TWaveCollectionItem::TWaveCollectionItem(TDXWaveList& owner, int index)
    : owner_(owner), index_(index), impl_(std::make_unique<Impl>()) {}

TWaveCollectionItem::~TWaveCollectionItem() = default;

void TWaveCollectionItem::LoadFromFile(const std::string& path) {
    LoadFromBytes(ReadBinaryFile(path), path);
}

void TWaveCollectionItem::LoadFromBytes(const std::vector<uint8_t>& bytes,
                                        const std::string& name) {
    WaveData wave = ParseWave(bytes, name); // raises before anything is replaced
    impl_->Release();
    impl_->wave = std::move(wave);
    if (owner_.Sound().Initialized()) impl_->Build();
}

bool TWaveCollectionItem::HasWave() const {
    return impl_->wave.has_value();
}

void TWaveCollectionItem::Play(bool wait) {
    Impl& d = *impl_;
    int channel = -1;
    if (owner_.Sound().Initialized() && d.sound.chunk() != nullptr) {
        d.Prune();
        Mix_Chunk* chunk = d.sound.chunk();
        if (Looped) {
            // Never overlaps itself: the running loop starts again from the beginning.
            if (!d.copies.empty()) {
                channel = d.copies.front();
                Mix_HaltChannel(channel);
                channel = owner_.Sound().Play(chunk, channel, -1, Kind);
                d.copies.clear();
            } else {
                channel = owner_.Sound().Play(chunk, -1, -1, Kind);
            }
        } else if (MaxPlayingCount > 0 && static_cast<int>(d.copies.size()) >= MaxPlayingCount) {
            // At the limit the oldest copy starts over as the newest.
            channel = d.copies.front();
            d.copies.erase(d.copies.begin());
            Mix_HaltChannel(channel);
            channel = owner_.Sound().Play(chunk, channel, 0, Kind);
        } else {
            channel = owner_.Sound().Play(chunk, -1, 0, Kind);
        }
        if (channel >= 0) d.copies.push_back(channel);
    }
    if (owner_.OnPlay) owner_.OnPlay(index_);
    // Waiting on a loop would never end, so only single plays are waited for.
    if (wait && !Looped && channel >= 0)
        while (ChannelPlays(channel, d.sound.chunk())) SDL_Delay(WaitPollMs);
}

void TWaveCollectionItem::Stop() {
    Impl& d = *impl_;
    for (int channel : d.copies)
        if (ChannelPlays(channel, d.sound.chunk())) Mix_HaltChannel(channel);
    d.copies.clear();
    if (owner_.OnStop) owner_.OnStop(index_);
}

int TWaveCollectionItem::PlayingCount() const {
    const Impl& d = *impl_;
    return static_cast<int>(std::count_if(d.copies.begin(), d.copies.end(), [&d](int ch) {
        return ChannelPlays(ch, d.sound.chunk());
    }));
}

// ---------------------------------------------------------------- the list

TDXWaveList::TDXWaveList(TDXSound& sound) : sound_(sound) {
    listener_id_ = sound_.AddNotifyListener([this](TDXSound::Notify what) {
        for (auto& item : items_) {
            if (what == TDXSound::Notify::Initialize)
                item->impl_->Build();
            else
                item->impl_->Release();
        }
    });
}

TDXWaveList::~TDXWaveList() {
    sound_.RemoveNotifyListener(listener_id_);
    for (auto& item : items_) item->impl_->Release();
}

TWaveCollectionItem& TDXWaveList::Add() {
    items_.push_back(std::make_unique<TWaveCollectionItem>(*this, Count()));
    return *items_.back();
}

int TDXWaveList::IndexOf(const std::string& name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Name == name) return static_cast<int>(i);
    return -1;
}
