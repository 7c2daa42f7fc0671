#include "media/language.h"

#include <SDL.h>
#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The language part of a locale or LANGUAGE entry: "en" of "en_GB.UTF-8@euro".
std::string_view LanguagePart(std::string_view name) {
    return name.substr(0, name.find_first_of("_.@"));
}

bool IsCLocale(std::string_view locale) {
    const std::string_view language = LanguagePart(locale);
    return language.empty() || language == "C" || language == "POSIX";
}

// Exactly "C" or "POSIX", the names under which gettext answers every text with itself;
// "C.UTF-8" is another locale to it.
bool IsPlainC(std::string_view locale) {
    return locale == "C" || locale == "POSIX";
}

// The catalogue of a language below a locale folder.
std::filesystem::path CatalogueIn(const std::filesystem::path& folder, const char* code) {
    return folder / code / "LC_MESSAGES" / (std::string(TextDomain) + ".mo");
}

// Sets the message locale to the first of the names the system has that is not "C",
// under which gettext would not read LANGUAGE.
bool SetMessageLocale(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* set = std::setlocale(LC_MESSAGES, name);
        if (set != nullptr && !IsPlainC(set)) return true;
    }
    std::setlocale(LC_MESSAGES, "C");
    return false;
}

// The value of a field in a catalogue's header ("Language: en\n...").
std::string HeaderField(const char* header, const char* field) {
    const std::string_view text(header);
    const std::string key = std::string(field) + ": ";
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        if (line.starts_with(key)) return std::string(line.substr(key.size()));
        at = end + 1;
    }
    return {};
}

} // namespace

LanguageVariables ReadLanguageVariables() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

Language ChooseLanguage(const LanguageVariables& v) {
    const std::string& locale =
        !v.lc_all.empty() ? v.lc_all : (!v.lc_messages.empty() ? v.lc_messages : v.lang);
    if (IsCLocale(locale)) return Language::Japanese;
    std::string_view list = v.language;
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view entry = LanguagePart(list.substr(0, colon));
        if (entry == "ja" || entry == "C") return Language::Japanese;
        if (entry == "en") return Language::English;
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return LanguagePart(locale) == "ja" ? Language::Japanese : Language::English;
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    if (code == "ja") return Language::Japanese;
    if (code == "en") return Language::English;
    return std::nullopt;
}

std::vector<std::filesystem::path>
LocaleFolderCandidates(const std::filesystem::path& program_dir) {
    return {program_dir / "locale", program_dir / ".." / "share" / "locale"};
}

std::string UseLanguage(Language language, const std::filesystem::path& program_dir) {
    // Whatever changes below, translations gettext has already looked up are forgotten
    // when the text domain is set again.
    if (language == Language::Japanese) {
        // The "C" message locale makes gettext answer every text with itself.
        std::setlocale(LC_MESSAGES, "C");
        textdomain(TextDomain);
        return {};
    }
    std::string searched;
    for (const std::filesystem::path& folder : LocaleFolderCandidates(program_dir)) {
        std::error_code ec;
        const std::filesystem::path catalogue = CatalogueIn(folder, "en");
        if (!std::filesystem::is_regular_file(catalogue, ec)) {
            searched += (searched.empty() ? "" : ", ") + catalogue.lexically_normal().string();
            continue;
        }
        // gettext takes the catalogue's language from LANGUAGE, which it reads only under
        // a message locale other than "C". The player's own locale may not be installed (a
        // minimal system has C.UTF-8 alone), so the message locale is C.UTF-8, which every
        // current glibc has, and LANGUAGE names the catalogue.
        if (!SetMessageLocale({"C.UTF-8", "C.utf8", ""}))
            return "English texts need a locale other than C, and C.UTF-8 is missing";
        setenv("LANGUAGE", "en", 1);
        bindtextdomain(TextDomain, folder.lexically_normal().c_str());
        // The translations are UTF-8, as every text the game draws, whatever the locale's
        // character set.
        bind_textdomain_codeset(TextDomain, "UTF-8");
        textdomain(TextDomain);
        if (CurrentLanguage() == Language::English) return {};
        std::setlocale(LC_MESSAGES, "C");
        textdomain(TextDomain);
        return catalogue.lexically_normal().string() + " is not an English catalogue";
    }
    return "no English texts (searched " + searched + ")";
}

std::string UseLanguage(Language language) {
    char* base = SDL_GetBasePath();
    const std::filesystem::path program_dir = base != nullptr ? base : ".";
    SDL_free(base);
    return UseLanguage(language, program_dir);
}

Language CurrentLanguage() {
    // The empty text translates to the catalogue's header, and to itself without one.
    const char* header = dgettext(TextDomain, "");
    return LanguagePart(HeaderField(header, "Language")) == "en" ? Language::English
                                                                 : Language::Japanese;
}

std::string LocalizedFileName(const std::filesystem::path& folder, const std::string& name) {
    if (CurrentLanguage() == Language::Japanese) return name;
    const size_t dot = name.rfind('.');
    const std::string english =
        dot == std::string::npos ? name + ".en" : name.substr(0, dot) + ".en" + name.substr(dot);
    std::error_code ec;
    return std::filesystem::exists(folder / english, ec) ? english : name;
}

const char* Tr(const char* japanese) {
    return dgettext(TextDomain, japanese);
}

const char* TrIn(const char* context, const char* japanese) {
    // gettext keeps a text with a context under "context\4text".
    const std::string key = std::string(context) + '\4' + japanese;
    const char* translated = dgettext(TextDomain, key.c_str());
    return translated == key.c_str() ? japanese : translated;
}
