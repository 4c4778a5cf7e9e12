#include "platform/gtk/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <glib.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "forms/runtime_error.h"
#include "forms/shell.h"

namespace platform::gtk {

namespace {

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

struct GFree {
    void operator()(void* p) const { g_free(p); }
};
using GString_ = std::unique_ptr<char, GFree>;

// The run-time error number that best names a failed directory read.
int errorNumber(int err) {
    switch (err) {
        case EACCES:
        case EPERM: return 75;         // path/file access error
        case EIO: return 57;           // device I/O error
        case ENAMETOOLONG: return 52;  // bad file name or number
        case ENODEV:
        case ENXIO:
        case ENOMEDIUM: return forms::errors::kDeviceUnavailable;
        default: return forms::errors::kPathNotFound;
    }
}

// A key that compares names without regard to case; names that are not valid
// UTF-8 are compared as they are.
std::string caseKey(const std::string& name) {
    if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) return name;
    GString_ folded(g_utf8_casefold(name.data(), static_cast<gssize>(name.size())));
    GString_ normal(g_utf8_normalize(folded.get(), -1, G_NORMALIZE_DEFAULT));
    return normal ? std::string(normal.get()) : std::string(folded.get());
}

bool kindAllowed(const std::string& fullPath, int mask) {
    struct stat st {};
    if (stat(fullPath.c_str(), &st) != 0) return false;  // a dangling link or a file gone meanwhile
    if (S_ISREG(st.st_mode)) return true;
    if (S_ISDIR(st.st_mode)) return (mask & forms::attributes::kDirectory) != 0;
    return false;  // devices, pipes and sockets are no files to start
}

}  // namespace

std::string findFile(const std::string& path, int attributeMask) {
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string wanted = slash == std::string::npos ? path : path.substr(slash + 1);
    if (wanted.empty() || wanted == "." || wanted == "..") return "";

    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) return "";
        throw forms::RuntimeError(errorNumber(err), std::strerror(err));
    }

    const std::string wantedKey = caseKey(wanted);
    std::optional<std::string> best;
    for (;;) {
        errno = 0;  // readdir reports its errors only through errno
        const dirent* entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0) {
                const int err = errno;
                throw forms::RuntimeError(errorNumber(err), std::strerror(err));
            }
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (name[0] == '.' && !(attributeMask & forms::attributes::kHidden)) continue;
        if (caseKey(name) != wantedKey) continue;
        if (!kindAllowed(directory + "/" + name, attributeMask)) continue;
        if (name == wanted) return name;
        if (!best || name < *best) best = name;
    }
    return best.value_or("");
}

std::string executableDirectory() {
    GError* error = nullptr;
    GString_ target(g_file_read_link("/proc/self/exe", &error));
    if (!target) {
        std::string why = error ? error->message : "the executable's path is unknown";
        g_clear_error(&error);
        throw forms::RuntimeError(forms::errors::kPathNotFound, why);
    }
    std::string exe = target.get();
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos) throw forms::RuntimeError(forms::errors::kPathNotFound, "bad executable path " + exe);
    return slash == 0 ? "/" : exe.substr(0, slash);
}

}  // namespace platform::gtk
