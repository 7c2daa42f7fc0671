// The last stage of the sound output: the mix, made with headroom, is brought back to its
// level and kept below full scale. Many sounds at once (a wall of explosions over the
// music) would otherwise add up past the largest sample and clip; here the gain comes down
// smoothly just before such a peak and recovers slowly after it, so nothing clips and
// nothing clicks, while a mix that fits is passed at its own level. On request the output
// fades to silence, so closing the device does not cut a sound off at full level; held, it
// fades to silence and back up when let go, so a pause neither clicks.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <utility>
#include <vector>

class OutputLimiter {
public:
    // The highest level the output reaches: 0.3 dB below full scale.
    static constexpr float Ceiling = 31650.0f;
    static constexpr double LookAheadSeconds = 0.005; // the gain comes down over this
    static constexpr double ReleaseSeconds = 0.1;     // and recovers with this time constant
    static constexpr double FadeOutSeconds = 0.03;

    // makeup: the factor the mix was made quieter by, given back here.
    OutputLimiter(int rate, int channels, float makeup);

    // Limits interleaved 16-bit frames in place. The output is the input of
    // LookAheadFrames() frames earlier (silence at first).
    void Process(std::span<int16_t> samples);
    size_t LookAheadFrames() const { return look_ahead_; }

    // Any thread: from the next Process on the output fades out over FadeOutSeconds and
    // then stays silent.
    void StartFadeOut() { fade_requested_.store(true); }
    // Any thread: true once the fade has ended and a whole silent call has followed it.
    bool FadedOut() const { return faded_out_.load(); }
    // Any thread: while held the output fades to silence over FadeOutSeconds; let go, it
    // comes back up over the same time (unless a fade-out was asked for).
    void SetHeld(bool held) { held_.store(held); }
    // Any thread: true once the output is silent because of a hold or a fade-out and a
    // whole silent call has followed.
    bool Silenced() const { return silenced_.load(); }
    // Any thread: true when the last call gave nothing but silence.
    bool LastOutputSilent() const { return last_silent_.load(); }

private:
    float GainFor(float required); // one frame's limiting gain, look-ahead and release applied

    int channels_;
    float makeup_;
    size_t look_ahead_;
    float release_step_;
    float fade_step_;

    std::vector<float> delay_; // look_ahead_ frames of input, interleaved
    size_t delay_at_ = 0;
    // The smallest gain the frames in the look-ahead window require: (frame, gain), rising.
    std::deque<std::pair<uint64_t, float>> window_min_;
    uint64_t frame_ = 0;
    float envelope_ = 1.0f;            // the required gain with the slow release
    std::vector<float> envelope_ring_; // the last look_ahead_ envelope values
    double envelope_sum_ = 0;
    size_t ring_at_ = 0;

    float fade_gain_ = 1.0f;
    bool silent_after_fade_ = false;
    std::atomic<bool> fade_requested_{false};
    std::atomic<bool> faded_out_{false};
    std::atomic<bool> held_{false};
    std::atomic<bool> silenced_{false};
    std::atomic<bool> last_silent_{true};
};
