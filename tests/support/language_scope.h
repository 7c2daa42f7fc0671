// The game's texts in a language for the life of a scope, Japanese again after it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "media/language.h"

class LanguageScope {
public:
    explicit LanguageScope(Language language) {
        const std::string problem = UseLanguage(language);
        EXPECT_EQ(problem, "") << "the catalogue is built beside the tests";
    }
    ~LanguageScope() { UseLanguage(Language::Japanese); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
};
