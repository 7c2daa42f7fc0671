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
                                std::optional<uint32_t> background,
                                const std::function<void()>& prepare) {
    const int count = threads_->Count();
    PlaceBands(count, height);
    if (++frame_ == 0) { // wrapped round after years of frames: start the marks afresh
        for (Band& band : bands_) std::fill(band.covered.begin(), band.covered.end(), 0u);
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

    queue_.Reset();
    double prepare_seconds = 0;
    std::exception_ptr failure;
    threads_->Run([&](int index) {
        if (index == 0) {
            const auto start = Clock::now();
            try {
                prepare();
            } catch (...) {
                failure = std::current_exception(); // after the others have stopped
            }
            queue_.Close();
            prepare_seconds = Seconds(Clock::now() - start);
        }
        DrawBand(index, target, depth, width, height, background);
    });
    if (failure) std::rethrow_exception(failure);
    Rebalance(prepare_seconds);
    return CountCoveredFaces();
}

void BandedRasterizer::Triangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                                const TriangleStyle& style) {
    if (queued_)
        queue_.Push({{a, b, c}, style, face_});
    else
        face_covered_ |= bands_.front().rasterizer.DrawTriangle(a, b, c, style);
}

void BandedRasterizer::EndFace() {
    drawn_ += face_covered_ ? 1 : 0;
    face_covered_ = false;
    ++face_;
}

void BandedRasterizer::Publish() {
    if (queued_) queue_.Publish();
}

void BandedRasterizer::DrawBand(int index, const RenderTarget& target, float* depth, int width,
                                int height, std::optional<uint32_t> background) {
    Band& band = bands_[static_cast<size_t>(index)];
    const auto start = Clock::now();
    const int first_row = edges_[static_cast<size_t>(index)];
    const int end_row = edges_[static_cast<size_t>(index) + 1];
    band.rasterizer.Begin(target, depth, width, height, first_row, end_row);
    if (background) band.rasterizer.PaintRows(*background);
    Clock::duration waited{};
    Clock::time_point wait_start;
    if (first_row < end_row) {
        queue_.ReadAll(
            [&](const DrawCommand& command) {
                if (!band.rasterizer.DrawTriangle(command.corner[0], command.corner[1],
                                                  command.corner[2], command.style))
                    return;
                if (command.face >= band.covered.size())
                    band.covered.resize(std::max<size_t>(command.face + 1, band.covered.size() * 2),
                                        0u);
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

void BandedRasterizer::Rebalance(double prepare_seconds) {
    const size_t count = bands_.size();
    const int height = edges_.back();
    double total = 0;
    for (const Band& band : bands_) total += band.busy_seconds;
    if (count < 2 || height <= 0 || !(total > 0)) return;
    // The drawing time per row in each band, taken as even within the band.
    std::vector<double> per_row(count);
    for (size_t i = 0; i < count; ++i) {
        const int rows = edges_[i + 1] - edges_[i];
        per_row[i] = rows > 0 ? bands_[i].busy_seconds / rows : total / height;
    }
    // The calling thread prepares first, so its share of the drawing is smaller by the
    // preparing time spread over the others; the others share the rest evenly.
    const auto others = static_cast<double>(count - 1);
    const double own =
        std::max(0.0, (total - others * prepare_seconds) / static_cast<double>(count));
    const double each = (total - own) / others;
    // Where the drawing time summed from the top reaches own, own + each, ...; half way
    // there from the present edges and by a sixteenth of the height at most, so that one
    // odd frame (a thread put aside by the system for a while) does not throw the bands
    // about.
    std::vector<int> next(edges_);
    size_t band = 0;
    double before = 0; // drawing time of the bands above band
    for (size_t k = 1; k < count; ++k) {
        const double wanted = own + each * static_cast<double>(k - 1);
        while (band + 1 < count &&
               before + per_row[band] * (edges_[band + 1] - edges_[band]) < wanted) {
            before += per_row[band] * (edges_[band + 1] - edges_[band]);
            ++band;
        }
        double row = edges_[band];
        if (per_row[band] > 0) row += (wanted - before) / per_row[band];
        row = std::clamp(row, static_cast<double>(edges_[band]),
                         static_cast<double>(edges_[band + 1]));
        const int step = std::max(height / 16, 1);
        next[k] = std::clamp(static_cast<int>(std::lround((edges_[k] + row) / 2)), edges_[k] - step,
                             edges_[k] + step);
    }
    for (size_t k = 1; k < count; ++k) next[k] = std::clamp(next[k], next[k - 1], height);
    edges_ = next;
}

int BandedRasterizer::CountCoveredFaces() const {
    int drawn = 0;
    for (uint32_t face = 0; face < face_; ++face)
        for (const Band& band : bands_)
            if (face < band.covered.size() && band.covered[face] == frame_) {
                ++drawn;
                break;
            }
    return drawn;
}

} // namespace rm
