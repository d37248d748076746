#pragma once
// Environment variables as the programs read them: unset and empty alike.
#include <cstdlib>

namespace platform {

// The variable's value; null when it is unset or empty.
inline const char* env(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? value : nullptr;
}

}  // namespace platform
