// A launch set's display name, at most 64 bytes.
#pragma once

#include <string>

class LaunchSetName {
public:
    static constexpr size_t kLimit = 64;

    explicit LaunchSetName(const char* text) { Set(text); }
    LaunchSetName(const LaunchSetName&) = delete;
    LaunchSetName& operator=(const LaunchSetName&) = delete;
    virtual ~LaunchSetName() = default;

    // Keeps the first 64 bytes, never half a double-byte character.
    void Set(const char* text);
    const char* Get() const { return text_.c_str(); }

private:
    std::string text_;
};
