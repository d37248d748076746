#include "engine/types.h"

namespace engine {

FilterError::FilterError(const std::string& problem, size_t position)
    : Error("Filter error at position " + std::to_string(position) + ": " + problem),
      problem_(problem),
      position_(position) {}

}  // namespace engine
