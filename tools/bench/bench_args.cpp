#include "tools/bench/bench_args.h"

#include <charconv>

namespace bench_args {

namespace {

// A whole number above 0 filling all of text.
std::optional<int> Positive(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value <= 0) return {};
    return value;
}

} // namespace

std::optional<Size> ParseSize(std::string_view text) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos) return {};
    const auto width = Positive(text.substr(0, x));
    const auto height = Positive(text.substr(x + 1));
    if (!width || !height) return {};
    return Size{*width, *height};
}

} // namespace bench_args
