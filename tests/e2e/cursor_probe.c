/* Prints the X server's current pointer image as WIDTHxHEIGHT+XHOT+YHOT, for
 * the end-to-end cases to see which pointer a window shows. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "cursor_probe: cannot open the display\n");
        return 2;
    }
    int event, error;
    if (!XFixesQueryExtension(d, &event, &error)) {
        fprintf(stderr, "cursor_probe: the X server has no XFIXES\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(d);
    if (!image) return 1;
    printf("%dx%d+%d+%d\n", image->width, image->height, image->xhot, image->yhot);
    XFree(image);
    XCloseDisplay(d);
    return 0;
}
