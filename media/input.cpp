#include "media/input.h"

struct TDXInput::Impl {};
TDXInput::TDXInput(TApplication& application) : application_(application) {}
TDXInput::~TDXInput() = default;
void TDXInput::UpdateInput() {}
void TDXInput::HandleEvent(const SDL_Event&) {}
void TDXInput::SetScriptedKeys(std::optional<std::set<uint32_t>>) {}
const char* InputStateName(int) { return ""; }
uint32_t VirtualKeyOfScancode(int) { return 0; }
