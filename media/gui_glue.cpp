#include "media/gui_glue.h"

#include <SDL.h>
#include <imgui.h>
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

void TGuiGlue::NewFrame() {
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
}

void TGuiGlue::Present() {
    SDL_Renderer* renderer = window_.renderer();
    // The game's pictures may have left a scaled size on the renderer.
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderPresent(renderer);
}

void SetTextInputArea(int x, int y, int width, int height) {
    SDL_Rect rect{x, y, width, height};
    SDL_SetTextInputRect(&rect);
}
