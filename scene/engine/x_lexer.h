// Splits the text form of a .x file into tokens: names, numbers, strings, braces and the
// separators ';' and ','. Comments and GUIDs are skipped.
#pragma once

#include <cstddef>
#include <string_view>

namespace rm {

enum class XToken { End, Name, Number, String, Open, Close, Separator, Bad };

class XLexer {
public:
    explicit XLexer(std::string_view text) : text_(text) {}

    // The next token; its text is in Text() (strings without their quotes).
    XToken Next();
    XToken Peek();
    std::string_view Text() const { return current_; }
    size_t Remaining() const { return text_.size() - at_; }
    size_t Line() const { return line_; }
    // Skips raw text up to and past the '}' closing a block whose '{' has been read (a
    // template's members and restrictions are not tokens of the data). False at the end.
    bool SkipBlock();

private:
    XToken Scan(std::string_view& text);

    std::string_view text_;
    size_t at_ = 0;
    size_t line_ = 1;
    std::string_view current_;
    bool peeked_ = false;
    XToken peeked_kind_ = XToken::End;
    std::string_view peeked_text_;
};

} // namespace rm
