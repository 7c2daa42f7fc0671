// UTF-8 sequences, as the settings file and the typed names are checked.
#pragma once

#include <cstddef>
#include <string_view>

// The length of the UTF-8 sequence starting at s[i], or 0 when it is broken.
inline size_t Utf8Length(std::string_view s, size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t length = 0;
    if (lead < 0x80)
        return 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > s.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}
