#include "forms/runtime_error.h"

namespace forms {

std::string standardErrorMessage(const RuntimeError& e) {
    return "Run-time error '" + std::to_string(e.number()) + "':\n\n" + e.description();
}

}  // namespace forms
