// Drawing the options panel with Dear ImGui inside the game window, in the look of a light
// desktop form, and taking the mouse there. Keys go to the panel's own keyboard handling.
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "media/drawn_words.h"
#include "media/events.h"
#include "media/gui_glue.h"
#include "media/window.h"
#include "options/controls_page.h"
#include "options/dialog_draw.h"
#include "options/dialogs.h"
#include "options/options_panel.h"
#include "options/panel_fonts.h"
#include "options/text_wrap.h"

namespace {

constexpr float FontSize = PanelFontSize;
constexpr float BoldFontSize = PanelBoldFontSize;

constexpr uint32_t Face = 0xF0F0F0;
constexpr uint32_t TextColour = 0x000000;
constexpr uint32_t Shadow = 0xA0A0A0;
constexpr uint32_t Highlight = 0xFFFFFF;
constexpr uint32_t DarkShadow = 0x696969;
constexpr uint32_t Accent = 0x0078D7; // the default button's frame, a focused memo

ImU32 Colour(uint32_t rgb) {
    return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 0xFF);
}

ImVec4 ColourF(uint32_t rgb) {
    return ImGui::ColorConvertU32ToFloat4(Colour(rgb));
}

float F(int v) {
    return static_cast<float>(v);
}
ImVec2 At(int x, int y) {
    return ImVec2(F(x), F(y));
}

// Makes the panel's context current for a scope and puts the previous one back.
class ContextScope {
public:
    explicit ContextScope(ImGuiContext* context) : previous_(ImGui::GetCurrentContext()) {
        ImGui::SetCurrentContext(context);
    }
    ~ContextScope() { ImGui::SetCurrentContext(previous_); }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    ImGuiContext* previous_;
};

void ApplyStyle(ImGuiStyle& s) {
    ImGui::StyleColorsLight(&s);
    s.WindowPadding = ImVec2(0, 0);
    s.WindowBorderSize = 0;
    s.WindowRounding = 0;
    s.FramePadding = ImVec2(4, 1);
    s.FrameBorderSize = 1;
    s.FrameRounding = 0;
    s.ItemInnerSpacing = ImVec2(4, 4);
    s.ChildBorderSize = 1;
    s.ChildRounding = 0;
    s.ScrollbarSize = 16;
    s.ScrollbarRounding = 0;
    s.GrabRounding = 0;
    s.DisabledAlpha = 0.45f;
    // Thin lines (the frames ImGui draws itself) as plain geometry rather than sampled
    // from the font atlas, so that they do not depend on how a renderer samples it.
    s.AntiAliasedLinesUseTex = false;
    ImVec4* c = s.Colors;
    c[ImGuiCol_Text] = ColourF(TextColour);
    c[ImGuiCol_TextDisabled] = ColourF(Shadow);
    c[ImGuiCol_WindowBg] = ColourF(Face);
    c[ImGuiCol_ChildBg] = ColourF(0xFFFFFF);
    c[ImGuiCol_Border] = ColourF(0x7A7A7A);
    c[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
    c[ImGuiCol_FrameBg] = ColourF(0xFFFFFF);
    c[ImGuiCol_FrameBgHovered] = ColourF(0xFFFFFF);
    c[ImGuiCol_FrameBgActive] = ColourF(0xCCE4F7);
    c[ImGuiCol_CheckMark] = ColourF(0x333333);
    c[ImGuiCol_Button] = ColourF(0xE1E1E1);
    c[ImGuiCol_ButtonHovered] = ColourF(0xE5F1FB);
    c[ImGuiCol_ButtonActive] = ColourF(0xCCE4F7);
    c[ImGuiCol_ScrollbarBg] = ColourF(Face);
    c[ImGuiCol_ScrollbarGrab] = ColourF(0xCDCDCD);
    c[ImGuiCol_ScrollbarGrabHovered] = ColourF(0xA6A6A6);
    c[ImGuiCol_ScrollbarGrabActive] = ColourF(0x606060);
}

// Every character the panel shows, so the font atlas holds exactly those glyphs.
std::string GlyphText(const TOptionsPanel& p) {
    std::string text;
    for (const TControl* c : p.CaptionedControls()) text += c->Caption;
    for (const std::string& line : p.Memo1.Lines) text += line;
    text += p.Message;
    if (p.Modal != nullptr) text += p.Modal->GlyphText();
    return text;
}

// A dotted rectangle: the keyboard focus of a desktop form.
void DottedRect(ImDrawList* dl, ImVec2 a, ImVec2 b) {
    const ImU32 colour = Colour(TextColour);
    for (float x = a.x; x < b.x; x += 2) {
        dl->AddRectFilled(ImVec2(x, a.y), ImVec2(x + 1, a.y + 1), colour);
        dl->AddRectFilled(ImVec2(x, b.y - 1), ImVec2(x + 1, b.y), colour);
    }
    for (float y = a.y; y < b.y; y += 2) {
        dl->AddRectFilled(ImVec2(a.x, y), ImVec2(a.x + 1, y + 1), colour);
        dl->AddRectFilled(ImVec2(b.x - 1, y), ImVec2(b.x, y + 1), colour);
    }
}

// A frame of whole pixels, width pixels thick, inside the rectangle from a to b. Filled
// rectangles land on exactly these pixels with any rasteriser; ImGui's anti-aliased lines
// spread by half a pixel in ways that differ between renderers.
void PixelFrame(ImDrawList* dl, ImVec2 a, ImVec2 b, ImU32 colour, float width = 1) {
    dl->AddRectFilled(a, ImVec2(b.x, a.y + width), colour);
    dl->AddRectFilled(ImVec2(a.x, b.y - width), b, colour);
    dl->AddRectFilled(ImVec2(a.x, a.y + width), ImVec2(a.x + width, b.y - width), colour);
    dl->AddRectFilled(ImVec2(b.x - width, a.y + width), ImVec2(b.x, b.y - width), colour);
}

// An etched line or frame: a grey line with a white one just below and right of it.
void EtchedRect(ImDrawList* dl, ImVec2 a, ImVec2 b) {
    PixelFrame(dl, ImVec2(a.x + 1, a.y + 1), b, Colour(Highlight));
    PixelFrame(dl, a, ImVec2(b.x - 1, b.y - 1), Colour(Shadow));
}

} // namespace

