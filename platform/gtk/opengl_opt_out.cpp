#include "platform/gtk/opengl_opt_out.h"

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace platform::gtk {

namespace {

constexpr char kVariable[] = "GDK_GL";

// The entry of environ that optOutOfOpenGl() made, while it is there.
const char* addedEntry = nullptr;

}  // namespace

void optOutOfOpenGl() {
    if (std::getenv(kVariable) || setenv(kVariable, "disable", 0) != 0) return;
    const std::size_t length = std::strlen(kVariable);
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, kVariable, length) == 0 && (*entry)[length] == '=') addedEntry = *entry;
}

std::vector<char*> childEnvironment() {
    std::vector<char*> entries;
    for (char** entry = environ; *entry; ++entry)
        if (*entry != addedEntry) entries.push_back(*entry);
    entries.push_back(nullptr);
    return entries;
}

}  // namespace platform::gtk
