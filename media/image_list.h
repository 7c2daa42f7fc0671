// The image list bound to the display: named pictures cut into equally sized patterns,
// drawn with one colour transparent.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/dib.h"
#include "media/surface.h"

class TDXDraw;

class TPictureCollectionItem {
public:
    std::string Name;
    TDIB Picture;
    // A pattern size of 0 means the picture's own width or height.
    int PatternWidth = 0, PatternHeight = 0;
    int SkipWidth = 0, SkipHeight = 0;
    bool SystemMemory = false;
    bool Transparent = true;
    // 0xRRGGBB; TransparentNone (or any value past 0xFFFFFF) makes no colour transparent.
    uint32_t TransparentColor = 0;
    static constexpr uint32_t TransparentNone = 0x1FFFFFFF;

    // Patterns are numbered row by row, left to right, from 0.
    int PatternCount() const;
    TRect PatternRect(int pattern) const; // in the picture; empty when out of range
    bool Loaded() const { return loaded_; }
    // Loads the picture into display surfaces (on display initialise and restore).
    void Restore();
    void Finalize();
    // Draws the pattern at (x, y) of dest; nothing when not loaded or out of range.
    void DrawPattern(TDirectDrawSurface& dest, int x, int y, int pattern) const;
    // The same, each pixel of the pattern drawn as a scale x scale block.
    void DrawPattern(TDirectDrawSurface& dest, int x, int y, int pattern, int scale) const;
    void Draw(TDirectDrawSurface& dest, int x, int y, int pattern) const {
        DrawPattern(dest, x, y, pattern);
    }
    void Draw(TDirectDrawSurface& dest, int x, int y, int pattern, int scale) const {
        DrawPattern(dest, x, y, pattern, scale);
    }
    // The surfaces the picture was cut into (tests).
    int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }

private:
    struct Pattern {
        int surface = 0;
        TRect rect; // within the surface
    };
    int Columns() const;
    int Rows() const;
    int StepX() const;
    int StepY() const;

    std::vector<TDirectDrawSurface> surfaces_;
    std::vector<Pattern> patterns_;
    bool loaded_ = false;
};

class TDXImageList {
public:
    // Listens to the display: items load on initialise and restore, release on finalise.
    explicit TDXImageList(TDXDraw& display);
    ~TDXImageList();
    TDXImageList(const TDXImageList&) = delete;
    TDXImageList& operator=(const TDXImageList&) = delete;

    TPictureCollectionItem& Add();
    TPictureCollectionItem& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    TDXDraw& display_;
    int listener_id_ = 0;
    std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
};