struct TOptionsPanel::Gui {
    ImGuiContext* context = nullptr;
    std::unique_ptr<TGuiGlue> glue; // made and ended with the context current
    ImFont* regular = nullptr;
    ImFont* bold = nullptr;
    DialogFonts dialog;       // the dialogs' sizes
    ImVector<ImWchar> ranges; // the atlas's glyphs; must outlive the atlas build
    bool built = false;
    int built_scale = 1;           // the scale the fonts were rasterised for
    std::vector<TButton*> clicked; // pressed during a frame; run once the frame is done
};

void TOptionsPanel::GuiDeleter::operator()(Gui* gui) const {
    delete gui;
}

namespace {

// The glyph ranges an atlas needs for the text.
ImVector<ImWchar> GlyphRanges(const std::string& text) {
    ImFontGlyphRangesBuilder builder;
    builder.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesDefault());
    builder.AddText(text.c_str());
    ImVector<ImWchar> ranges;
    builder.BuildRanges(&ranges);
    return ranges;
}

} // namespace

void TOptionsPanel::Attach(TWindow& window) {
    Detach();
    if (!window.Created()) return;
    gui_.reset(new Gui);
    gui_->context = ImGui::CreateContext();
    ContextScope scope(gui_->context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    // The game decides about the pointer (START hides it).
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    ApplyStyle(ImGui::GetStyle());
    gui_->glue = std::make_unique<TGuiGlue>(window);
}

void TOptionsPanel::Detach() {
    if (gui_) {
        {
            ContextScope scope(gui_->context);
            gui_->glue.reset();
        }
        ImGui::DestroyContext(gui_->context);
    }
    gui_.reset();
}

TOptionsPanel::~TOptionsPanel() {
    Detach();
}

void TOptionsPanel::Recaption() {
    PlaceControls();
    if (gui_) gui_->built = false; // the fonts and the slider's labels fitted again
}

bool TOptionsPanel::HandleEvent(const TEvent& event) {
    if (Modal != nullptr) {
        if (RouteToControlsPage(*Modal, event)) return true;
        // A modal dialog takes every key and every typed text.
        switch (event.kind) {
        case TEventKind::KeyDown:
            Modal->KeyDown(event.key, event.shift, event.alt);
            return true;
        case TEventKind::TextInput:
            Modal->TextInput(event.text);
            return true;
        case TEventKind::TextEditing:
            Modal->TextEditing(event.text);
            return true;
        default:
            break;
        }
    }
    if (event.kind == TEventKind::KeyDown) return KeyDown(event.key, event.shift, event.alt);
    if (event.kind == TEventKind::KeyUp) return KeyUp(event.key);
    if (!gui_) return false;
    ContextScope scope(gui_->context);
    return gui_->glue->HandleEvent(event);
}

namespace {

// One frame of the panel's controls; clicked buttons are collected, not run.
class PanelPainter {
public:
    PanelPainter(TOptionsPanel& panel, ImFont* regular, ImFont* bold,
                 std::vector<TButton*>& clicked)
        : p_(panel), regular_(regular), bold_(bold), clicked_(clicked),
          dl_(ImGui::GetWindowDrawList()) {}

    void Group(const TGroupBox& g) {
        const ImVec2 size = regular_->CalcTextSizeA(FontSize, FLT_MAX, 0, g.Caption.c_str());
        EtchedRect(dl_, At(g.Left, g.Top + 6), At(g.Left + g.Width, g.Top + g.Height));
        dl_->AddRectFilled(At(g.Left + 6, g.Top), ImVec2(F(g.Left + 10) + size.x, F(g.Top + 13)),
                           Colour(Face));
        dl_->AddText(regular_, FontSize, At(g.Left + 8, g.Top), Colour(TextColour),
                     g.Caption.c_str());
    }

    void Radio(TRadioButton& r) {
        ImGui::SetCursorPos(At(r.Left, r.Top));
        ImGui::PushID(r.Name.c_str());
        ImGui::BeginDisabled(!r.Enabled);
        if (ImGui::RadioButton(r.Caption.c_str(), r.Checked)) {
            p_.Check(r);
            p_.SetFocus(r);
        }
        ImGui::EndDisabled();
        ImGui::PopID();
        FocusAroundLabel(r);
    }

    void Check(TCheckBox& c) {
        ImGui::SetCursorPos(At(c.Left, c.Top));
        ImGui::PushID(c.Name.c_str());
        ImGui::BeginDisabled(!c.Enabled);
        if (ImGui::Checkbox(c.Caption.c_str(), &c.Checked)) p_.SetFocus(c);
        ImGui::EndDisabled();
        ImGui::PopID();
        FocusAroundLabel(c);
    }

    void Button(TButton& b) {
        ImGui::SetCursorPos(At(b.Left, b.Top));
        ImGui::PushID(b.Name.c_str());
        ImGui::BeginDisabled(!b.Enabled);
        const bool held = p_.SpacePressed() == &b;
        if (held)
            ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonActive));
        if (ImGui::Button("##button", At(b.Width, b.Height))) {
            p_.SetFocus(b);
            clicked_.push_back(&b);
        }
        if (held) ImGui::PopStyleColor();
        ImGui::EndDisabled();
        ImGui::PopID();
        const ImVec2 a = At(b.Left, b.Top);
        const ImVec2 z = At(b.Left + b.Width, b.Top + b.Height);
        if (b.Default) PixelFrame(dl_, a, z, Colour(Accent), 2);

        // The caption, centred, with its "&" letter underlined.
        const std::string text = CaptionText(b.Caption);
        const ImVec2 size = regular_->CalcTextSizeA(FontSize, FLT_MAX, 0, text.c_str());
        const ImVec2 pos(std::floor(a.x + (F(b.Width) - size.x) / 2),
                         std::floor(a.y + (F(b.Height) - FontSize) / 2));
        const ImU32 ink = Colour(b.Enabled ? TextColour : Shadow);
        dl_->AddText(regular_, FontSize, pos, ink, text.c_str());
        const size_t amp = b.Caption.find('&');
        if (amp != std::string::npos && amp + 1 < b.Caption.size()) {
            const std::string before = CaptionText(b.Caption.substr(0, amp));
            const std::string letter = b.Caption.substr(amp + 1, 1);
            const float x0 =
                pos.x + regular_->CalcTextSizeA(FontSize, FLT_MAX, 0, before.c_str()).x;
            const float w = regular_->CalcTextSizeA(FontSize, FLT_MAX, 0, letter.c_str()).x;
            const float y = pos.y + FontSize;
            dl_->AddRectFilled(ImVec2(x0, y), ImVec2(x0 + w, y + 1), ink);
        }
        if (p_.Focused() == &b) DottedRect(dl_, ImVec2(a.x + 4, a.y + 4), ImVec2(z.x - 4, z.y - 4));
    }

    void Track(TTrackBar& t) {
        const float left = F(t.Left + 8), right = F(t.Left + t.Width - 8);
        const float span = F(t.Max - t.Min);
        ImGui::SetCursorPos(At(t.Left, t.Top));
        ImGui::InvisibleButton("##TrackBar1", At(t.Width, t.Height));
        if (ImGui::IsItemActive()) {
            // A click or drag moves the thumb to the nearest tick.
            const float x = ImGui::GetIO().MousePos.x;
            const float ratio = std::clamp((x - left) / (right - left), 0.0f, 1.0f);
            t.SetPosition(t.Min + static_cast<int>(std::lround(ratio * span)));
            p_.SetFocus(t);
        }
        const float top = F(t.Top);
        // Sunken channel.
        dl_->AddRectFilled(ImVec2(left - 2, top + 8), ImVec2(right + 2, top + 12),
                           Colour(0xE7EAEA));
        dl_->AddLine(ImVec2(left - 2, top + 8), ImVec2(right + 2, top + 8), Colour(Shadow));
        dl_->AddLine(ImVec2(left - 2, top + 8), ImVec2(left - 2, top + 12), Colour(Shadow));
        dl_->AddLine(ImVec2(left - 2, top + 12), ImVec2(right + 2, top + 12), Colour(Highlight));
        for (int i = t.Min; i <= t.Max; ++i) {
            const float x = std::floor(left + (right - left) * F(i - t.Min) / span);
            dl_->AddRectFilled(ImVec2(x, top + 23), ImVec2(x + 1, top + 27), Colour(TextColour));
        }
        // The thumb points down at the ticks.
        const float x = std::floor(left + (right - left) * F(t.Position() - t.Min) / span);
        const ImVec2 thumb[] = {ImVec2(x - 5, top + 1), ImVec2(x + 5, top + 1),
                                ImVec2(x + 5, top + 15), ImVec2(x, top + 20),
                                ImVec2(x - 5, top + 15)};
        dl_->AddConvexPolyFilled(thumb, 5, Colour(0xE1E1E1));
        dl_->AddPolyline(thumb, 5, Colour(DarkShadow), ImDrawFlags_Closed, 1);
        if (p_.Focused() == &t)
            DottedRect(dl_, At(t.Left, t.Top), At(t.Left + t.Width, t.Top + t.Height));
    }

    void Memo(TMemo& m) {
        ImGui::SetCursorPos(At(m.Left, m.Top));
        ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(4, 1));
        ImGui::PushStyleColor(ImGuiCol_Border, ColourF(p_.Focused() == &m ? Accent : 0x7A7A7A));
        ImGui::BeginChild(m.Name.c_str(), At(m.Width, m.Height), true,
                          ImGuiWindowFlags_AlwaysVerticalScrollbar);
        if (p_.PendingMemoScroll != 0) {
            const float y =
                ImGui::GetScrollY() + F(p_.PendingMemoScroll) * ImGui::GetTextLineHeight();
            ImGui::SetScrollY(std::clamp(y, 0.0f, ImGui::GetScrollMaxY()));
            p_.PendingMemoScroll = 0;
        }
        // Lines follow each other without gaps, as in a text box, so a keyboard scroll
        // moves by whole lines.
        ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, 0));
        const float width = ImGui::GetContentRegionAvail().x;
        const auto measure = [this](std::string_view c) {
            return regular_->CalcTextSizeA(FontSize, FLT_MAX, 0, c.data(), c.data() + c.size()).x;
        };
        for (const std::string& line : m.Lines)
            for (const std::string& row : WrapText(line, width, measure))
                ImGui::TextUnformatted(row.empty() ? " " : row.c_str());
        ImGui::PopStyleVar();
        if (ImGui::IsWindowHovered() && ImGui::IsMouseClicked(ImGuiMouseButton_Left))
            p_.SetFocus(m);
        ImGui::EndChild();
        ImGui::PopStyleColor();
        ImGui::PopStyleVar();
    }

    void Label(const TLabel& l) {
        ImFont* font = l.Bold ? bold_ : regular_;
        const float size = l.FontSize == 16 ? BoldFontSize : FontSize;
        float x = F(l.Left);
        if (l.Centred && l.Width > 0)
            x += std::floor(
                (F(l.Width) - font->CalcTextSizeA(size, FLT_MAX, 0, l.Caption.c_str()).x) / 2);
        dl_->AddText(font, size, ImVec2(x, F(l.Top)), Colour(TextColour), l.Caption.c_str());
    }

    // A horizontal etched rule: grey over white.
    void Rule(const TControl& c) {
        dl_->AddRectFilled(At(c.Left, c.Top), At(c.Left + c.Width, c.Top + 1), Colour(Shadow));
        dl_->AddRectFilled(At(c.Left, c.Top + 1), At(c.Left + c.Width, c.Top + 2),
                           Colour(Highlight));
    }

