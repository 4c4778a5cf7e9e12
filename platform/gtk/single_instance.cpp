#include "platform/gtk/single_instance.h"

#include <fcntl.h>
#include <glib-unix.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>
#include <vector>

#ifdef GDK_WINDOWING_X11
#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#endif
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/gdkwayland.h>
#endif

namespace platform::gtk {

namespace {

// How long a later start waits for the first menu's answer: a menu that
// neither answers nor ends in that time is taken to be there.
constexpr auto kAnswerTime = std::chrono::seconds(5);

// A claim granted with nothing to own.
class Unowned final : public SingleInstance {};

void warnUnowned(const char* why) {
    std::fprintf(stderr, "install-menu: %s: a second start will open a second menu\n", why);
}

#ifdef GDK_WINDOWING_X11

constexpr const char* kSelection = "_TARVELO_INSTALL_MENU";
constexpr const char* kPresentRequest = "_TARVELO_INSTALL_MENU_PRESENT";
constexpr const char* kPresented = "_TARVELO_INSTALL_MENU_PRESENTED";

void sendMessage(Display* d, Window to, const char* type, long first, long second) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = to;
    e.xclient.message_type = XInternAtom(d, type, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = first;
    e.xclient.data.l[1] = second;
    XSendEvent(d, to, False, NoEventMask, &e);
}

class X11Instance final : public SingleInstance {
public:
    explicit X11Instance(GdkWindow* owner) : owner_(owner) {
        gdk_window_add_filter(owner_, filter, this);
    }
    ~X11Instance() override {
        gdk_window_remove_filter(owner_, filter, this);
        gdk_window_destroy(owner_);  // the selection goes with its window
    }

private:
    static GdkFilterReturn filter(GdkXEvent* xevent, GdkEvent*, gpointer p) {
        auto* self = static_cast<X11Instance*>(p);
        const XEvent* e = static_cast<const XEvent*>(xevent);
        if (e->type != ClientMessage || e->xclient.format != 32) return GDK_FILTER_CONTINUE;
        Display* d = GDK_WINDOW_XDISPLAY(self->owner_);
        if (e->xclient.message_type != XInternAtom(d, kPresentRequest, False)) return GDK_FILTER_CONTINUE;
        // The answer tells the later start that a menu came forward; a menu
        // that is ending gives none, and the later start waits for its end.
        if (self->present(static_cast<guint32>(e->xclient.data.l[0]), {})) {
            GdkDisplay* display = gdk_window_get_display(self->owner_);
            gdk_x11_display_error_trap_push(display);
            sendMessage(d, static_cast<Window>(e->xclient.data.l[1]), kPresented, 0, 0);
            XFlush(d);
            gdk_x11_display_error_trap_pop_ignored(display);
        }
        return GDK_FILTER_REMOVE;
    }

