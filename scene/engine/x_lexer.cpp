#include "scene/engine/x_lexer.h"

namespace rm {

namespace {
bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

XToken XLexer::Peek() {
    if (!peeked_) {
        peeked_kind_ = Scan(peeked_text_);
        peeked_ = true;
    }
    return peeked_kind_;
}

XToken XLexer::Next() {
    if (peeked_) {
        peeked_ = false;
        current_ = peeked_text_;
        return peeked_kind_;
    }
    return Scan(current_);
}

bool XLexer::SkipBlock() {
    int depth = 1;
    if (peeked_) { // the token already scanned counts too
        peeked_ = false;
        if (peeked_kind_ == XToken::Close) return true;
        if (peeked_kind_ == XToken::Open) ++depth;
    }
    while (at_ < text_.size()) {
        const char c = text_[at_++];
        if (c == '\n') {
            ++line_;
        } else if (c == '#' || (c == '/' && at_ < text_.size() && text_[at_] == '/')) {
            while (at_ < text_.size() && text_[at_] != '\n') ++at_;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return true;
        }
    }
    return false;
}

XToken XLexer::Scan(std::string_view& text) {
    const size_t size = text_.size();
    for (;;) {
        while (at_ < size && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' ||
                              text_[at_] == '\n')) {
            if (text_[at_] == '\n') ++line_;
            ++at_;
        }
        if (at_ >= size) {
            text = {};
            return XToken::End;
        }
        const char c = text_[at_];
        if (c == '#' || (c == '/' && at_ + 1 < size && text_[at_ + 1] == '/')) {
            while (at_ < size && text_[at_] != '\n') ++at_;
            continue;
        }
        if (c == '<') { // a GUID of a template: not needed
            while (at_ < size && text_[at_] != '>') ++at_;
            if (at_ < size) ++at_;
            continue;
        }
        break;
    }
    const size_t start = at_;
    const char c = text_[at_];
    if (c == '{' || c == '}' || c == ';' || c == ',') {
        ++at_;
        text = text_.substr(start, 1);
        return c == '{' ? XToken::Open : c == '}' ? XToken::Close : XToken::Separator;
    }
    if (c == '"') {
        ++at_;
        const size_t first = at_;
        while (at_ < size && text_[at_] != '"' && text_[at_] != '\n') ++at_;
        if (at_ >= size || text_[at_] != '"') {
            text = {};
            return XToken::Bad;
        }
        text = text_.substr(first, at_ - first);
        ++at_;
        return XToken::String;
    }
    if (IsDigit(c) || c == '-' || c == '+' || c == '.') {
        ++at_;
        while (at_ < size && (IsDigit(text_[at_]) || text_[at_] == '.' || text_[at_] == 'e' ||
                              text_[at_] == 'E' ||
                              ((text_[at_] == '-' || text_[at_] == '+') &&
                               (text_[at_ - 1] == 'e' || text_[at_ - 1] == 'E'))))
            ++at_;
        text = text_.substr(start, at_ - start);
        return XToken::Number;
    }
    if (IsNameStart(c)) {
        while (at_ < size && IsNameChar(text_[at_])) ++at_;
        text = text_.substr(start, at_ - start);
        return XToken::Name;
    }
    ++at_;
    text = text_.substr(start, 1);
    return XToken::Bad;
}

} // namespace rm
