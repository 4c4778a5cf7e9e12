// Looking a file up on Linux the way the menu asks for it: the file named by
// the path's last component, matched whatever its letter case, in the
// directory the rest of the path names.
#pragma once

#include <string>

namespace platform::gtk {

// The on-disk name of the entry of path's directory whose name equals path's
// last component case-insensitively and that fits attributeMask (see
// forms::attributes: 0 takes regular files, symbolic links followed; names
// starting with "." are hidden and need the hidden bit; the directory bit
// also takes directories). An exact match wins over others. "" when nothing
// fits or the directory does not exist. Raises forms::RuntimeError when the
// directory exists but cannot be read.
std::string lookupFile(const std::string& path, int attributeMask);

}  // namespace platform::gtk