    GdkWindow* owner_;
};

// Asks the menu whose window owns the selection to come to the front. True
// when it did, or may have; false when it has ended, or was ending and has
// now gone, so that the selection may be free.
bool askToPresent(GdkDisplay* display, Window owner, Window ours, guint32 time) {
    Display* d = GDK_DISPLAY_XDISPLAY(display);
    gdk_x11_display_error_trap_push(display);
    XSelectInput(d, owner, StructureNotifyMask);  // to see it end
    sendMessage(d, owner, kPresentRequest, static_cast<long>(time), static_cast<long>(ours));
    XSync(d, False);
    if (gdk_x11_display_error_trap_pop(display) != Success) return false;
    const Atom presented = XInternAtom(d, kPresented, False);
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (std::chrono::steady_clock::now() < deadline) {
        XEvent e;
        if (XCheckTypedWindowEvent(d, owner, DestroyNotify, &e)) return false;
        if (XCheckTypedWindowEvent(d, ours, ClientMessage, &e) && e.xclient.message_type == presented) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::unique_ptr<SingleInstance> claimX11(GdkDisplay* display) {
    GdkWindowAttr attributes{};
    attributes.wclass = GDK_INPUT_ONLY;
    attributes.window_type = GDK_WINDOW_TEMP;
    attributes.x = attributes.y = -1;
    attributes.width = attributes.height = 1;
    attributes.event_mask = GDK_PROPERTY_CHANGE_MASK;  // for the server's time
    GdkWindow* owner = gdk_window_new(gdk_screen_get_root_window(gdk_display_get_default_screen(display)),
                                      &attributes, GDK_WA_X | GDK_WA_Y);
    const guint32 time = gdk_x11_get_server_time(owner);
    Display* d = GDK_DISPLAY_XDISPLAY(display);
    const Atom selection = XInternAtom(d, kSelection, False);
    const Window ours = GDK_WINDOW_XID(owner);
    // The owner may end between the look and the request, or be ending:
    // look again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        // Looking and taking in one step: two menus started at once must
        // not both find the selection free.
        XGrabServer(d);
        const Window current = XGetSelectionOwner(d, selection);
        if (current == None) XSetSelectionOwner(d, selection, ours, time);
        XUngrabServer(d);
        XSync(d, False);
        if (current == None) {
            if (XGetSelectionOwner(d, selection) == ours) return std::make_unique<X11Instance>(owner);
            continue;
        }
        if (askToPresent(display, current, ours, time)) {
            gdk_window_destroy(owner);
            return nullptr;
        }
    }
    gdk_window_destroy(owner);
    warnUnowned("cannot own the display's menu selection");
    return std::make_unique<Unowned>();
}

#endif

// A Wayland menu's answer to a request when it came forward.
constexpr char kPresentedLine[] = "presented\n";

// The lock and socket of a Wayland display. The lock is held for the menu's
// life (a lock on an open file goes with the process, however it ends); the
// socket beside it takes the requests of later starts.
class RuntimeDirInstance final : public SingleInstance {
public:
    RuntimeDirInstance(int lock, int listener, std::string socketPath)
        : lock_(lock), listener_(listener), socketPath_(std::move(socketPath)) {
        if (listener_ >= 0) source_ = g_unix_fd_add(listener_, G_IO_IN, onConnection, this);
    }
    ~RuntimeDirInstance() override {
        for (Request* r : requests_) drop(r);
        if (listener_ >= 0) {
            g_source_remove(source_);
            unlink(socketPath_.c_str());
            close(listener_);
        }
        close(lock_);
    }

private:
    // A later start's request: its activation token, up to a line break or
    // the end of what it sends.
    struct Request {
        RuntimeDirInstance* self;
        int fd;
        guint source;
        std::string token;
    };

    static gboolean onConnection(gint, GIOCondition, gpointer p) {
        auto* self = static_cast<RuntimeDirInstance*>(p);
        const int fd = accept4(self->listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            auto* r = new Request{self, fd, 0, {}};
            r->source = g_unix_fd_add(fd, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), onData, r);
            self->requests_.push_back(r);
        }
        return G_SOURCE_CONTINUE;
    }

    static gboolean onData(gint fd, GIOCondition, gpointer p) {
        auto* r = static_cast<Request*>(p);
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return G_SOURCE_CONTINUE;
        if (n > 0) r->token.append(buffer, static_cast<std::size_t>(n));
        const auto end = r->token.find('\n');
        // A token is far shorter; anything longer is not a menu's request.
        if (n > 0 && end == std::string::npos && r->token.size() < 1024) return G_SOURCE_CONTINUE;
        RuntimeDirInstance* self = r->self;
        if (end != std::string::npos && self->present(0, r->token.substr(0, end)))
            send(fd, kPresentedLine, sizeof kPresentedLine - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        std::erase(self->requests_, r);
        r->source = 0;  // removed by returning G_SOURCE_REMOVE
        drop(r);
        return G_SOURCE_REMOVE;
    }

    static void drop(Request* r) {
        if (r->source) g_source_remove(r->source);
        close(r->fd);
        delete r;
    }

    int lock_, listener_;
    std::string socketPath_;
    guint source_ = 0;
    std::vector<Request*> requests_;
};

bool fillAddress(sockaddr_un& address, const std::string& path) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

enum class Answer { Presented, Ending, Unanswered };

// Hands the first menu this start's token and waits for its answer: it came
// forward, it is ending (it closes the connection without answering), or
// its socket is not (yet) there.
Answer sendRequest(const sockaddr_un& address) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Answer::Unanswered;
    Answer result = Answer::Unanswered;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
        const std::string line = std::string(token ? token : "") + '\n';
        const timeval wait{static_cast<time_t>(kAnswerTime.count()), 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        if (send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size())) {
            char answer[sizeof kPresentedLine] = {};
            const ssize_t n = recv(fd, answer, sizeof answer - 1, MSG_WAITALL);
            // No answer in time: a menu that is there but busy.
            result = n < 0 ? Answer::Presented
                     : std::string_view(answer, static_cast<std::size_t>(n)) == kPresentedLine ? Answer::Presented
                                                                                             : Answer::Ending;
        }
    }
    close(fd);
    return result;
}

std::unique_ptr<SingleInstance> claimRuntimeDir(const char* waylandDisplay) {
    const std::string base = runtimeLockPath(std::getenv("XDG_RUNTIME_DIR"), waylandDisplay);
    sockaddr_un address;
    if (base.empty() || !fillAddress(address, base + ".socket")) {
        warnUnowned(base.empty() ? "XDG_RUNTIME_DIR is not set" : "the runtime directory's path is too long");
        return std::make_unique<Unowned>();
    }
    const int lock = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) {
        warnUnowned(std::strerror(errno));
        return std::make_unique<Unowned>();
    }
    // Another menu holds the lock: ask it to come forward. One that is
    // ending lets go of the lock within moments, and this start becomes the
    // menu; one that is still making its socket is asked again.
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            warnUnowned(std::strerror(errno));
            close(lock);
            return std::make_unique<Unowned>();
        }
        if (std::chrono::steady_clock::now() > deadline || sendRequest(address) == Answer::Presented) {
            close(lock);
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Ours: a socket left by a menu that was killed goes first.
    unlink(address.sun_path);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0 || bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 4) != 0) {
        // The lock alone still keeps a second menu away; it just cannot ask.
        std::fprintf(stderr, "install-menu: cannot take requests at %s: %s\n", address.sun_path,
                     std::strerror(errno));
        if (listener >= 0) close(listener);
        return std::make_unique<RuntimeDirInstance>(lock, -1, std::string());
    }
    return std::make_unique<RuntimeDirInstance>(lock, listener, address.sun_path);
}

}  // namespace

