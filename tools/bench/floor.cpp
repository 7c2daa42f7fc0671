#include "tools/bench/floor.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "scene/engine/draw_threads.h"

namespace bench_floor {

namespace {

constexpr int Tries = 15;

} // namespace

double FloorMs(int width, int height, int threads) {
    const size_t row = static_cast<size_t>(width);
    std::vector<uint32_t> colour(row * static_cast<size_t>(height), 1);
    std::vector<float> depth(row * static_cast<size_t>(height), 1.0f); // both in memory already
    rm::DrawThreads drawing(threads);
    drawing.Run([](int) {}); // the helpers started
    std::vector<double> times;
    for (int i = 0; i < Tries; ++i) {
        const uint8_t value = static_cast<uint8_t>(i);
        const auto start = std::chrono::steady_clock::now();
        drawing.Run([&](int index) {
            const size_t first = row * static_cast<size_t>(height * index / threads);
            const size_t end = row * static_cast<size_t>(height * (index + 1) / threads);
            std::memset(colour.data() + first, value, (end - first) * sizeof(uint32_t));
            std::memset(depth.data() + first, value, (end - first) * sizeof(float));
        });
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace bench_floor
