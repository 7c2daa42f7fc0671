#include "options/bindings.h"

#include <algorithm>

#include "app/form_design.h"
#include "options/blanks.h"
#include "options/options.h"

namespace {

bool Bindable(int state) {
    return std::ranges::any_of(BindableInputs,
                               [state](const BindableInput& b) { return b.state == state; });
}

// The game's fixed keys (H J U N) use the key.
bool FixedKeyUses(uint32_t key) {
    const TKeyAssigns designed = DesignedKeyAssigns();
    for (int state = 0; state < InputStateCount; ++state)
        if (!Bindable(state) && std::ranges::count(designed[static_cast<size_t>(state)], key) > 0)
            return true;
    return false;
}

} // namespace

Bindings DesignedBindings() {
    const TKeyAssigns keys = DesignedKeyAssigns();
    const TPadAssigns pad = DesignedPadAssigns();
    Bindings bindings;
    for (size_t i = 0; i < BindableInputs.size(); ++i) {
        const auto state = static_cast<size_t>(BindableInputs[i].state);
        bindings[i].keys = keys[state];
        bindings[i].pad = pad[state];
    }
    return bindings;
}

void ApplyBindings(const Bindings& bindings, TKeyAssigns& keys, TPadAssigns& pad) {
    keys = DesignedKeyAssigns();
    pad = DesignedPadAssigns();
    for (size_t i = 0; i < BindableInputs.size(); ++i) {
        const auto state = static_cast<size_t>(BindableInputs[i].state);
        keys[state] = bindings[i].keys;
        pad[state] = bindings[i].pad;
    }
}

const char* RefusedKey(uint32_t key) {
    switch (key) {
    case 27:
        return Tr("Esc はゲームの一時停止と終了に使われています");
    case 'P':
        return Tr("P は一時停止に使われています");
    case 'M':
        return Tr("M は音のミュートに使われています");
    case 122:
        return Tr("F11 は全画面の切り替えに使われています");
    case 18:
    case 164:
    case 165:
        return Tr("Alt は Alt+Enter（全画面の切り替え）に使われています");
    default:
        return nullptr;
    }
}

const char* RefusedPadButton(int button) {
    if (button == PadStartButton()) return Tr("Start は一時停止に使われています");
    return nullptr;
}

namespace {

// The names of the binding's keys, in slot order, between separators.
std::string KeyNames(const Binding& binding, const char* separator) {
    std::string names;
    for (uint32_t key : binding.keys) {
        if (key == 0) continue;
        if (!names.empty()) names += separator;
        names += KeyName(key);
    }
    return names;
}

} // namespace

std::string BindingText(const Binding& binding) {
    std::string text = KeyNames(binding, ", ");
    if (binding.pad >= 0)
        text += (text.empty() ? "| pad " : " | pad ") + PadButtonName(binding.pad);
    return text;
}

std::optional<Binding> BindingOfText(std::string_view text) {
    Binding binding;
    const size_t bar = text.rfind('|');
    if (bar != std::string_view::npos) {
        std::string_view pad = TrimBlanks(text.substr(bar + 1));
        if (!pad.starts_with("pad") || pad.size() < 4 || !IsBlank(pad[3])) return std::nullopt;
        binding.pad = PadButtonOfName(TrimBlanks(pad.substr(3)));
        if (binding.pad < 0 || RefusedPadButton(binding.pad) != nullptr) return std::nullopt;
        text = text.substr(0, bar);
    }
    // Names stand between commas; the comma key is named "," itself.
    size_t slot = 0;
    for (size_t at = 0;;) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        if (at == text.size()) break;
        size_t end = text[at] == ',' ? at + 1 : std::min(text.find(',', at), text.size());
        const std::string_view name = TrimBlanks(text.substr(at, end - at));
        const uint32_t key = KeyOfName(name);
        if (key == 0 || RefusedKey(key) != nullptr || slot == KeySlots) return std::nullopt;
        binding.keys[slot++] = key;
        at = end;
        while (at < text.size() && IsBlank(text[at])) ++at;
        if (at < text.size() && text[at] != ',') return std::nullopt;
        if (at < text.size()) ++at;
    }
    return binding;
}

std::string ConflictOf(const Bindings& bindings, size_t input, size_t slot) {
    const Binding& own = bindings[input];
    const bool pad = slot == PadSlot;
    const uint32_t key = pad ? 0 : own.keys[slot];
    if (pad ? own.pad < 0 : key == 0) return "";
    for (size_t other = 0; other < bindings.size(); ++other) {
        if (other == input) continue;
        const Binding& b = bindings[other];
        if (pad ? b.pad == own.pad : std::ranges::count(b.keys, key) > 0)
            return Tr(BindableInputs[other].caption);
    }
    if (!pad && FixedKeyUses(key)) return Tr("ゲームの固定キー（H J U N）");
    return "";
}

bool HasConflicts(const Bindings& bindings) {
    for (size_t i = 0; i < bindings.size(); ++i)
        for (size_t slot = 0; slot < SlotCount; ++slot)
            if (!ConflictOf(bindings, i, slot).empty()) return true;
    return false;
}

std::string UnusableBindingMessage(const std::string& key, const std::string& text) {
    return Format(Tr("%s=%s は使えません（キー名をコンマで区切り、続けて | pad とボタン名）。"
                     "既定の割り当てを使います"),
                  key.c_str(), text.c_str());
}

Bindings ReadStoredBindings(std::vector<std::string>& problems) {
    Bindings bindings = DesignedBindings();
    for (size_t i = 0; i < BindableInputs.size(); ++i) {
        const std::optional<std::string> text = ReadSettingText(BindableInputs[i].key);
        if (!text) continue;
        if (const std::optional<Binding> read = BindingOfText(*text))
            bindings[i] = *read;
        else
            problems.push_back(UnusableBindingMessage(BindableInputs[i].key, *text));
    }
    return bindings;
}

std::string BoundNames(const Binding& binding) {
    std::string names = KeyNames(binding, " / ");
    if (binding.pad >= 0) {
        if (!names.empty()) names += " / ";
        names += PadButtonName(binding.pad);
    }
    return names;
}

std::vector<std::string> ChangedBindingLines(const Bindings& bindings) {
    const Bindings designed = DesignedBindings();
    std::vector<std::string> lines;
    for (size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i] == designed[i]) continue;
        if (lines.empty()) lines.emplace_back(Tr("【変更した操作】"));
        const std::string names = BoundNames(bindings[i]);
        lines.push_back(std::string(Tr(BindableInputs[i].caption)) + ": " +
                        (names.empty() ? Tr("（なし）") : names));
    }
    return lines;
}