std::string runtimeLockPath(const char* runtimeDir, const char* waylandDisplay) {
    if (!runtimeDir || !*runtimeDir || !waylandDisplay) return {};
    std::string name = waylandDisplay;
    if (const auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
    if (name.empty()) return {};
    std::string dir = runtimeDir;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir + "/tarvelo-install-menu-" + name;
}

std::unique_ptr<SingleInstance> SingleInstance::claim() {
    GdkDisplay* display = gdk_display_get_default();
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_DISPLAY(display)) return claimX11(display);
#endif
#ifdef GDK_WINDOWING_WAYLAND
    if (GDK_IS_WAYLAND_DISPLAY(display)) return claimRuntimeDir(gdk_display_get_name(display));
#endif
    return std::make_unique<Unowned>();
}

void SingleInstance::setWindow(GtkWindow* window) {
    if (window_) g_object_remove_weak_pointer(G_OBJECT(window_), reinterpret_cast<gpointer*>(&window_));
    window_ = window;
    hadWindow_ = hadWindow_ || window_;
    if (window_) g_object_add_weak_pointer(G_OBJECT(window_), reinterpret_cast<gpointer*>(&window_));
}

bool SingleInstance::present(guint32 time, const std::string& activationToken) {
    // Not yet shown, the window will come to the front by itself.
    if (!window_) return !hadWindow_;
    if (!activationToken.empty()) gtk_window_set_startup_id(window_, activationToken.c_str());
    gtk_window_present_with_time(window_, time ? time : GDK_CURRENT_TIME);
    return true;
}

}  // namespace platform::gtk
