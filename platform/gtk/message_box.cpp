#include "platform/gtk/message_box.h"

#include "forms/shell.h"

namespace platform::gtk {

namespace {

// The icon that goes with each style, from the desktop's icon theme.
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

}  // namespace

std::string dialogText(const std::string& prompt) {
    std::string text;
    text.reserve(prompt.size());
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] != '\r') {
            text += prompt[i];
            continue;
        }
        text += '\n';
        if (i + 1 < prompt.size() && prompt[i + 1] == '\n') ++i;
    }
    return text;
}

int showMessageBox(GtkWindow* owner, const std::string& prompt, int style, const std::string& title) {
    const GtkMessageType type = messageType(style);
    GtkWidget* dialog = gtk_message_dialog_new(owner, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                               type, GTK_BUTTONS_OK, "%s", dialogText(prompt).c_str());
    // GTK 3 no longer shows the type's icon by itself; the style asks for it.
    if (const char* icon = iconName(type)) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), image);
        gtk_widget_show(image);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    // Without a window manager nothing would place it; in front of the menu,
    // in the middle of the screen, is where it belongs in any case.
    gtk_window_set_position(GTK_WINDOW(dialog), owner ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    // The owner may be destroyed while the box is open (a close request or
    // a signal): then the box goes with it and the run returns.
    g_object_ref(dialog);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    g_object_unref(dialog);
    return forms::box::kOk;
}

}  // namespace platform::gtk
