#include "platform/gtk/message_box.h"

#include <cstring>

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include "forms/shell.h"

namespace platform::gtk {

namespace {

// The desktop icon for each message type; GTK's dialog no longer shows one
// by itself, and the message box's icon is part of what it says.
const char* iconName(GtkMessageType type) {
    switch (type) {
        case GTK_MESSAGE_ERROR: return "dialog-error";
        case GTK_MESSAGE_QUESTION: return "dialog-question";
        case GTK_MESSAGE_WARNING: return "dialog-warning";
        case GTK_MESSAGE_INFO: return "dialog-information";
        default: return nullptr;
    }
}

GtkMessageType messageType(int style) {
    switch (style & 0x70) {
        case forms::box::kCritical: return GTK_MESSAGE_ERROR;
        case forms::box::kQuestion: return GTK_MESSAGE_QUESTION;
        case forms::box::kExclamation: return GTK_MESSAGE_WARNING;
        case forms::box::kInformation: return GTK_MESSAGE_INFO;
        default: return GTK_MESSAGE_OTHER;
    }
}

// Carriage returns, alone or before a line feed, become line breaks.
std::string withLineBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Window managers that offer minimise on every dialog whatever its Motif
// hints ask, and the window type for which they offer only move and close.
// Minimising a dialog there takes its owner with it: the menu, which has hidden
// the panel the user would bring it back from.
struct WindowManagerRule {
    const char* name;
    GdkWindowTypeHint type;
};
constexpr WindowManagerRule kWindowManagerRules[] = {
    {"Openbox", GDK_WINDOW_TYPE_HINT_TOOLBAR},
};

GdkWindowTypeHint boxType(GtkWidget* box) {
#ifdef GDK_WINDOWING_X11
    GdkScreen* screen = gtk_widget_get_screen(box);
    if (GDK_IS_X11_SCREEN(screen)) {
        const char* wm = gdk_x11_screen_get_window_manager_name(screen);
        for (const WindowManagerRule& rule : kWindowManagerRules)
            if (std::strcmp(wm, rule.name) == 0) return rule.type;
    }
#endif
    return GDK_WINDOW_TYPE_HINT_DIALOG;
}

}  // namespace

int runMessageBox(GtkWindow* owner, const std::string& prompt, int style, const std::string& title) {
    const GtkMessageType type = messageType(style);
    // Modal, and destroyed with its owner: never on screen without it.
    GtkWidget* dialog =
        gtk_message_dialog_new(owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                               type, GTK_BUTTONS_OK, "%s", withLineBreaks(prompt).c_str());
    if (const char* icon = iconName(type)) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), image);
        gtk_widget_show(image);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    // Readers name the box by its title, as Windows' message box is named;
    // GTK would name it after the message type ("Question").
    atk_object_set_name(gtk_widget_get_accessible(dialog), title.c_str());
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_type_hint(GTK_WINDOW(dialog), boxType(dialog));
    // Move and close only, with a title bar and its window menu: what window
    // managers that follow the Motif hints offer and draw.
    gtk_widget_realize(dialog);
    if (GdkWindow* window = gtk_widget_get_window(dialog)) {
        gdk_window_set_functions(window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
        gdk_window_set_decorations(window,
                                   static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
    }
    g_object_ref(dialog);
    gtk_dialog_run(GTK_DIALOG(dialog));
    // The dialog may already be gone with its owner (the program was closed
    // while it was open).
    gtk_widget_destroy(dialog);
    g_object_unref(dialog);
    return forms::box::kOk;
}

}  // namespace platform::gtk
