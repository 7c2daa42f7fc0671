#include "screens/pause_menu.h"

#include <algorithm>
#include <array>

#include "media/display.h"
#include "media/language.h"

namespace {

// The design at scale 1 (640 x 480), in pixels from the surface's centre line.
constexpr int TitleSize = 48;
constexpr int TitleY = -120;
constexpr int ItemSize = 24;
constexpr int FirstItemY = -40;
constexpr int ItemPitch = 44;
constexpr int ItemHeight = 36;
constexpr int ItemPadding = 32; // on each side of the widest item
constexpr int HintSize = 12;
constexpr int HintFromBottom = 40;

constexpr uint32_t TitleColor = 0xFFFFFF;
constexpr uint32_t FocusBoxColor = 0x2A4C8C;
constexpr uint32_t FocusTextColor = 0xFFFFFF;
constexpr uint32_t ItemTextColor = 0xA8A8A8;
constexpr uint32_t HintColor = 0x909090;
// The kept frame is darkened to this many sixteenths of its light.
constexpr uint32_t DimSixteenths = 6;

struct Box {
    int left, top, width, height;
    bool Contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

// Where the items go on this display: one box per item, as wide as the widest.
std::array<Box, PauseItemCount> ItemBoxes(TDXDraw& display) {
    const int s = display.UiScale();
    TCanvas& canvas = display.SurfaceCanvas();
    canvas.Font.Size = ItemSize * s;
    canvas.Font.Bold = false;
    int widest = 0;
    for (int i = 0; i < PauseItemCount; ++i)
        widest =
            std::max(widest, canvas.TextExtent(PauseItemText(static_cast<PauseItem>(i))).first);
    const int width = widest + 2 * ItemPadding * s;
    std::array<Box, PauseItemCount> boxes{};
    for (int i = 0; i < PauseItemCount; ++i)
        boxes[static_cast<size_t>(i)] = {(display.Width() - width) / 2,
                                         display.Height() / 2 + (FirstItemY + i * ItemPitch) * s,
                                         width, ItemHeight * s};
    return boxes;
}

void FillBox(TDirectDrawSurface& surface, const Box& box, uint32_t rgb) {
    const int left = std::max(box.left, 0), top = std::max(box.top, 0);
    const int right = std::min(box.left + box.width, surface.Width());
    const int bottom = std::min(box.top + box.height, surface.Height());
    uint32_t* pixels = surface.Pixels();
    for (int y = top; y < bottom; ++y)
        std::fill(pixels + static_cast<size_t>(y) * surface.Width() + left,
                  pixels + static_cast<size_t>(y) * surface.Width() + right, rgb);
}

// Text centred across the surface, its cell's top at y.
void CentredText(TDXDraw& display, int y, const char* text) {
    TCanvas& canvas = display.SurfaceCanvas();
    canvas.TextOut((display.Width() - canvas.TextExtent(text).first) / 2, y, text);
}

} // namespace

const char* PauseItemText(PauseItem item) {
    switch (item) {
    case PauseItem::Resume:
        // TRANSLATORS: the pause menu's items.
        return Tr("ゲームに戻る");
    case PauseItem::BackToPanel:
        return Tr("オプション画面に戻る");
    case PauseItem::Quit:
        return Tr("終了する");
    }
    return "";
}

void PauseMenu::Open(TDXDraw& display) {
    focus_ = PauseItem::Resume;
    const TDirectDrawSurface& back = display.BackSurface();
    kept_.SetSize(back.Width(), back.Height());
    const uint32_t* from = back.Pixels();
    uint32_t* to = kept_.Pixels();
    const size_t count = static_cast<size_t>(back.Width()) * static_cast<size_t>(back.Height());
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = from[i];
        const uint32_t r = ((p >> 16) & 0xFF) * DimSixteenths / 16;
        const uint32_t g = ((p >> 8) & 0xFF) * DimSixteenths / 16;
        const uint32_t b = (p & 0xFF) * DimSixteenths / 16;
        to[i] = (r << 16) | (g << 8) | b;
    }
}

void PauseMenu::Close() {
    kept_.SetSize(0, 0);
}

void PauseMenu::MoveFocus(int step) {
    const int at =
        (static_cast<int>(focus_) + step % PauseItemCount + PauseItemCount) % PauseItemCount;
    focus_ = static_cast<PauseItem>(at);
}

std::optional<PauseItem> PauseMenu::ItemAt(TDXDraw& display, int x, int y) const {
    const auto boxes = ItemBoxes(display);
    for (int i = 0; i < PauseItemCount; ++i)
        if (boxes[static_cast<size_t>(i)].Contains(x, y)) return static_cast<PauseItem>(i);
    return std::nullopt;
}

void PauseMenu::Draw(TDXDraw& display) const {
    TDirectDrawSurface& back = display.BackSurface();
    if (kept_.Width() == back.Width() && kept_.Height() == back.Height()) {
        back.CopyRect(0, 0, {0, 0, kept_.Width(), kept_.Height()}, kept_, false);
    } else {
        // The window changed its size meanwhile.
        back.Fill(0);
        back.CopyRect((back.Width() - kept_.Width()) / 2, (back.Height() - kept_.Height()) / 2,
                      {0, 0, kept_.Width(), kept_.Height()}, kept_, false);
    }
    const int s = display.UiScale();
    const auto boxes = ItemBoxes(display);
    FillBox(back, boxes[static_cast<size_t>(focus_)], FocusBoxColor);

    TCanvas& canvas = display.SurfaceCanvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Bold = true;
    canvas.Font.Size = TitleSize * s;
    canvas.Font.Color = TitleColor;
    CentredText(display, display.Height() / 2 + TitleY * s, "PAUSE");

    canvas.Font.Bold = false;
    canvas.Font.Size = ItemSize * s;
    for (int i = 0; i < PauseItemCount; ++i) {
        const auto item = static_cast<PauseItem>(i);
        const Box& box = boxes[static_cast<size_t>(i)];
        canvas.Font.Color = item == focus_ ? FocusTextColor : ItemTextColor;
        const auto [width, height] = canvas.TextExtent(PauseItemText(item));
        canvas.TextOut(box.left + (box.width - width) / 2, box.top + (box.height - height) / 2,
                       PauseItemText(item));
    }

    canvas.Font.Size = HintSize * s;
    canvas.Font.Color = HintColor;
    // TRANSLATORS: the keys of the pause menu, under it.
    CentredText(display, display.Height() - HintFromBottom * s, Tr("↑↓ 選ぶ　Enter 決定　P 再開"));
    display.ReleaseCanvas();
}
