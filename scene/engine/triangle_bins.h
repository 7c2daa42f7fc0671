// The set-up triangles of one piece of a frame (a mesh as seen through the camera, or a run
// of translucent faces), in drawing order, sorted into the strips of rows they reach, so
// that drawing a strip visits only its own triangles. One thread fills a chunk; once it is
// binned, any number of threads read it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "scene/engine/rasterizer.h"

namespace rm {

class TriangleChunk {
public:
    // Empties the chunk, keeping its storage.
    void Clear() {
        triangles_.clear();
        faces_ = 0;
        first_strip_ = end_strip_ = 0;
    }
    // Sets the triangle abc up (see SetUp) as part of the current face; faces are numbered
    // from 0 in each chunk. Nothing is kept of a triangle with nothing to draw.
    void AddSetUp(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const TriangleStyle& style, int height) {
        SetUpTriangle& triangle = triangles_.emplace_back();
        if (!SetUp(a, b, c, style, height, triangle)) {
            triangles_.pop_back();
            return;
        }
        triangle.face = faces_;
    }
    // Ends the current face: the next triangle belongs to the next one.
    void EndFace() { ++faces_; }
    uint32_t Faces() const { return faces_; }
    bool Empty() const { return triangles_.empty(); }
    const SetUpTriangle& Triangle(uint32_t index) const { return triangles_[index]; }

    // Sorts the triangles into strips of strip_rows rows (strip s has the rows
    // s * strip_rows .. (s + 1) * strip_rows - 1).
    void Bin(int strip_rows);
    // The triangles reaching strip s, by index, in drawing order.
    std::span<const uint32_t> InStrip(int strip) const {
        if (strip < first_strip_ || strip >= end_strip_) return {};
        const auto at = static_cast<size_t>(strip - first_strip_);
        return {entries_.data() + starts_[at], entries_.data() + starts_[at + 1]};
    }

private:
    std::vector<SetUpTriangle> triangles_;
    uint32_t faces_ = 0;
    int first_strip_ = 0, end_strip_ = 0; // the strips any triangle reaches
    std::vector<uint32_t> starts_;        // per strip from first_strip_, and the end
    std::vector<uint32_t> entries_;       // triangle indices, strip after strip
    std::vector<uint32_t> fill_at_;       // while binning: where each strip's next goes
};

} // namespace rm
