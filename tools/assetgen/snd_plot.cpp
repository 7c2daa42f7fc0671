#include "tools/assetgen/snd_plot.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace assetgen {
namespace {

constexpr int Width = 1000;
constexpr int WaveHeight = 160;
constexpr int SpectrumHeight = 256;
constexpr int Fft = 512;

struct Wave {
    int rate = 0;
    std::vector<uint8_t> samples;
};

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Only the layout our own writer produces: one fmt chunk, then the data chunk.
Wave ReadWave(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 44) throw std::runtime_error("short wave file " + path.string());
    Wave w;
    w.rate = static_cast<int>(Read32(bytes, 24));
    const uint32_t size = Read32(bytes, 40);
    w.samples.assign(bytes.begin() + 44, bytes.begin() + 44 + size);
    return w;
}

void Fourier(std::vector<std::complex<float>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const float angle = -2.0f * std::numbers::pi_v<float> / static_cast<float>(len);
        const std::complex<float> step(std::cos(angle), std::sin(angle));
        for (size_t i = 0; i < n; i += len) {
            std::complex<float> w(1);
            for (size_t k = 0; k < len / 2; ++k) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

// Black - blue - red - yellow - white for -72 dB .. 0 dB.
void HeatColour(float level, uint8_t* px) {
    const float t = std::clamp(level, 0.0f, 1.0f);
    const float r = std::clamp(t * 3.0f - 1.0f, 0.0f, 1.0f);
    const float g = std::clamp(t * 3.0f - 2.0f, 0.0f, 1.0f);
    const float b = std::clamp(t < 0.33f ? t * 3.0f : 2.0f - t * 3.0f + 0.0f, 0.0f, 1.0f) +
                    std::clamp(t * 3.0f - 2.0f, 0.0f, 1.0f);
    px[0] = static_cast<uint8_t>(r * 255);
    px[1] = static_cast<uint8_t>(g * 255);
    px[2] = static_cast<uint8_t>(std::min(1.0f, b) * 255);
}

void Plot(const Wave& w, const std::string& path) {
    const int height = WaveHeight + SpectrumHeight;
    std::vector<uint8_t> img(static_cast<size_t>(Width * height * 3), 0);
    auto put = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &img[static_cast<size_t>((y * Width + x) * 3)];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    };
    const size_t n = w.samples.size();
    // Waveform: the range of each column's samples; clipped samples (0 or 255) in red.
    for (int x = 0; x < Width; ++x) {
        put(x, WaveHeight / 2, 60, 60, 60);
        const size_t a = n * static_cast<size_t>(x) / Width;
        const size_t b = std::max(a + 1, n * static_cast<size_t>(x + 1) / Width);
        int lo = 255, hi = 0;
        bool clipped = false;
        for (size_t i = a; i < b && i < n; ++i) {
            lo = std::min<int>(lo, w.samples[i]);
            hi = std::max<int>(hi, w.samples[i]);
            clipped = clipped || w.samples[i] == 0 || w.samples[i] == 255;
        }
        const int y0 = (255 - hi) * (WaveHeight - 1) / 255;
        const int y1 = (255 - lo) * (WaveHeight - 1) / 255;
        for (int y = y0; y <= y1; ++y)
            put(x, y, clipped ? 255 : 80, clipped ? 40 : 220, clipped ? 40 : 120);
    }
    // Spectrogram: frequency rises upward from 0 to half the rate.
    std::vector<std::complex<float>> frame(Fft);
    for (int x = 0; x < Width; ++x) {
        const long centre = static_cast<long>(n * static_cast<size_t>(x) / Width);
        for (int i = 0; i < Fft; ++i) {
            const long j = centre + i - Fft / 2;
            const float s =
                j >= 0 && j < static_cast<long>(n)
                    ? (static_cast<float>(w.samples[static_cast<size_t>(j)]) - 128.0f) / 128.0f
                    : 0.0f;
            const float hann = 0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> *
                                                      static_cast<float>(i) / Fft);
            frame[static_cast<size_t>(i)] = s * hann;
        }
        Fourier(frame);
        for (int y = 0; y < SpectrumHeight; ++y) {
            const size_t bin = static_cast<size_t>(SpectrumHeight - 1 - y);
            const float mag = std::abs(frame[bin]) / (Fft / 4.0f);
            const float db = 20.0f * std::log10(mag + 1e-9f);
            HeatColour((db + 72.0f) / 72.0f,
                       &img[static_cast<size_t>(((WaveHeight + y) * Width + x) * 3)]);
        }
    }
    if (stbi_write_png(path.c_str(), Width, height, 3, img.data(), Width * 3) == 0)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

void WriteSoundPlots(const std::string& wave_dir, const std::string& plot_dir) {
    std::filesystem::create_directories(plot_dir);
    for (const auto& entry : std::filesystem::directory_iterator(wave_dir)) {
        if (entry.path().extension() != ".wav") continue;
        Plot(ReadWave(entry.path()), plot_dir + "/" + entry.path().stem().string() + ".png");
    }
}

} // namespace assetgen
