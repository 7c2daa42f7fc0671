#include "media/gui_glue.h"

#include <SDL.h>
#include <imgui.h>

#include <algorithm>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include "media/window.h"

TGuiGlue::TGuiGlue(TWindow& window) : window_(window) {
    ImGui_ImplSDL2_InitForSDLRenderer(window.sdl_window());
    ImGui_ImplSDLRenderer_Init(window.renderer());
}

TGuiGlue::~TGuiGlue() {
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
}

bool TGuiGlue::HandleEvent(const TEvent& event) {
    switch (event.kind) {
    case TEventKind::MouseMotion:
    case TEventKind::MouseDown:
    case TEventKind::MouseUp:
    case TEventKind::MouseWheel:
    case TEventKind::Window:
        return event.native != nullptr && ImGui_ImplSDL2_ProcessEvent(event.native);
    default:
        return false;
    }
}

void TGuiGlue::FontsChanged() {
    ImGui_ImplSDLRenderer_DestroyFontsTexture();
}

void TGuiGlue::NewFrame(int scale) {
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    scale_ = std::max(scale, 1);
    if (scale_ == 1) return;
    // ImGui lays the frame out in window pixels / scale; the renderer's scale draws it
    // scale times as large (Present), and the mouse comes back the other way.
    ImGuiIO& io = ImGui::GetIO();
    const auto s = static_cast<float>(scale_);
    io.DisplaySize = ImVec2(io.DisplaySize.x / s, io.DisplaySize.y / s);
    if (ImGui::IsMousePosValid(&io.MousePos))
        io.MousePos = ImVec2(io.MousePos.x / s, io.MousePos.y / s);
}

void TGuiGlue::Present() {
    SDL_Renderer* renderer = window_.renderer();
    // The game's pictures may have left a scaled size on the renderer.
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    const auto s = static_cast<float>(scale_);
    SDL_RenderSetScale(renderer, s, s);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_RenderPresent(renderer);
}

void SetTextInputArea(int x, int y, int width, int height) {
    SDL_Rect rect{x, y, width, height};
    SDL_SetTextInputRect(&rect);
}
