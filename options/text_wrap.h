// Breaking a memo line into rows that fit its width, as a desktop text box does with
// Japanese text: a row may end after any character, except that a run of Latin letters
// and digits moves to the next row whole when a space before it allows, and that no row
// begins with a closing mark (、。」 and the like) or ends with an opening bracket (「 and
// the like): such a mark moves down with its neighbour. Spaces at the start of a line
// (full-width or not) are kept: they indent it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// measure gives the width of one character (one UTF-8 sequence). Every row holds at least
// one character, so a character wider than the row still advances.
std::vector<std::string> WrapText(const std::string& line, float width,
                                  const std::function<float(std::string_view)>& measure);

// A text of several lines ('\n' between them) as the rows of all its lines, each wrapped
// as WrapText does; an empty line stays an empty row.
std::vector<std::string> WrapLines(const std::string& text, float width,
                                   const std::function<float(std::string_view)>& measure);

// Rows as one text to draw, '\n' between them.
std::string JoinRows(const std::vector<std::string>& rows);
