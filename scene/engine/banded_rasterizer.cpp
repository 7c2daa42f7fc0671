#include "scene/engine/banded_rasterizer.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "scene/engine/draw_threads.h"

namespace rm {

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

BandedRasterizer::BandedRasterizer(std::shared_ptr<DrawThreads> threads)
    : threads_(std::move(threads)) {}

int BandedRasterizer::DrawFrame(const RenderTarget& target, float* depth, int width, int height,
                                std::optional<uint32_t> background, CallRef<> prepare) {
    const int count = threads_->Count();
    PlaceBands(count, height);
    if (++frame_ == 0) { // wrapped round: start the marks afresh
        for (Band& band : bands_) std::fill(band.covered.begin(), band.covered.end(), uint8_t{0});
        frame_ = 1;
    }
    face_ = 0;
    face_covered_ = false;
    drawn_ = 0;
    queued_ = count > 1;
    if (!queued_) {
        Band& band = bands_.front();
        band.rasterizer.Begin(target, depth, width, height, 0, height);
        if (background) band.rasterizer.PaintRows(*background);
        prepare();
        return drawn_;
    }

    for (Band& band : bands_) band.queue.Reset();
    frame_start_ = Clock::now();
    std::exception_ptr failure;
    threads_->Run([&](int index) {
        if (index == 0) {
            try {
                prepare();
            } catch (...) {
                failure = std::current_exception(); // after the others have stopped
            }
            for (Band& band : bands_) band.queue.Close();
        }
        DrawBand(index, target, depth, width, height, background);
        bands_[static_cast<size_t>(index)].finish_seconds = Seconds(Clock::now() - frame_start_);
    });
    if (failure) std::rethrow_exception(failure);
    Rebalance();
    return CountCoveredFaces();
}

void BandedRasterizer::Triangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                                const TriangleStyle& style) {
    if (!queued_) {
        face_covered_ |= bands_.front().rasterizer.DrawTriangle(a, b, c, style);
        return;
    }
    const RowSpan rows = TriangleRows(a, b, c, edges_.back());
    for (size_t i = 0; i < bands_.size() && edges_[i] < rows.end; ++i)
        if (rows.first < edges_[i + 1]) bands_[i].queue.Push(a, b, c, style, face_);
}

void BandedRasterizer::EndFace() {
    drawn_ += face_covered_ ? 1 : 0;
    face_covered_ = false;
    ++face_;
}

void BandedRasterizer::Publish() {
    if (queued_)
        for (Band& band : bands_) band.queue.Publish();
}

void BandedRasterizer::DrawBand(int index, const RenderTarget& target, float* depth, int width,
                                int height, std::optional<uint32_t> background) {
    Band& band = bands_[static_cast<size_t>(index)];
    const auto start = Clock::now();
    band.start_seconds = Seconds(start - frame_start_);
    const int first_row = edges_[static_cast<size_t>(index)];
    const int end_row = edges_[static_cast<size_t>(index) + 1];
    band.rasterizer.Begin(target, depth, width, height, first_row, end_row);
    if (background) band.rasterizer.PaintRows(*background);
    Clock::duration waited{};
    Clock::time_point wait_start;
    if (first_row < end_row) {
        band.queue.ReadAll(
            [&](const DrawCommand& command) {
                if (!band.rasterizer.DrawTriangle(command.corner[0], command.corner[1],
                                                  command.corner[2], command.style))
                    return;
                if (command.face >= band.covered.size())
                    band.covered.resize(std::max<size_t>(command.face + 1, band.covered.size() * 2),
                                        uint8_t{0});
                band.covered[command.face] = frame_;
            },
            [&] { wait_start = Clock::now(); }, [&] { waited += Clock::now() - wait_start; });
    }
    band.busy_seconds = Seconds(Clock::now() - start - waited);
}

void BandedRasterizer::PlaceBands(int count, int height) {
    const auto bands = static_cast<size_t>(count);
    if (bands_.size() != bands) bands_ = std::vector<Band>(bands);
    if (edges_.size() == bands + 1 && edges_.back() == height) return;
    edges_.resize(bands + 1);
    for (size_t i = 0; i <= bands; ++i)
        edges_[i] = static_cast<int>(static_cast<int64_t>(height) * static_cast<int64_t>(i) /
                                     static_cast<int64_t>(count));
}

void BandedRasterizer::Rebalance() {
    const size_t count = bands_.size();
    const int height = edges_.back();
    double total = 0;
    for (const Band& band : bands_) total += band.busy_seconds;
    if (count < 2 || height <= 0 || !(total > 0)) return;
    // The drawing time per row of each band, taken as even within the band.
    std::vector<double> per_row(count);
    for (size_t i = 0; i < count; ++i) {
        const int rows = edges_[i + 1] - edges_[i];
        per_row[i] = rows > 0 ? bands_[i].busy_seconds / rows : total / height;
    }
    // Each edge moves toward the band that finished first, by the rows that would close
    // half the gap between the two, and by a sixteenth of the height at most, so that one
    // odd frame (a thread put aside by the system for a while) does not throw the bands
    // about. The finishing times take in everything that kept a thread: preparing the
    // triangles, waking, waiting for the triangles, drawing. The calling thread is to
    // finish last, by about the time a sleeping thread takes to wake (as long as the
    // first helper took to start), so that it finds the others done rather than sleeping
    // until they wake it.
    const int step = std::max(height / 16, 1);
    std::vector<int> next(edges_);
    for (size_t k = 1; k < count; ++k) {
        const double lag = k == 1 ? bands_[1].start_seconds : 0.0;
        const double gap = bands_[k - 1].finish_seconds - lag - bands_[k].finish_seconds;
        const double rows = gap / (per_row[k - 1] + per_row[k]) / 2;
        if (!std::isfinite(rows)) continue;
        next[k] = edges_[k] - std::clamp(static_cast<int>(std::lround(rows)), -step, step);
    }
    for (size_t k = 1; k < count; ++k) next[k] = std::clamp(next[k], next[k - 1], height);
    edges_ = next;
}

int BandedRasterizer::CountCoveredFaces() {
    any_covered_.assign(face_, 0);
    for (const Band& band : bands_) {
        const size_t known = std::min<size_t>(face_, band.covered.size());
        for (size_t face = 0; face < known; ++face)
            any_covered_[face] |= static_cast<uint8_t>(band.covered[face] == frame_);
    }
    return static_cast<int>(std::count(any_covered_.begin(), any_covered_.end(), uint8_t{1}));
}

} // namespace rm