private:
    // Radio buttons and check boxes show the focus around their caption.
    void FocusAroundLabel(const TControl& c) {
        if (p_.Focused() != &c) return;
        const ImVec2 a = ImGui::GetItemRectMin();
        const ImVec2 z = ImGui::GetItemRectMax();
        const float box = ImGui::GetFrameHeight() + ImGui::GetStyle().ItemInnerSpacing.x;
        DottedRect(dl_, ImVec2(a.x + box - 2, a.y), ImVec2(z.x + 2, z.y));
    }

    TOptionsPanel& p_;
    ImFont* regular_;
    ImFont* bold_;
    std::vector<TButton*>& clicked_;
    ImDrawList* dl_;
};

} // namespace

namespace {

// The form with its panel hidden: an empty face, where the dialogs of the ending show.
void DrawEmptyForm(ImVec2 size) {
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(std::max(size.x, ImGui::GetIO().DisplaySize.x),
                                    std::max(size.y, ImGui::GetIO().DisplaySize.y)));
    ImGui::Begin("Form", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);
    ImGui::End();
}

// The error box over the panel: the message and an OK button, modal until confirmed.
void DrawMessageBox(std::string& message, ImFont* font, ImVec2 panel_size) {
    constexpr const char* Title = "Brannock";
    constexpr float Padding = 18;
    if (message.empty()) return;
    if (!ImGui::IsPopupOpen(Title)) ImGui::OpenPopup(Title);
    ImGui::SetNextWindowPos(ImVec2(panel_size.x * 0.5f, panel_size.y * 0.5f), ImGuiCond_Always,
                            ImVec2(0.5f, 0.5f));
    // A desktop message box: a title bar, padding, the text, a centred button.
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(Padding, 14));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 1.0f);
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(8, 12));
    ImGui::PushStyleColor(ImGuiCol_PopupBg, ColourF(Face));
    ImGui::PushStyleColor(ImGuiCol_Border, ColourF(DarkShadow));
    ImGui::PushStyleColor(ImGuiCol_TitleBgActive, ColourF(Accent));
    ImGui::PushStyleColor(ImGuiCol_Text, ColourF(TextColour));
    ImGui::PushStyleColor(ImGuiCol_ModalWindowDimBg, ImVec4(0, 0, 0, 0.25f));
    const bool open =
        ImGui::BeginPopupModal(Title, nullptr,
                               ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove |
                                   ImGuiWindowFlags_NoSavedSettings);
    ImGui::PopStyleColor(5);
    ImGui::PopStyleVar(3);
    if (!open) return;
    ImGui::PushFont(font);
    // A long message (a file's path in it) is broken into rows that fit the window.
    const float room = std::max(200.0f, ImGui::GetIO().DisplaySize.x - 2 * Padding - 40);
    const std::string shown = JoinRows(WrapLines(message, room, [&](std::string_view c) {
        return ImGui::CalcTextSize(c.data(), c.data() + c.size()).x;
    }));
    ImGui::TextUnformatted(shown.c_str());
    constexpr float ButtonWidth = 97;
    ImGui::SetCursorPosX((ImGui::GetWindowSize().x - ButtonWidth) * 0.5f);
    if (ImGui::Button("OK", ImVec2(ButtonWidth, 24))) message.clear();
    ImGui::PopFont();
    if (message.empty()) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

} // namespace

