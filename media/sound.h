// The sound device and the list of named wave recordings the game plays by index.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class OutputLimiter;
struct Mix_Chunk;

// What a recording is to the player's volumes: music or a sound effect.
enum class SoundKind : uint8_t { Effect, Music };

class EInvalidWave : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sound device. Without one every play and stop does nothing. Sounds keep playing
// while the window is in the background.
class TDXSound {
public:
    TDXSound();
    ~TDXSound();
    TDXSound(const TDXSound&) = delete;
    TDXSound& operator=(const TDXSound&) = delete;

    // Opens the device; returns false (and stays silent) when there is none.
    bool Initialize();
    void Finalize();
    bool Initialized() const { return initialized_; }
    // The platform's default warning sound (a short beep through the device).
    void MessageBeep();
    // Every sound playing stops where it is, after a short fade (no click), and goes on
    // from there when resumed, fading back in.
    void PauseAll();
    void ResumeAll();
    bool Paused() const { return paused_; }
    // Every sound ends, after a short fade, paused or not (a new game begins silent).
    void StopAll();
    // The gains (VolumeGain) of music and of effects, for sounds starting from now on and
    // for those playing, which ramp to them. Both 1 at first: the mix as designed.
    void SetVolumes(float music, float effects);
    float VolumeOf(SoundKind kind) const { return gains_[static_cast<size_t>(kind)].load(); }
    // Starts the chunk on the channel (a free one: -1) at its kind's volume; loops -1
    // repeats forever. Returns the channel, or -1.
    int Play(Mix_Chunk* chunk, int channel, int loops, SoundKind kind);

    // Told of every beep, with or without a device (tests and the replay tool).
    std::function<void()> OnBeep;

    // Wave lists hear when the device opens (they build their sounds) and before it
    // closes (they release them).
    enum class Notify { Initialize, Finalize };
    int AddNotifyListener(std::function<void(Notify)> listener);
    void RemoveNotifyListener(int id);

private:
    void Notify_(Notify what);
    void FadeOut();
    // Fades the output down and returns once it is silent (or the patience ran out).
    void HoldOutput();

    bool initialized_ = false;
    bool paused_ = false;
    std::unique_ptr<OutputLimiter> limiter_; // the output stage while the device is open
    std::array<std::atomic<float>, 2> gains_{1.0f, 1.0f}; // by SoundKind, read while mixing
    int rate_ = 0, channels_ = 0;                         // the open device's
    bool reported_missing_ = false;
    struct Beep;
    std::unique_ptr<Beep> beep_;
    std::vector<std::pair<int, std::function<void(Notify)>>> listeners_;
    int next_listener_id_ = 1;
};

class TDXWaveList;

class TWaveCollectionItem {
public:
    TWaveCollectionItem(TDXWaveList& owner, int index);
    ~TWaveCollectionItem();
    TWaveCollectionItem(const TWaveCollectionItem&) = delete;
    TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

    std::string Name;
    bool Looped = false;
    SoundKind Kind = SoundKind::Effect;
    int MaxPlayingCount = 0; // 0: any number of copies overlap
    // Reads the wave; raises EInvalidWave "不正な Wave です" naming the file (and
    // EFOpenError for a missing one). The wave is kept even without a device.
    void LoadFromFile(const std::string& path);
    void LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& name);
    bool HasWave() const;
    // A looped item restarts from the beginning; other items start one more copy.
    // With wait set, returns when a single play has finished.
    void Play(bool wait);
    // Silences every playing copy at once.
    void Stop();
    int PlayingCount() const; // copies playing now (tests)

private:
    friend class TDXWaveList;
    struct Impl;
    TDXWaveList& owner_;
    int index_;
    std::unique_ptr<Impl> impl_;
};

class TDXWaveList {
public:
    explicit TDXWaveList(TDXSound& sound);
    ~TDXWaveList();
    TDXWaveList(const TDXWaveList&) = delete;
    TDXWaveList& operator=(const TDXWaveList&) = delete;

    TWaveCollectionItem& Add();
    TWaveCollectionItem& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(items_.size()); }
    // Index of the item with this name, or -1.
    int IndexOf(const std::string& name) const;
    TDXSound& Sound() { return sound_; }
    // Told of every play that started (the replay tool lists them per frame).
    std::function<void(int index)> OnPlay;
    // Told of every stop request (the replay tool lists them per frame).
    std::function<void(int index)> OnStop;

private:
    TDXSound& sound_;
    int listener_id_ = 0;
    std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};
