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
    int PatternWidth = 0, PatternHeight = 0;
    int SkipWidth = 0, SkipHeight = 0;
    bool SystemMemory = false;
    bool Transparent = true;
    uint32_t TransparentColor = 0; // 0xRRGGBB

    int PatternCount() const;
    TRect PatternRect(int pattern) const; // in the picture
    bool Loaded() const { return loaded_; }
    // Loads the picture into display surfaces (on display initialise and restore).
    void Restore();
    void Finalize();
    // Draws the pattern at (x, y) of dest; nothing when not loaded or out of range.
    void Draw(TDirectDrawSurface& dest, int x, int y, int pattern) const;

private:
    struct Pattern {
        int surface = 0;
        TRect rect;
    };
    std::vector<TDirectDrawSurface> surfaces_;
    std::vector<Pattern> patterns_;
    bool loaded_ = false;
};

class TDXImageList {
public:
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
