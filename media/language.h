// The language of the texts the player reads. Japanese is the game's own: its texts stand in
// the code as they are. English comes from a GNU gettext catalogue (po/en.po, compiled into
// locale/en/LC_MESSAGES/brannock.mo), found beside the program in a build tree or in
// ../share/locale when installed.
//
// Mark a text for translation where it is written: Tr("難易度"); TrIn("lighting", "使用しない")
// when one Japanese text needs different English in different places; TrMark("Eazy") in a
// table whose entries are translated later by Tr(entry). A text with printf directives is
// filled with Format, so the catalogue's checker can compare its directives with the
// translation's.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Language { Japanese, English };

// The gettext text domain: the catalogue's file name without ".mo".
inline constexpr const char* TextDomain = "brannock";

// The locale variables that choose a program's language, as the environment holds them
// (empty when unset).
struct LanguageVariables {
    std::string language;    // LANGUAGE: a list such as "fr:en"
    std::string lc_all;      // LC_ALL
    std::string lc_messages; // LC_MESSAGES
    std::string lang;        // LANG
};
LanguageVariables ReadLanguageVariables();

// The language for these variables, decided the way gettext decides but without asking
// which locales are installed: the locale is the first non-empty of LC_ALL, LC_MESSAGES and
// LANG. "C" and "POSIX" (with any codeset) or none at all mean Japanese, and LANGUAGE is
// ignored then, as gettext ignores it. Otherwise the first entry of the LANGUAGE list
// that names Japanese, English or "C" decides, and without one the locale's own language
// does: Japanese for ja, English for every other language (English is the only
// translation).
Language ChooseLanguage(const LanguageVariables& variables);

// "ja" or "en" as the command line gives it; nullopt for anything else.
std::optional<Language> LanguageFromCode(std::string_view code);

// The folders that may hold the catalogues of a program in program_dir, in order.
std::vector<std::filesystem::path> LocaleFolderCandidates(const std::filesystem::path& program_dir);

// Makes every Tr answer in the language from now on. English needs its catalogue: when
// none of the candidates of program_dir holds it, the texts stay Japanese and the result
// says why; the result is empty when the language is in use.
std::string UseLanguage(Language language, const std::filesystem::path& program_dir);
// UseLanguage for the running program.
std::string UseLanguage(Language language);

// The language Tr answers in: the one of the catalogue in use, Japanese without one.
Language CurrentLanguage();

// The name of a file of the game in the current language: "option.txt" is "option.en.txt"
// in English, where folder holds it; the Japanese file where it does not.
std::string LocalizedFileName(const std::filesystem::path& folder, const std::string& name);

// The text in the current language.
const char* Tr(const char* japanese);
// The same for a text that needs its own translation in the given context.
const char* TrIn(const char* context, const char* japanese);
// Marks a text for the catalogue without translating it here.
constexpr const char* TrMark(const char* japanese) {
    return japanese;
}

// A printf format filled in: Format(Tr("%d分%d秒%d"), m, s, ms). Strings are passed as
// const char*.
template <typename... Args> std::string Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}
