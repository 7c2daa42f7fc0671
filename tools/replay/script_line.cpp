#include "tools/replay/script_line.h"

#include <SDL.h>

#include <cctype>
#include <sstream>

#include "media/input.h"

namespace {

[[noreturn]] void Fail(const std::string& message) {
    throw ScriptLineError(message);
}

// A '#' at the start of a word starts a comment that runs to the end of the line.
std::string WithoutComment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Word(std::istringstream& words, const char* what) {
    std::string word;
    if (!(words >> word)) Fail(std::string("expected ") + what);
    return word;
}

int Number(std::istringstream& words, const char* what) {
    const std::string word = Word(words, what);
    try {
        size_t used = 0;
        const int value = std::stoi(word, &used);
        if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    Fail(std::string("expected ") + what + ", got '" + word + "'");
}

void NoMoreWords(std::istringstream& words) {
    std::string extra;
    if (words >> extra) Fail("unexpected '" + extra + "' at the end of the line");
}

// The rest of the line: key names may contain spaces ("Keypad 5").
std::string Rest(std::istringstream& words) {
    std::string rest;
    std::getline(words, rest);
    return Trimmed(rest);
}

// The rest of an answer line, inner spaces kept (a name may have them).
std::string AnswerText(std::istringstream& words) {
    std::string rest;
    std::getline(words >> std::ws, rest);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
        rest.pop_back();
    return rest;
}

std::set<uint32_t> ParseKeys(const std::string& keys) {
    std::set<uint32_t> virtual_keys;
    std::vector<std::string> names;
    std::istringstream list(keys);
    std::string piece;
    while (std::getline(list, piece, '+')) names.push_back(Trimmed(piece));
    if (!keys.empty() && keys.back() == '+') names.emplace_back();
    for (size_t i = 0; i < names.size(); ++i) {
        std::string name = names[i];
        // "Keypad +" is the one name that holds the separator: "Keypad ++Up", "Keypad +".
        if (name == "Keypad" && i + 1 < names.size() && names[i + 1].empty()) {
            name = "Keypad +";
            ++i;
        }
        if (name.empty()) continue;
        const SDL_Scancode code = SDL_GetScancodeFromName(name.c_str());
        if (code == SDL_SCANCODE_UNKNOWN) Fail("unknown key '" + name + "'");
        const uint32_t vk = VirtualKeyOfScancode(code);
        if (vk == 0) Fail("key '" + name + "' has no place in the key table");
        virtual_keys.insert(vk);
    }
    return virtual_keys;
}

// "F11", "Alt+Return": SDL key names, the modifiers Alt, Ctrl and Shift first.
void ParsePress(const std::string& keys, ScriptLine& line) {
    if (keys.empty() || keys.back() == '+') Fail("expected a key");
    std::istringstream list(keys);
    std::string name;
    std::vector<std::string> names;
    while (std::getline(list, name, '+')) names.push_back(Trimmed(name));
    if (names.empty() || names.back().empty()) Fail("expected a key");
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        if (names[i] == "Alt")
            line.modifiers |= KMOD_LALT;
        else if (names[i] == "Ctrl")
            line.modifiers |= KMOD_LCTRL;
        else if (names[i] == "Shift")
            line.modifiers |= KMOD_LSHIFT;
        else
            Fail("unknown modifier '" + names[i] + "' (Alt, Ctrl or Shift)");
    }
    line.key = SDL_GetKeyFromName(names.back().c_str());
    if (line.key == SDLK_UNKNOWN) Fail("unknown key '" + names.back() + "'");
}

// "a+up": pad buttons joined with '+'; empty for none.
std::set<int> ParseButtons(const std::string& names) {
    std::set<int> buttons;
    std::istringstream list(names);
    std::string name;
    while (std::getline(list, name, '+')) {
        name = Trimmed(name);
        const int button = PadButtonOfName(name);
        if (button < 0)
            Fail("unknown pad button '" + name +
                 "' (a, b, x, y, start, back, up, down, left, right, lb, rb)");
        buttons.insert(button);
    }
    if (!names.empty() && names.back() == '+') Fail("expected a pad button after '+'");
    return buttons;
}

int AxisValue(std::istringstream& words, const char* what) {
    const int value = Number(words, what);
    if (value < -32768 || value > 32767) Fail("a stick reading lies in -32768 .. 32767");
    return value;
}

float LeverFloat(const std::string& word) {
    try {
        return ParseLeverFloat(word);
    } catch (const LeverError& e) {
        Fail(e.what());
    }
}

} // namespace

