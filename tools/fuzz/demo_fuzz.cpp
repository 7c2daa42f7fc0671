// libFuzzer target for the demo reader: the input is a demo file as a disk, a download or
// another program may have left it. Reading either refuses it with a reason or gives a
// demo whose settings the panel can show and whose frames write back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "demo/demo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Demo demo;
    try {
        demo = ParseDemo(bytes);
    } catch (const DemoError& e) {
        if (e.what()[0] == '\0') std::abort(); // every refusal says why
        return 0;
    }
    for (size_t i = 0; i < DemoOptionCount; ++i)
        if (demo.settings.values[i] < OptionTable[i].min ||
            demo.settings.values[i] > OptionTable[i].max)
            std::abort();
    if (demo.complete != demo.cut.empty()) std::abort();
    // What was read writes back to the bytes it came from, up to where it ended.
    std::vector<uint8_t> again = DemoHeaderBytes(demo.game_version, demo.settings);
    for (const DemoFrame& frame : demo.frames) {
        if ((frame.states >> 36) != 0) std::abort();
        const std::vector<uint8_t> entry = DemoFrameBytes(frame);
        again.insert(again.end(), entry.begin(), entry.end());
    }
    if (demo.complete) again.push_back(DemoEndMark);
    if (again.size() > size || !std::equal(again.begin(), again.end(), data)) std::abort();
    if (demo.complete && again.size() != size) std::abort();
    return 0;
}
