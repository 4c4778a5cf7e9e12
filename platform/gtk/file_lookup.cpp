#include "platform/gtk/file_lookup.h"

#include <dirent.h>
#include <glib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "forms/runtime_error.h"
#include "forms/shell.h"

namespace platform::gtk {

namespace {

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

// The name in a form that compares case-insensitively; names that are not
// UTF-8 compare as they are.
std::string folded(const std::string& name) {
    if (!g_utf8_validate(name.c_str(), static_cast<gssize>(name.size()), nullptr)) return name;
    gchar* f = g_utf8_casefold(name.c_str(), static_cast<gssize>(name.size()));
    std::string out(f);
    g_free(f);
    return out;
}

[[noreturn]] void raiseUnreadable(const std::string& dir, int err) {
    const bool device = err == EIO || err == ENXIO || err == ENODEV || err == ENOMEDIUM;
    throw forms::RuntimeError(device ? forms::errors::kDeviceUnavailable : forms::errors::kPathNotFound,
                              dir + ": " + std::strerror(err));
}

bool fits(const std::string& dir, const std::string& name, int mask) {
    if (name == "." || name == "..") return false;
    if (name[0] == '.' && !(mask & forms::attributes::kHidden)) return false;
    struct stat st;
    if (stat((dir + "/" + name).c_str(), &st) != 0) return false;  // a dangling link is no file
    if (S_ISREG(st.st_mode)) return true;
    return S_ISDIR(st.st_mode) && (mask & forms::attributes::kDirectory);
}

}  // namespace

std::string lookupFile(const std::string& path, int attributeMask) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
    if (dir.empty()) dir = "/";
    if (name.empty()) return "";

    errno = 0;
    std::unique_ptr<DIR, DirCloser> d(opendir(dir.c_str()));
    if (!d) {
        if (errno == ENOENT || errno == ENOTDIR) return "";
        raiseUnreadable(dir, errno);
    }

    const std::string wanted = folded(name);
    std::string found;
    for (;;) {
        errno = 0;
        dirent* e = readdir(d.get());
        if (!e) {
            if (errno != 0) raiseUnreadable(dir, errno);
            break;
        }
        const std::string entry = e->d_name;
        if (entry != name && (entry.empty() || folded(entry) != wanted)) continue;
        if (!fits(dir, entry, attributeMask)) continue;
        if (entry == name) return entry;
        // Of several spellings, the first in name order, so the answer does
        // not depend on the order the file system lists them in.
        if (found.empty() || entry < found) found = entry;
    }
    return found;
}

}  // namespace platform::gtk
