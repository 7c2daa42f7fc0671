// The name entry's letter picker for a game controller (desktop Linux has no on-screen
// keyboard of its own): a grid of letters on pages (Latin letters, digits and a few marks;
// in Japanese also hiragana and katakana) and a row of commands under it (space, delete,
// the pages, OK). Plain data; the name entry moves it and types its letters, the dialog
// drawing shows it.
#pragma once

#include <string>
#include <vector>

class TLetterPicker {
public:
    enum class Command { Letter, Space, Delete, Page, OK };
    struct Cell {
        Command command = Command::Letter;
        std::string text; // the letter, or the command's caption (translated)
        int page = 0;     // Page: the page it shows
    };

    // with_kana: the kana pages too (the Japanese texts).
    explicit TLetterPicker(bool with_kana);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int Page() const { return page_; }
    // The letter rows of the page shown; "" is a gap.
    const std::vector<std::vector<std::string>>& Rows() const { return pages_[page_]; }
    int Columns() const; // the widest row of the page shown
    // The command row, under the letters.
    const std::vector<Cell>& Commands() const { return commands_; }

    // The cursor: Row() == Rows().size() is the command row.
    int Row() const { return row_; }
    int Column() const { return column_; }
    // One step (dx, dy) of the cursor, round the edges, past gaps.
    void Move(int dx, int dy);
    Cell Current() const;
    // Puts the cursor on a cell, as a click does; false (the cursor stays) for a gap or a
    // place outside the grid.
    bool Point(int row, int column);
    // Shows a page; the cursor stays on the command row, else goes to the first letter.
    void ShowPage(int page);

    // Every character the picker may show.
    std::string GlyphText() const;

private:
    int RowLength(int row) const;
    bool Gap(int row, int column) const;

    std::vector<std::vector<std::vector<std::string>>> pages_;
    std::vector<Cell> commands_;
    int page_ = 0, row_ = 0, column_ = 0;
};
