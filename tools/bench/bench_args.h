// Command-line values both benchmarks take.
#pragma once

#include <optional>
#include <string_view>

namespace bench_args {

struct Size {
    int width = 0;
    int height = 0;
};

// "WxH" with two whole numbers above 0 and nothing else.
std::optional<Size> ParseSize(std::string_view text);

} // namespace bench_args
