#include "media/image_list.h"

#include <algorithm>

#include "media/display.h"
#include "media/drawn_words.h"

namespace {
// A surface spans at most the smallest multiple of the pattern step past this length.
constexpr int SurfaceLimit = 511;
} // namespace

int TPictureCollectionItem::StepX() const {
    const int width = PatternWidth > 0 ? PatternWidth : Picture.Width();
    return width + std::max(SkipWidth, 0);
}

int TPictureCollectionItem::StepY() const {
    const int height = PatternHeight > 0 ? PatternHeight : Picture.Height();
    return height + std::max(SkipHeight, 0);
}

int TPictureCollectionItem::Columns() const {
    if (Picture.Empty() || StepX() <= 0) return 0;
    return (Picture.Width() + std::max(SkipWidth, 0)) / StepX();
}

int TPictureCollectionItem::Rows() const {
    if (Picture.Empty() || StepY() <= 0) return 0;
    return (Picture.Height() + std::max(SkipHeight, 0)) / StepY();
}

int TPictureCollectionItem::PatternCount() const {
    return Columns() * Rows();
}

TRect TPictureCollectionItem::PatternRect(int pattern) const {
    if (pattern < 0 || pattern >= PatternCount()) return {};
    const int columns = Columns();
    const int left = pattern % columns * StepX();
    const int top = pattern / columns * StepY();
    const int width = StepX() - std::max(SkipWidth, 0);
    const int height = StepY() - std::max(SkipHeight, 0);
    return {left, top, left + width, top + height};
}

void TPictureCollectionItem::Restore() {
    Finalize();
    const int columns = Columns();
    const int rows = Rows();
    if (columns == 0 || rows == 0) return;
    const int step_x = StepX();
    const int step_y = StepY();
    const int skip_x = std::max(SkipWidth, 0);
    const int skip_y = std::max(SkipHeight, 0);
    // Patterns per surface in each direction, and the surfaces the picture needs.
    const int per_x = SurfaceLimit / step_x + 1;
    const int per_y = SurfaceLimit / step_y + 1;
    const int across = (columns + per_x - 1) / per_x;
    const int down = (rows + per_y - 1) / per_y;

    for (int sy = 0; sy < down; ++sy) {
        for (int sx = 0; sx < across; ++sx) {
            const int count_x = std::min(per_x, columns - sx * per_x);
            const int count_y = std::min(per_y, rows - sy * per_y);
            const int x0 = sx * per_x * step_x;
            const int y0 = sy * per_y * step_y;
            TDirectDrawSurface surface(count_x * step_x - skip_x, count_y * step_y - skip_y);
            for (int y = 0; y < surface.Height(); ++y)
                for (int x = 0; x < surface.Width(); ++x)
                    surface.SetPixel(x, y, Picture.Pixel(x0 + x, y0 + y));
            if (Transparent && TransparentColor <= 0xFFFFFFu) surface.ColorKey = TransparentColor;
            surfaces_.push_back(std::move(surface));
        }
    }
    const int width = step_x - skip_x;
    const int height = step_y - skip_y;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            Pattern p;
            p.surface = r / per_y * across + c / per_x;
            const int left = c % per_x * step_x;
            const int top = r % per_y * step_y;
            p.rect = {left, top, left + width, top + height};
            patterns_.push_back(p);
        }
    }
    loaded_ = true;
}

void TPictureCollectionItem::Finalize() {
    surfaces_.clear();
    patterns_.clear();
    loaded_ = false;
}

void TPictureCollectionItem::DrawPattern(TDirectDrawSurface& dest, int x, int y,
                                         int pattern) const {
    DrawPattern(dest, x, y, pattern, 1);
}

void TPictureCollectionItem::DrawPattern(TDirectDrawSurface& dest, int x, int y, int pattern,
                                         int scale) const {
    if (!loaded_ || pattern < 0 || pattern >= static_cast<int>(patterns_.size())) return;
    const Pattern& p = patterns_[static_cast<size_t>(pattern)];
    NoteDrawnPicture(Name);
    dest.CopyRect(x, y, p.rect, surfaces_[static_cast<size_t>(p.surface)], Transparent, scale);
}

TDXImageList::TDXImageList(TDXDraw& display) : display_(display) {
    listener_id_ = display_.AddNotifyListener([this](TDXDraw::Notify what) {
        for (auto& item : items_) {
            if (what == TDXDraw::Notify::Finalize)
                item->Finalize();
            else
                item->Restore();
        }
    });
}

TDXImageList::~TDXImageList() {
    display_.RemoveNotifyListener(listener_id_);
}

TPictureCollectionItem& TDXImageList::Add() {
    items_.push_back(std::make_unique<TPictureCollectionItem>());
    return *items_.back();
}