int PadButtonOfName(const std::string& name) {
    const std::pair<const char*, int> names[] = {
        {"a", SDL_CONTROLLER_BUTTON_A},
        {"b", SDL_CONTROLLER_BUTTON_B},
        {"x", SDL_CONTROLLER_BUTTON_X},
        {"y", SDL_CONTROLLER_BUTTON_Y},
        {"start", SDL_CONTROLLER_BUTTON_START},
        {"back", SDL_CONTROLLER_BUTTON_BACK},
        {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
        {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
        {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
        {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
        {"lb", SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
        {"rb", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
    };
    for (const auto& [known, button] : names)
        if (name == known) return button;
    return -1;
}

ScriptLine ReadScriptLine(const std::string& text) {
    std::istringstream words(WithoutComment(text));
    ScriptLine line;
    if (!(words >> line.command)) return line;
    const std::string& command = line.command;
    if (command == "check" || command == "uncheck") {
        line.words = {Word(words, "a control name")};
    } else if (command == "trackbar") {
        line.number = Number(words, "a position");
    } else if (command == "click") {
        line.words = {Word(words, "a button name")};
    } else if (command == "frames") {
        line.number = Number(words, "a frame count");
        if (line.number < 0) Fail("a frame count cannot be negative");
        line.keys = ParseKeys(Rest(words));
    } else if (command == "shot") {
        line.words = {Word(words, "a picture name")};
    } else if (command == "set") {
        const std::string name = Word(words, "a world variable name");
        line.words = {name, Word(words, "a value")};
        NoMoreWords(words);
    } else if (command == "place") {
        line.words = {Word(words, "robo, boss, Zako[i] or GH[i]")};
        line.x = LeverFloat(Word(words, "X"));
        line.z = LeverFloat(Word(words, "Z"));
        std::string dx;
        if (words >> dx) line.facing = PlaceFacing{LeverFloat(dx), LeverFloat(Word(words, "DZ"))};
        NoMoreWords(words);
    } else if (command == "answer" || command == "type") {
        line.text = AnswerText(words);
    } else if (command == "window") {
        line.width = Number(words, "a width");
        line.height = Number(words, "a height");
        if (line.width <= 0 || line.height <= 0) Fail("a window size must be positive");
        NoMoreWords(words);
    } else if (command == "desktop") {
        line.width = Number(words, "a width");
        line.height = Number(words, "a height");
        if (line.width <= 0 || line.height <= 0) Fail("a desktop size must be positive");
        NoMoreWords(words);
    } else if (command == "press") {
        ParsePress(Rest(words), line);
    } else if (command == "timer") {
        line.words = {Word(words, "a timer name")};
    } else if (command == "pad") {
        const std::string what = Word(words, "attach or detach");
        if (what != "attach" && what != "detach")
            Fail("expected attach or detach, got '" + what + "'");
        line.words = {what};
        NoMoreWords(words);
    } else if (command == "tap") {
        line.buttons = ParseButtons(Word(words, "a pad button"));
        if (line.buttons.size() != 1) Fail("a tap is one button");
        NoMoreWords(words);
    } else if (command == "hold") {
        line.buttons = ParseButtons(Rest(words));
    } else if (command == "stick") {
        const std::string side = Word(words, "left or right");
        if (side != "left" && side != "right") Fail("expected left or right, got '" + side + "'");
        line.words = {side};
        line.stick_x = AxisValue(words, "X");
        line.stick_y = AxisValue(words, "Y");
        NoMoreWords(words);
    } else if (command == "realtime") {
        NoMoreWords(words);
    } else if (command == "record" || command == "play") {
        line.text = Rest(words); // a file name may hold spaces
        if (line.text.empty()) Fail("expected a demo file name");
    } else {
        Fail("unknown command '" + command + "'");
    }
    return line;
}
