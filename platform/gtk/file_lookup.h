// Finding files the way the menu asks for them: one name in one directory,
// whatever its letter case, and the directory of the running executable.
#pragma once

#include <string>

namespace platform::gtk {

// The on-disk name of a file in path's directory whose name equals path's
// last component, compared without regard to letter case; "" when there is
// none. With attributeMask 0 only regular files (symbolic links to them
// included) count; a name starting with "." is a hidden file and counts only
// with the hidden bit; directories count only with the directory bit. Where
// several names match, the one of the same case wins, otherwise the first in
// byte order. A directory that does not exist holds no files; one that cannot
// be read raises forms::RuntimeError with the system's reason.
std::string findFile(const std::string& path, int attributeMask);

// The directory that holds the running executable, without a trailing "/"
// except for the root. Raises forms::RuntimeError when the system will not
// say.
std::string executableDirectory();

}  // namespace platform::gtk
