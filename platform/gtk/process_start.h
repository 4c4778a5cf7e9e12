// Starting a program as a process of its own, without a shell: the program's
// path is handed to the system as it is, so spaces, quotes or a file planted
// where an unquoted command line would break cannot change what runs.
#pragma once

#include <string>

namespace platform::gtk {

// Starts program, with no arguments, in workingDirectory, and returns at
// once. The child is reaped by the main loop when it ends, so it never
// lingers as a zombie; nothing else is heard from it. Raises
// forms::RuntimeError with the system's reason when it cannot start (not
// found, not executable, not a program).
void startProgram(const std::string& program, const std::string& workingDirectory);

}  // namespace platform::gtk
