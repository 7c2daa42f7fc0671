#include "media/drawn_words.h"

namespace {

const DrawnWordsListener* current = nullptr;

} // namespace

void SetDrawnWordsListener(const DrawnWordsListener* listener) {
    current = listener;
}

void NoteDrawnText(std::string_view text) {
    if (current != nullptr && current->text) current->text(text);
}

void NoteDrawnPicture(std::string_view name) {
    if (current != nullptr && current->picture) current->picture(name);
}
