#include "scene/engine/triangle_bins.h"

#include <algorithm>

namespace rm {

void TriangleChunk::Bin(int strip_rows) {
    if (triangles_.empty()) {
        first_strip_ = end_strip_ = 0;
        return;
    }
    // The strips of a triangle: from the one holding its first row to the one holding its
    // last (set-up triangles have at least one row).
    auto first_of = [strip_rows](const SetUpTriangle& t) { return t.first_row / strip_rows; };
    auto end_of = [strip_rows](const SetUpTriangle& t) { return (t.end_row - 1) / strip_rows + 1; };
    first_strip_ = first_of(triangles_.front());
    end_strip_ = end_of(triangles_.front());
    for (const SetUpTriangle& t : triangles_) {
        first_strip_ = std::min(first_strip_, first_of(t));
        end_strip_ = std::max(end_strip_, end_of(t));
    }
    // Counted, then placed: each strip's list keeps the drawing order.
    const auto strips = static_cast<size_t>(end_strip_ - first_strip_);
    starts_.assign(strips + 1, 0);
    for (const SetUpTriangle& t : triangles_)
        for (int s = first_of(t); s < end_of(t); ++s)
            ++starts_[static_cast<size_t>(s - first_strip_) + 1];
    for (size_t s = 0; s < strips; ++s) starts_[s + 1] += starts_[s];
    entries_.resize(starts_.back());
    std::vector<uint32_t>& next = fill_at_;
    next.assign(starts_.begin(), starts_.end() - 1);
    for (uint32_t i = 0; i < triangles_.size(); ++i) {
        const SetUpTriangle& t = triangles_[i];
        for (int s = first_of(t); s < end_of(t); ++s)
            entries_[next[static_cast<size_t>(s - first_strip_)]++] = i;
    }
}

} // namespace rm
