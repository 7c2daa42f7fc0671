// Spaces and tabs around the words of a settings line, as bn.ini's reader and the key
// bindings' values both skip them.
#pragma once

#include <string_view>

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}
