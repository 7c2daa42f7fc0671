// The sound device and the list of named wave recordings the game plays by index.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class EInvalidWave : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sound device. Without one every play and stop does nothing.
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

private:
    bool initialized_ = false;
    struct Beep;
    std::unique_ptr<Beep> beep_;
};

class TDXWaveList;

class TWaveCollectionItem {
public:
    TWaveCollectionItem(TDXWaveList& owner, int index);
    ~TWaveCollectionItem();
    std::string Name;
    bool Looped = false;
    int MaxPlayingCount = 0;
    // Reads the wave; raises EInvalidWave "不正な Wave です" naming the file.
    void LoadFromFile(const std::string& path);
    void Play(bool wait);
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
    TDXSound& Sound() { return sound_; }
    // Told of every play that started (the replay tool lists them per frame).
    std::function<void(int index)> OnPlay;

private:
    TDXSound& sound_;
    std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};