bool TOptionsPanel::Draw() {
    if (!gui_ || (!Visible && Modal == nullptr)) return false;
    const std::string message_before = Message;
    std::vector<TButton*> clicked;
    {
        ContextScope scope(gui_->context);
        // The atlas is built again only when a character without a glyph appears.
        // Every character it can show is in the atlas: that is what it draws in words.
        const std::string glyph_text = GlyphText(*this);
        NoteDrawnText(glyph_text);
        ImVector<ImWchar> ranges = GlyphRanges(glyph_text);
        const bool same = ranges.size() == gui_->ranges.size() &&
                          std::equal(ranges.begin(), ranges.end(), gui_->ranges.begin());
        if (!gui_->built || !same || gui_->built_scale != Scale) {
            gui_->ranges.swap(ranges);
            BuildPanelFonts(gui_->ranges, gui_->regular, gui_->bold, gui_->dialog, PanelFontFile,
                            Scale);
            gui_->built_scale = Scale;
            gui_->glue->FontsChanged();
            gui_->built = true;
            FitTrackBarToLabels([this](const std::string& text) {
                return static_cast<int>(
                    std::ceil(gui_->regular->CalcTextSizeA(FontSize, FLT_MAX, 0, text.c_str()).x));
            });
        }
        gui_->glue->NewFrame(Scale);
        ImGui::NewFrame();
        if (Visible)
            DrawPanel();
        else
            DrawEmptyForm(At(Width, Height));
        if (Modal != nullptr) DrawModalDialog(*Modal, gui_->dialog);
        ImGui::Render();
        // Once the atlas is in the renderer's texture, its pixels are not needed here.
        if (ImGui::GetIO().Fonts->TexID != nullptr) ImGui::GetIO().Fonts->ClearTexData();

        gui_->glue->Present();
        clicked.swap(gui_->clicked);
    }
    // Buttons act once the frame is complete, so an error they raise leaves ImGui in a
    // state where the next frame draws normally.
    for (TButton* b : clicked) Click(*b);
    return !clicked.empty() || Message != message_before;
}

