#include "platform/gtk/process_start.h"

#include <glib.h>

#include "forms/runtime_error.h"

namespace platform::gtk {

namespace {

// The run-time error number for a spawn failure.
int errorNumber(const GError* error) {
    if (error->domain != G_SPAWN_ERROR) return forms::errors::kInvalidCall;
    switch (error->code) {
        case G_SPAWN_ERROR_NOENT: return forms::errors::kFileNotFound;
        case G_SPAWN_ERROR_ACCES:
        case G_SPAWN_ERROR_PERM: return 70;  // permission denied
        case G_SPAWN_ERROR_CHDIR: return forms::errors::kPathNotFound;
        default: return forms::errors::kInvalidCall;
    }
}

void reap(GPid pid, gint /*status*/, gpointer) { g_spawn_close_pid(pid); }

}  // namespace

void startProgram(const std::string& program, const std::string& workingDirectory) {
    gchar* argv[] = {const_cast<gchar*>(program.c_str()), nullptr};
    const gchar* cwd = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    GPid pid = 0;
    GError* error = nullptr;
    // The program is argv[0] and is not looked up in PATH: only this file runs.
    if (!g_spawn_async(cwd, argv, nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid, &error)) {
        forms::RuntimeError failure(errorNumber(error), error->message);
        g_error_free(error);
        throw failure;
    }
    g_child_watch_add(pid, reap, nullptr);
}

}  // namespace platform::gtk
