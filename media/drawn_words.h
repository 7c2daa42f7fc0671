// What the game shows in words, for checks of a language: every text a canvas or the panel
// draws, and the name of every picture drawn, passed on to a listener while one is set.
// Without a listener nothing is kept and nothing is done.
#pragma once

#include <functional>
#include <string_view>

struct DrawnWordsListener {
    std::function<void(std::string_view)> text;    // a text as drawn
    std::function<void(std::string_view)> picture; // an image list item's name
};

// The listener from now on; nullptr for none. The caller keeps it alive while it is set.
void SetDrawnWordsListener(const DrawnWordsListener* listener);

void NoteDrawnText(std::string_view text);
void NoteDrawnPicture(std::string_view name);