void TOptionsPanel::DrawPanel() {
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(At(Width, Height));
    ImGui::Begin("Panel1", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoScrollWithMouse);
    PanelPainter paint(*this, gui_->regular, gui_->bold, gui_->clicked);
    for (const TGroupBox* g :
         {&LightGroup, &AlphaGroup, &TextureGroup, &ControlGroup, &MonitorGroup, &BackGroup,
          &CameraGroup, &DifficultyGroup, &HighScoreGroup, &TimeAttackGroup, &BonusGroup})
        paint.Group(*g);
    for (TRadioButton* r :
         {&RadioButton19, &RadioButton20, &RadioButton21, &RadioButton7,  &RadioButton10,
          &RadioButton8,  &RadioButton9,  &RadioButton6,  &RadioButton11, &RadioButton15,
          &RadioButton16, &RadioButton17, &RadioButton18, &RadioButton2,  &RadioButton3,
          &RadioButton4,  &RadioButton5,  &RadioButton1,  &RadioButton12, &RadioButton13,
          &RadioButton14})
        paint.Radio(*r);
    paint.Check(CheckBox4);
    paint.Check(CheckBox2);
    paint.Rule(Bevel1);
    paint.Track(TrackBar1);
    for (TButton* b :
         {&Button4, &Button5, &Button6, &Button7, &Button1, &Button3, &Button2, &Button8})
        paint.Button(*b);
    paint.Memo(Memo1);
    for (const TLabel* l : {&Label1, &Label2, &Label3, &Label4, &TrackNearLabel, &TrackFarLabel})
        paint.Label(*l);
    DrawMessageBox(Message, gui_->regular, At(Width, Height));
    ImGui::End();
}
