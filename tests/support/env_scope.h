// Sets (or unsets) an environment variable for a scope and puts back what it was after,
// also when the test ends early.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class EnvScope {
public:
    // With keep_set, a variable that is already set keeps its value (a driver the person
    // running the tests chose).
    EnvScope(const char* name, const char* value, bool keep_set = false) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (keep_set && old_) return;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvScope() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};
