// Draws a frame's triangles with one rasteriser per thread, each in its own band of whole
// rows. The calling thread prepares the triangles and queues each for the bands it
// reaches; every thread paints its band's background and draws its queued triangles' rows
// within its band, in queue order, while the queue is still being filled. A pixel goes through the
// same steps whoever draws it, so the picture does not depend on the number of threads. The bands
// are sized from the last frame's timings so that the threads finish together: the
// calling thread, busy preparing at first, ends up with fewer rows.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "scene/engine/call_ref.h"
#include "scene/engine/draw_queue.h"
#include "scene/engine/rasterizer.h"

namespace rm {

class DrawThreads;

class BandedRasterizer {
public:
    explicit BandedRasterizer(std::shared_ptr<DrawThreads> threads);

    // Draws one frame into the first width x height pixels of target, with a depth
    // buffer of as many floats: paints them the background colour if there is one, then
    // runs prepare on the calling thread, which hands over the frame's triangles through
    // Triangle and EndFace. Returns the number of faces that covered a pixel centre.
    int DrawFrame(const RenderTarget& target, float* depth, int width, int height,
                  std::optional<uint32_t> background, CallRef<> prepare);

    // For prepare: a triangle of the current face, and the end of that face (a face
    // clipped into a polygon gives several triangles).
    void Triangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const TriangleStyle& style);
    void EndFace();
    // Lets the other threads start on the triangles handed over so far.
    void Publish();

private:
    using Clock = std::chrono::steady_clock;
    struct alignas(64) Band {
        DrawQueue queue; // the triangles reaching the band's rows
        Rasterizer rasterizer;
        std::vector<uint8_t> covered; // per face number: frame_ when it covered a pixel
        double busy_seconds = 0;      // painting and drawing, without waiting for triangles
        double start_seconds = 0;     // from the start of the frame to the band's start
        double finish_seconds = 0;    // from the start of the frame to the band's end
    };

    void DrawBand(int index, const RenderTarget& target, float* depth, int width, int height,
                  std::optional<uint32_t> background);
    // Rows of the bands for count threads: where the band of each thread starts, and
    // the height at the end.
    void PlaceBands(int count, int height);
    void Rebalance();
    int CountCoveredFaces();

    std::shared_ptr<DrawThreads> threads_;
    std::vector<Band> bands_;
    Clock::time_point frame_start_;
    std::vector<int> edges_;           // band i has the rows edges_[i] .. edges_[i + 1] - 1
    bool queued_ = false;              // this frame's triangles go through the queue
    uint32_t face_ = 0;                // the current face's number in the frame
    bool face_covered_ = false;        // drawing at once: the current face covered a pixel
    int drawn_ = 0;                    // drawing at once: faces that covered a pixel
    std::vector<uint8_t> any_covered_; // per face: covered in some band
    uint8_t frame_ = 0; // marks this frame's entries in the bands' covered lists (a byte, so
                        // that counting reads little of what the other threads wrote)
};

} // namespace rm
