#include "scene/engine/strip_rasterizer.h"

#include <algorithm>
#include <cstring>

namespace rm {

namespace {

// A strip's colour and depth together: well within the second-level cache of one core.
constexpr int StripBytes = 256 * 1024;
constexpr int MaxStripRows = 64;

} // namespace

int StripRasterizer::StripRows(int width) {
    const int row_bytes = std::max(width, 1) * static_cast<int>(sizeof(uint32_t) + sizeof(float));
    return std::clamp(StripBytes / row_bytes, 1, MaxStripRows);
}

void StripRasterizer::Begin(const RenderTarget& target, int width, int height,
                            std::optional<uint32_t> background, int threads) {
    target_ = target;
    width_ = width;
    height_ = height;
    background_ = background;
    strip_rows_ = StripRows(width);
    claims_.Reset((height + strip_rows_ - 1) / strip_rows_);
    if (threads_.size() != static_cast<size_t>(threads))
        threads_ = std::vector<PerThread>(static_cast<size_t>(threads));
}

void StripRasterizer::DrawStrips(int thread, std::span<const ChunkInFrame> chunks,
                                 uint32_t face_count) {
    PerThread& own = threads_[static_cast<size_t>(thread)];
    own.depth.resize(static_cast<size_t>(strip_rows_) * static_cast<size_t>(width_));
    own.ready.resize(static_cast<size_t>(strip_rows_));
    own.covered.assign(face_count, 0);
    while (const std::optional<int> strip = claims_.Next()) {
        StripTarget rows;
        rows.pixels = target_.pixels;
        rows.pitch = target_.pitch;
        rows.depth = own.depth.data();
        rows.width = width_;
        rows.first_row = *strip * strip_rows_;
        rows.end_row = std::min(rows.first_row + strip_rows_, height_);
        rows.depth_ready = own.ready.data();
        std::fill(own.ready.begin(), own.ready.end(), uint8_t{0});
        if (background_) PaintRows(target_, width_, rows.first_row, rows.end_row, *background_);
        for (const ChunkInFrame& in_frame : chunks) {
            const TriangleChunk& chunk = *in_frame.chunk;
            for (const uint32_t index : chunk.InStrip(*strip)) {
                const SetUpTriangle& triangle = chunk.Triangle(index);
                if (DrawRows(triangle, rows)) own.covered[in_frame.face_base + triangle.face] = 1;
            }
        }
    }
}

int StripRasterizer::CountCoveredFaces(uint32_t face_count) {
    any_covered_.assign(face_count, 0);
    for (const PerThread& thread : threads_) {
        const size_t known = std::min<size_t>(face_count, thread.covered.size());
        for (size_t face = 0; face < known; ++face) any_covered_[face] |= thread.covered[face];
    }
    return static_cast<int>(std::count(any_covered_.begin(), any_covered_.end(), uint8_t{1}));
}

} // namespace rm
