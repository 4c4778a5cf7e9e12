#include "platform/win32/msaa_bridge.h"

#include <oleacc.h>

#include <new>

#include "platform/win32/dll_search.h"
#include "platform/win32/host_window.h"
#include "platform/win32/unicode.h"

namespace platform::win32 {

namespace {

// What the program takes from oleacc.dll, looked up once.
struct Oleacc {
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    LresultFromObjectFn lresultFromObject = nullptr;
    CreateStdAccessibleObjectFn createStdAccessibleObject = nullptr;
};

const Oleacc& oleacc() {
    static const Oleacc functions = [] {
        // Kept loaded for the program's life: clients may hold what it made.
        HMODULE module = loadSystemLibrary(L"oleacc.dll");
        return Oleacc{functionOf<Oleacc::LresultFromObjectFn>(module, "LresultFromObject"),
                      functionOf<Oleacc::CreateStdAccessibleObjectFn>(module, "CreateStdAccessibleObject")};
    }();
    return functions;
}

// Nothing may leave a COM method by an exception: a failure inside becomes
// an error code.
template <class Body>
HRESULT guarded(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT giveText(const std::string& utf8, BSTR* out) {
    if (utf8.empty()) return S_FALSE;  // no text: *out stays null, as the interface asks
    *out = SysAllocString(widen(utf8).c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

void giveChild(LONG id, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = id;
}

// A listed control's child id: its place in the form's list, plus one.
LONG childIdOf(const forms::Form& form, const forms::Control& c) {
    const forms::AccessibleNode* node = form.accessibleNode(c);
    return node ? static_cast<LONG>(node - form.accessibleList().data() + 1) : CHILDID_SELF;
}

// The id of the first child in the tree from list place at on, going by
// step (+1 or -1); 0 when there is none.
LONG shownFrom(const forms::Form& form, std::size_t at, int step) {
    const auto list = form.accessibleList();
    for (; at < list.size(); at += static_cast<std::size_t>(step))  // -1 wraps past 0 and ends the loop
        if (form.inAccessibleTree(*list[at].control)) return static_cast<LONG>(at + 1);
    return 0;
}

}  // namespace

// The client area's IAccessible, with the enumeration of its children. A
// clone of the enumeration is an object of its own that reaches the window
// through the original, and so is cut off with it.
class ClientObject final : public IAccessible, public IEnumVARIANT {
public:
    explicit ClientObject(HostWindow& window) : window_(&window) {}

    void disconnect() { window_ = nullptr; }

    // IUnknown: one identity, the IAccessible.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IEnumVARIANT)) {
            *out = static_cast<IEnumVARIANT*>(this);
            enumAt_ = 0;  // a client asking for the enumeration starts it anew
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers call IAccessible directly; there is no type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        // The window's own object, which the system makes.
        const auto create = oleacc().createStdAccessibleObject;
        if (!create) return S_FALSE;
        return create(w->handle(), OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        for (const forms::AccessibleNode& n : w->form().accessibleList())
            *count += w->form().inAccessibleTree(*n.control) ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        return node ? S_FALSE : E_INVALIDARG;  // children are simple elements, not objects
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        const forms::Form& form = window()->form();
        return guarded([&] { return giveText(node ? form.accessibleName(*node->control) : form.accessibleName(), name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return notSupported(child, value); }
    // What an entry does; the window and the texts have no description.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (!text) return E_POINTER;
        *text = nullptr;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        if (!node || !node->entry) return DISP_E_MEMBERNOTFOUND;
        return guarded([&] { return giveText(window()->form().accessibleDescription(*node->control), text); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        giveChild(!node                                       ? ROLE_SYSTEM_CLIENT
                  : node->role == forms::AccessibleRole::Link ? ROLE_SYSTEM_LINK
                                                              : ROLE_SYSTEM_STATICTEXT,
                  role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        const HWND hwnd = window()->handle();
        const forms::Control* focus = GetFocus() == hwnd ? window()->form().focused() : nullptr;
        LONG bits = STATE_SYSTEM_READONLY;  // a text
        if (!node)
            bits = STATE_SYSTEM_FOCUSABLE | (GetFocus() == hwnd && !focus ? STATE_SYSTEM_FOCUSED : 0);
        else if (node->entry)
            bits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | (focus == node->control ? STATE_SYSTEM_FOCUSED : 0);
        if (!IsWindowEnabled(hwnd)) bits |= STATE_SYSTEM_UNAVAILABLE;  // a message box is open
        giveChild(bits, state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return notSupported(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (topic) *topic = 0;
        return notSupported(child, file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return notSupported(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != w->handle()) return S_FALSE;  // the focus is elsewhere
        const forms::Control* entry = w->form().focused();
        giveChild(entry ? childIdOf(w->form(), *entry) : CHILDID_SELF, focus);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        return window() ? S_FALSE : CO_E_OBJNOTCONNECTED;  // nothing here is selected
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        if (!node || !node->entry) return DISP_E_MEMBERNOTFOUND;
        *action = SysAllocString(L"Click");
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr) || flags == SELFLAG_NONE) return hr;
        // Nothing can be selected; the window and its entries take the focus.
        if (flags != SELFLAG_TAKEFOCUS || (node && !node->entry)) return DISP_E_MEMBERNOTFOUND;
        HostWindow* w = window();
        if (GetFocus() != w->handle()) SetFocus(w->handle());
        if (!node) return S_OK;
        return guarded([&] { return w->form().accessibleFocus(*node->control) ? S_OK : E_FAIL; });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        RECT r;
        if (node) {
            r = window()->screenRect(window()->form().accessibleBox(*node->control));
        } else {
            const HWND hwnd = window()->handle();
            GetClientRect(hwnd, &r);
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(start, node);
        if (FAILED(hr)) return hr;
        const forms::Form& form = window()->form();
        LONG found = 0;
        switch (direction) {
            // Children: the client area's only; a simple element has none.
            case NAVDIR_FIRSTCHILD: found = node ? 0 : shownFrom(form, 0, 1); break;
            case NAVDIR_LASTCHILD: found = node ? 0 : shownFrom(form, form.accessibleList().size() - 1, -1); break;
            // Siblings: a child's, in the tree's order; the client area's are the window's business.
            case NAVDIR_NEXT: found = node ? shownFrom(form, static_cast<std::size_t>(start.lVal), 1) : 0; break;
            case NAVDIR_PREVIOUS: found = node ? shownFrom(form, static_cast<std::size_t>(start.lVal) - 2, -1) : 0; break;
            case NAVDIR_UP:
            case NAVDIR_DOWN:
            case NAVDIR_LEFT:
            case NAVDIR_RIGHT: return DISP_E_MEMBERNOTFOUND;  // no spatial navigation
            default: return E_INVALIDARG;
        }
        if (!found) return S_FALSE;
        giveChild(found, end);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        forms::Point p;
        if (!w->clientPointOf({x, y}, p)) return S_FALSE;  // outside the client area
        const forms::Control* c = w->form().accessibleAt(p);
        giveChild(c ? childIdOf(w->form(), *c) : CHILDID_SELF, hit);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        if (FAILED(hr)) return hr;
        if (!node || !node->entry) return DISP_E_MEMBERNOTFOUND;
        // Refused while a button is held or a message box is open, as a key is.
        HostWindow* w = window();
        if (!w->form().accessibleActionAvailable(*node->control)) return E_FAIL;
        return PostMessageW(w->handle(), MsaaBridge::kDefaultActionMessage, static_cast<WPARAM>(child.lVal), 0)
                   ? S_OK
                   : HRESULT_FROM_WIN32(GetLastError());
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // IEnumVARIANT: the ids of the children shown as the enumeration gets
    // to them, in the tree's order.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        if (!out) return E_POINTER;
        return advance(count, out, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return advance(count, nullptr, nullptr); }
    HRESULT STDMETHODCALLTYPE Reset() override {
        enumAt_ = 0;
        return window() ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!window()) return CO_E_OBJNOTCONNECTED;
        ClientObject* clone = new (std::nothrow) ClientObject(origin_ ? *origin_ : *this, enumAt_);
        if (!clone) return E_OUTOFMEMORY;
        *out = static_cast<IEnumVARIANT*>(clone);
        return S_OK;
    }

private:
    ClientObject(ClientObject& origin, std::size_t at) : origin_(&origin), enumAt_(at) { origin.AddRef(); }
    ~ClientObject() {
        if (origin_) origin_->Release();
    }

    // The window, or null once it has gone.
    HostWindow* window() const { return origin_ ? origin_->window_ : window_; }

    // What a VARIANT child id names: node stays null for the object itself.
    // A listed control that is not in the tree now (hidden, or a label with
    // nothing to read) is no valid argument.
    HRESULT resolve(const VARIANT& child, const forms::AccessibleNode*& node) const {
        node = nullptr;
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) return S_OK;
        const auto list = w->form().accessibleList();
        if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > list.size()) return E_INVALIDARG;
        const forms::AccessibleNode& n = list[static_cast<std::size_t>(child.lVal - 1)];
        if (!w->form().inAccessibleTree(*n.control)) return E_INVALIDARG;
        node = &n;
        return S_OK;
    }

    // A text property nothing here has.
    HRESULT notSupported(const VARIANT& child, BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        const forms::AccessibleNode* node = nullptr;
        HRESULT hr = resolve(child, node);
        return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
    }

    // Moves the enumeration on by count shown children, giving their ids
    // when out is set.
    HRESULT advance(ULONG count, VARIANT* out, ULONG* fetched) {
        HostWindow* w = window();
        if (!w) return CO_E_OBJNOTCONNECTED;
        ULONG n = 0;
        for (LONG id; n < count && (id = shownFrom(w->form(), enumAt_, 1)) != 0; ++n) {
            enumAt_ = static_cast<std::size_t>(id);
            if (out) giveChild(id, &out[n]);
        }
        if (fetched) *fetched = n;
        if (n < count) enumAt_ = w->form().accessibleList().size();  // at the end
        return n == count ? S_OK : S_FALSE;
    }

    LONG refs_ = 1;
    HostWindow* window_ = nullptr;     // null once the window is gone, and in a clone
    ClientObject* origin_ = nullptr;  // a clone's original, which it keeps alive
    std::size_t enumAt_ = 0;          // the list place the enumeration goes on from
};

LRESULT MsaaBridge::getObject(WPARAM flags, LPARAM objectId) {
    // The object id is a 32-bit value, sign-extended or not on 64-bit systems.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    const auto lresultFromObject = oleacc().lresultFromObject;
    if (!lresultFromObject || !window_.handle()) return 0;
    if (!object_) {
        object_ = new (std::nothrow) ClientObject(window_);
        if (!object_) return 0;
    }
    const LRESULT result = lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object_));
    return result > 0 ? result : 0;
}

void MsaaBridge::runDefaultAction(WPARAM childId) {
    const auto list = window_.form().accessibleList();
    if (childId < 1 || childId > list.size()) return;
    window_.form().accessibleAction(*list[childId - 1].control);
}

void MsaaBridge::disconnect() {
    if (!object_) return;
    object_->disconnect();
    // Clients in other processes are cut off too, their proxies released.
    CoDisconnectObject(static_cast<IAccessible*>(object_), 0);
    object_->Release();
    object_ = nullptr;
}

LONG MsaaBridge::childId(const forms::Control& c) const { return childIdOf(window_.form(), c); }

void MsaaBridge::notify(DWORD event, LONG child) const {
    if (HWND hwnd = window_.handle()) NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}

void MsaaBridge::focusChanged(const forms::Control* entry) {
    // Only the window with the keyboard focus may say where the focus is.
    if (GetFocus() == window_.handle()) notify(EVENT_OBJECT_FOCUS, entry ? childId(*entry) : CHILDID_SELF);
}

void MsaaBridge::nameChanged(const forms::Control& child) { notify(EVENT_OBJECT_NAMECHANGE, childId(child)); }

void MsaaBridge::visibilityChanged(const forms::Control& child, bool visible) {
    notify(visible ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, childId(child));
}

void MsaaBridge::windowFocused() {
    if (const forms::Control* entry = window_.form().focused()) notify(EVENT_OBJECT_FOCUS, childId(*entry));
}

}  // namespace platform::win32
