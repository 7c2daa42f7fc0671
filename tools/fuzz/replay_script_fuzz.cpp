// libFuzzer target for replay scripts: every line of the input is read as a script line,
// and the levers' `set` lines are applied to a world. A line is either read or refused
// with a message; nothing else may happen, whatever the text.
#include <cstdint>
#include <sstream>
#include <string>

#include "game/world.h"
#include "tools/replay/levers.h"
#include "tools/replay/script_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    World world;
    std::string text;
    while (std::getline(script, text)) {
        ScriptLine line;
        try {
            line = ReadScriptLine(text);
        } catch (const ScriptLineError& e) {
            if (std::string(e.what()).empty()) __builtin_trap(); // a refusal says why
            continue;
        }
        if (line.command == "frames" && line.number < 0) __builtin_trap();
        if (line.command == "set") {
            try {
                SetWorldValue(world, line.words.at(0), line.words.at(1));
            } catch (const LeverError&) {
            }
        }
    }
    return 0;
}
