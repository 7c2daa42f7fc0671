// Draws a frame's set-up triangles strip by strip: a strip is a few whole rows, few enough
// that its colour and depth stay in a core's own cache while all of its triangles are drawn,
// so the depth buffer never goes out to memory and each pixel goes out once. Every thread
// takes the next strip not yet taken as it finishes one, so the threads finish together
// however the work lies on the screen. A pixel goes through the same steps whoever draws
// it, so the picture does not depend on the number of threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "scene/engine/rasterizer.h"
#include "scene/engine/triangle_bins.h"

namespace rm {

// Hands out strips 0 .. count - 1, each once, in order, to whichever thread asks next.
class StripClaims {
public:
    // Starts a frame of count strips; no thread may be taking strips meanwhile.
    void Reset(int count) {
        count_ = count;
        next_.store(0, std::memory_order_relaxed);
    }
    // The next strip not yet handed out, or none when all have been.
    std::optional<int> Next() {
        const int strip = next_.fetch_add(1, std::memory_order_relaxed);
        if (strip >= count_) return std::nullopt;
        return strip;
    }

private:
    int count_ = 0;
    std::atomic<int> next_{0};
};

// A chunk of the frame and the number its first face has among all the frame's faces.
struct ChunkInFrame {
    const TriangleChunk* chunk;
    uint32_t face_base;
};

class StripRasterizer {
public:
    // Rows per strip for a surface width pixels wide.
    static int StripRows(int width);

    // Starts a frame in the first width x height pixels of target, painted the background
    // colour first if there is one, for threads threads. One thread calls it, before any
    // takes strips.
    void Begin(const RenderTarget& target, int width, int height,
               std::optional<uint32_t> background, int threads);
    int Rows() const { return strip_rows_; }

    // Draws strips until none is left: called by each thread with its number, the chunks
    // in drawing order, faces numbered below face_count.
    void DrawStrips(int thread, std::span<const ChunkInFrame> chunks, uint32_t face_count);

    // After every thread's DrawStrips: the faces that covered a pixel centre.
    int CountCoveredFaces(uint32_t face_count);

private:
    struct alignas(64) PerThread {
        std::vector<float> depth;     // the rows of the strip being drawn
        std::vector<uint8_t> ready;   // per row of the strip: depth zeroed
        std::vector<uint8_t> covered; // per face: covered a pixel centre in this thread's strips
    };

    RenderTarget target_;
    int width_ = 0, height_ = 0;
    std::optional<uint32_t> background_;
    int strip_rows_ = 1;
    StripClaims claims_;
    std::vector<PerThread> threads_;
    std::vector<uint8_t> any_covered_;
};

} // namespace rm
