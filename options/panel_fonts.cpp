#include "options/panel_fonts.h"

#include <imgui_freetype.h>

#include <climits>
#include <fstream>

#include "media/language.h"
#include "media/report.h"

namespace {

// The panel's font file in memory from ImGui's allocator, or null when it cannot be read.
void* ReadFontFile(const char* path, int& size) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff length = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (length <= 0 || length > INT_MAX) return nullptr;
    void* data = IM_ALLOC(static_cast<size_t>(length));
    in.seekg(0);
    if (!in.read(static_cast<char*>(data), length)) {
        IM_FREE(data);
        return nullptr;
    }
    size = static_cast<int>(length);
    return data;
}

} // namespace

void BuildPanelFonts(const ImVector<ImWchar>& ranges, ImFont*& regular, ImFont*& bold,
                     DialogFonts& dialog, const char* font_file, int scale) {
    const auto factor = static_cast<float>(scale);
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->Clear();
    io.Fonts->FontBuilderIO = ImGuiFreeType::GetBuilderForFreeType();
    regular = bold = nullptr;
    dialog = DialogFonts{};
    // The font file is several megabytes: every size shares one copy of it, which goes as
    // soon as the glyphs are in the atlas. (Left to itself the atlas keeps a copy per size.)
    int font_size = 0;
    void* font_data = ReadFontFile(font_file, font_size);
    auto let_go_of_font_data = [&] {
        for (ImFontConfig& config : io.Fonts->ConfigData) {
            config.FontData = nullptr;
            config.FontDataSize = 0;
            config.FontDataOwnedByAtlas = false;
        }
        IM_FREE(font_data);
        font_data = nullptr;
    };
    if (font_data != nullptr) {
        auto add = [&](float size, unsigned int flags) {
            ImFontConfig config;
            config.FontBuilderFlags = flags;
            config.FontDataOwnedByAtlas = true; // taken as it is, not copied
            return io.Fonts->AddFontFromMemoryTTF(font_data, font_size, size * factor, &config,
                                                  ranges.Data);
        };
        const unsigned int plain = ImGuiFreeTypeBuilderFlags_LightHinting;
        const unsigned int heavy = plain | ImGuiFreeTypeBuilderFlags_Bold;
        regular = add(PanelFontSize, plain);
        bold = add(PanelBoldFontSize, heavy);
        for (size_t i = 0; i < DialogFonts::BoldSizes.size(); ++i)
            dialog.bold[i] = add(static_cast<float>(DialogFonts::BoldSizes[i]), heavy);
    }
    const bool system_font = regular != nullptr && bold != nullptr;
    if (!system_font) {
        ReportProblemLine(font_file,
                          Tr("見つかりません。パネルは日本語のないフォントで描きます。"));
        let_go_of_font_data();
        io.Fonts->Clear();
        regular = bold = io.Fonts->AddFontDefault();
        dialog.bold = {};
    }
    dialog.regular = regular;
    io.FontDefault = regular;
    // ImGui's own default font has one size: it is drawn scaled.
    io.FontGlobalScale = system_font ? 1.0f / factor : 1.0f;
    io.Fonts->Build();
    if (font_data != nullptr) let_go_of_font_data();
}
