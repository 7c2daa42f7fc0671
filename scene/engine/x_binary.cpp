#include "scene/engine/x_binary.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace rm {

namespace {

// Token numbers of the binary form.
enum : uint16_t {
    TokenName = 1,
    TokenString = 2,
    TokenInteger = 3,
    TokenGuid = 5,
    TokenIntegerList = 6,
    TokenFloatList = 7,
    TokenOpenBrace = 10,
    TokenCloseBrace = 11,
    TokenOpenParen = 12,
    TokenCloseParen = 13,
    TokenOpenBracket = 14,
    TokenCloseBracket = 15,
    TokenOpenAngle = 16,
    TokenCloseAngle = 17,
    TokenDot = 18,
    TokenComma = 19,
    TokenSemicolon = 20,
    TokenTemplate = 31,
    TokenFirstType = 40, // WORD DWORD FLOAT DOUBLE CHAR UCHAR SWORD SDWORD VOID LPSTR
    TokenLastType = 52,  // UNICODE CSTRING ARRAY
};

const char* const TypeNames[] = {"WORD",   "DWORD", "FLOAT",  "DOUBLE", "CHAR",   "UCHAR", "SWORD",
                                 "SDWORD", "VOID",  "STRING", "STRING", "STRING", "array"};

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return at_ >= size_; }
    size_t Left() const { return size_ - at_; }
    bool Has(size_t bytes) const { return bytes <= Left(); }

    uint16_t Word() {
        uint16_t v = static_cast<uint16_t>(data_[at_] | data_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t v = 0;
        std::memcpy(&v, data_ + at_, 4); // the format is little-endian, as is every target
        at_ += 4;
        return v;
    }
    double Real(int bytes) {
        double v = 0;
        if (bytes == 8) {
            std::memcpy(&v, data_ + at_, 8);
        } else {
            float f = 0;
            std::memcpy(&f, data_ + at_, 4);
            v = f;
        }
        at_ += static_cast<size_t>(bytes);
        return v;
    }
    const char* Chars(size_t count) {
        const char* p = reinterpret_cast<const char*>(data_ + at_);
        at_ += count;
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void AppendNumber(std::string& text, double value, int float_bytes) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, float_bytes == 8 ? "%.17g" : "%.9g", value);
    text += buffer;
}

} // namespace

bool BinaryXToText(const uint8_t* data, size_t size, int float_bytes, std::string& text,
                   std::string& error) {
    Reader in(data, size);
    auto fail = [&](const char* what) {
        error = what;
        return false;
    };
    text.reserve(size * 4);
    while (!in.AtEnd()) {
        if (!in.Has(2)) return fail("the binary data is cut short");
        const uint16_t token = in.Word();
        switch (token) {
        case TokenName:
        case TokenString: {
            if (!in.Has(4)) return fail("the binary data is cut short");
            const uint32_t length = in.Dword();
            if (!in.Has(length)) return fail("a name runs past the end of the file");
            const char* chars = in.Chars(length);
            if (token == TokenString) text += '"';
            text.append(chars, length);
            if (token == TokenString) {
                text += '"';
                // A string carries its closing separator with it.
                if (!in.Has(2)) return fail("the binary data is cut short");
                const uint16_t end = in.Word();
                if (end != TokenSemicolon && end != TokenComma)
                    return fail("a string without its separator");
                text += end == TokenSemicolon ? ';' : ',';
            }
            break;
        }
        case TokenInteger:
            if (!in.Has(4)) return fail("the binary data is cut short");
            text += std::to_string(in.Dword());
            break;
        case TokenGuid:
            if (!in.Has(16)) return fail("the binary data is cut short");
            in.Chars(16);
            text += "<guid>";
            break;
        case TokenIntegerList:
        case TokenFloatList: {
            if (!in.Has(4)) return fail("the binary data is cut short");
            const uint32_t count = in.Dword();
            const size_t item = token == TokenIntegerList ? 4 : static_cast<size_t>(float_bytes);
            if (count > in.Left() / item) return fail("a list runs past the end of the file");
            for (uint32_t i = 0; i < count; ++i) {
                if (token == TokenIntegerList) {
                    text += std::to_string(in.Dword());
                } else {
                    const double value = in.Real(float_bytes);
                    if (!std::isfinite(value)) return fail("a number that is not finite");
                    AppendNumber(text, value, float_bytes);
                }
                text += ';';
            }
            break;
        }
        case TokenOpenBrace:
            text += "{\n";
            break;
        case TokenCloseBrace:
            text += "}\n";
            break;
        case TokenOpenParen:
            text += '(';
            break;
        case TokenCloseParen:
            text += ')';
            break;
        case TokenOpenBracket:
            text += '[';
            break;
        case TokenCloseBracket:
            text += ']';
            break;
        case TokenOpenAngle:
            text += '<';
            break;
        case TokenCloseAngle:
            text += '>';
            break;
        case TokenDot:
            text += '.';
            break;
        case TokenComma:
            text += ',';
            break;
        case TokenSemicolon:
            text += ';';
            break;
        case TokenTemplate:
            text += "template";
            break;
        default:
            if (token < TokenFirstType || token > TokenLastType)
                return fail("an unknown token in the binary data");
            text += TypeNames[token - TokenFirstType];
            break;
        }
        text += ' ';
    }
    return true;
}

} // namespace rm
