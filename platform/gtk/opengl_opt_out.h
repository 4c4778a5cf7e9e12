// GDK probes OpenGL when it opens an X display, to choose visuals for GL
// drawing: it loads the system's GL driver, which with a software renderer
// brings a whole compiler. Before the menu's first frame that probe took
// longer than everything else together, and held half of the program's
// memory. The menu draws with cairo alone, so it asks GDK to leave OpenGL
// out, unless the user's environment already says how GDK is to use it.
#pragma once

#include <vector>

namespace platform::gtk {

// Call before gtk_init and before any other thread runs: it changes the
// environment.
void optOutOfOpenGl();

// The environment for the programs the menu starts: its own, without what
// optOutOfOpenGl() added, so that an installer, and what it starts in turn,
// uses OpenGL as it would have. Null-terminated; the strings are environ's.
std::vector<char*> childEnvironment();

}  // namespace platform::gtk
