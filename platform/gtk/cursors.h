// The pointer shapes of the form's pointer codes, as GDK cursors. The
// standard codes map to the desktop's named cursors; a custom picture becomes
// a cursor of its own with its hot spot at the picture's centre. Cursors are
// made once per code or picture and kept while the window lives.
#pragma once

#include <gdk/gdk.h>

#include <map>

#include "forms/form.h"

namespace platform::gtk {

class Cursors {
public:
    explicit Cursors(GdkDisplay* display) : display_(display) {}
    ~Cursors();
    Cursors(const Cursors&) = delete;
    Cursors& operator=(const Cursors&) = delete;

    // The cursor to show for c; null means the window's default pointer.
    GdkCursor* cursorFor(const forms::Cursor& c);

    // The desktop's cursor name for a standard pointer code; null for the
    // default pointer and for codes without a shape of their own.
    static const char* cursorName(int code);

private:
    GdkCursor* named(int code);
    GdkCursor* fromPicture(const forms::Picture& picture);

    GdkDisplay* display_;
    std::map<int, GdkCursor*> named_;
    std::map<const forms::Picture*, GdkCursor*> pictures_;
};

}  // namespace platform::gtk
