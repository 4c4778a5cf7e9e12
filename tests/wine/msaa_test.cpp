// The menu window's screen-reader object, from inside the process, under
// Wine: the real window and form with a recording shell, the object taken
// as a reader takes it (AccessibleObjectFromWindow), and every answer
// checked: COM identity and reference counts, the tree, ids that are not
// (or no longer) children, locations and hit tests, the WinEvents, the keys
// and the window's keyboard cues, the default action run after the reader's
// call, and the object cut off once the window is gone.
//
//   msaa-test
//
// Every check is printed; the exit code is the number of failed checks.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/form1.h"
#include "desktop.h"
#include "menu/texts.h"
#include "msaa_reader.h"
#include "platform/win32/host_window.h"
#include "platform/win32/unicode.h"
#include "platform/win32/win32_pictures.h"

// Every installer is found beside the menu; starts and message boxes are
// recorded.
class RecordingShell final : public forms::Shell {
public:
    std::vector<std::string> starts, boxes;
    forms::TaskbarWindows findTaskbar(const std::string&) override { return {}; }
    void showWindow(const forms::TaskbarWindows&, int) override {}
    char pathSeparator() const override { return '\\'; }
    std::string appPath() override { return "C:\\menu"; }
    std::string dir(const std::string& path, int) override { return path.substr(path.rfind('\\') + 1); }
    void startProcess(const std::string& program, const std::string&, int) override { starts.push_back(program); }
    int messageBox(const std::string& prompt, int, const std::string&) override {
        boxes.push_back(prompt);
        return forms::box::kOk;
    }
};

namespace {

using namespace wine_tests;
using platform::win32::widen;

// The WinEvents about the menu's client area, as "focus 5", "name 10",
// "show 11", "hide 11".
std::vector<std::string> events;
HWND menuWindow = nullptr;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (hwnd != menuWindow || object != OBJID_CLIENT) return;
    const char* what = event == EVENT_OBJECT_FOCUS        ? "focus"
                       : event == EVENT_OBJECT_NAMECHANGE ? "name"
                       : event == EVENT_OBJECT_SHOW       ? "show"
                       : event == EVENT_OBJECT_HIDE       ? "hide"
                                                          : nullptr;
    if (what) events.push_back(std::string(what) + " " + std::to_string(child));
}

// Handles what is waiting, the events of the hook among it.
void pump() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // the menu window ended; the test goes on
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

std::vector<std::string> takeEvents() {
    pump();
    return std::exchange(events, {});
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    for (const std::string& s : list)
        if (s == item) return true;
    return false;
}

std::string join(const std::vector<std::string>& list) {
    std::string out;
    for (const std::string& s : list) out += (out.empty() ? "" : ", ") + s;
    return "[" + out + "]";
}

std::vector<LONG> idsOf(const std::vector<AccChild>& children) {
    std::vector<LONG> ids;
    for (const AccChild& c : children) ids.push_back(c.id);
    return ids;
}

std::vector<LONG> range(LONG first, LONG last) {
    std::vector<LONG> ids;
    for (LONG i = first; i <= last; ++i) ids.push_back(i);
    return ids;
}

// The child ids of Form1's list: its place plus one.
constexpr LONG kTitle = 3, kAddress = 5, kIndex = 6, kOther = 7, kExit = 8, kPrompt = 9, kDescription = 10,
               kFirstPanelLabel = 11, kLastPanelLabel = 17;

struct Test {
    Checks checks;
    RecordingShell& shell;
    Form1& form;
    HWND hwnd;
    IAccessible* acc;

    void identity() {
        IUnknown* unknown = nullptr;
        IUnknown* fromEnum = nullptr;
        IDispatch* dispatch = nullptr;
        IEnumVARIANT* enumeration = nullptr;
        checks.expect(acc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)) == S_OK,
                      "the object answers for IUnknown");
        checks.expect(acc->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)) == S_OK,
                      "and for IDispatch");
        checks.expect(acc->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumeration)) == S_OK,
                      "and for IEnumVARIANT, the enumeration of its children");
        if (enumeration) enumeration->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromEnum));
        checks.expect(unknown && unknown == fromEnum, "one identity through every interface");
        void* other = reinterpret_cast<void*>(1);
        checks.expect(acc->QueryInterface(IID_IOleWindow, &other) == E_NOINTERFACE && !other,
                      "an interface it lacks: E_NOINTERFACE and a null pointer");
        UINT infos = 7;
        checks.expect(dispatch && dispatch->GetTypeInfoCount(&infos) == S_OK && infos == 0, "no type information");
        DISPID id;
        LPOLESTR name = const_cast<LPOLESTR>(L"accName");
        checks.expect(dispatch && dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id) == E_NOTIMPL,
                      "no late binding: GetIDsOfNames says E_NOTIMPL");
        const ULONG up = acc->AddRef();
        checks.expect(acc->Release() == up - 1, "AddRef and Release count references");
        for (IUnknown* p : {static_cast<IUnknown*>(dispatch), static_cast<IUnknown*>(enumeration), unknown, fromEnum})
            if (p) p->Release();
    }

    void treeAtStart() {
        checks.expect(nameOf(acc, CHILDID_SELF) == L"Tarvelo Installation", "the window is named for the product");
        VARIANT role;
        checks.expect(acc->get_accRole(childId(CHILDID_SELF), &role) == S_OK && role.vt == VT_I4 &&
                          role.lVal == ROLE_SYSTEM_CLIENT,
                      "it is a client area");
        const std::vector<AccChild> children = readChildren(acc);
        std::vector<LONG> shown = range(1, 8), panel = range(kDescription + 1, 17);
        shown.insert(shown.end(), panel.begin(), panel.end());
        checks.expect(idsOf(children) == shown, "fifteen children at start, ids 1 to 17 less the empty description area");
        for (auto [id, name] : {std::pair{kAddress, L"ADDRESS SOFTWARE"}, {kIndex, L"INDEX SOFTWARE"},
                                {kOther, L"OTHER SOFTWARES"}, {kExit, L"EXIT"}}) {
            const AccChild* c = findChild(children, name);
            const std::string what = "the entry " + platform::win32::narrow(name);
            checks.expect(c && c->id == id && c->role == ROLE_SYSTEM_LINK, what + " is a link");
            checks.expect(c && c->state == (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED),
                          what + " is focusable and linked, not focused");
            BSTR action = nullptr;
            checks.expect(acc->get_accDefaultAction(childId(id), &action) == S_OK && action &&
                              std::wstring(action) == L"Click",
                          what + " has the default action Click");
            SysFreeString(action);
        }
        const AccChild* title = findChild(children, L"Tarvelo");
        checks.expect(title && title->id == kTitle && title->role == ROLE_SYSTEM_STATICTEXT &&
                          title->state == STATE_SYSTEM_READONLY,
                      "the title is read-only static text");
        BSTR none = reinterpret_cast<BSTR>(1);
        checks.expect(acc->get_accName(childId(kPrompt), &none) == E_INVALIDARG && !none,
                      "the empty prompt is no child: E_INVALIDARG and null");
        for (LONG id : {kAddress, kIndex, kOther, kExit}) {
            BSTR text = nullptr;
            const std::wstring wanted = widen(form.accessibleDescription(*form.accessibleList()[id - 1].control));
            checks.expect(acc->get_accDescription(childId(id), &text) == S_OK && text && wanted.size() > 10 &&
                              wanted == text,
                          "entry " + std::to_string(id) + " describes what it does");
            SysFreeString(text);
        }
        BSTR text = nullptr;
        checks.expect(acc->get_accDescription(childId(kTitle), &text) == DISP_E_MEMBERNOTFOUND && !text,
                      "a text has no description");
        checks.expect(acc->get_accDefaultAction(childId(kTitle), &none) == DISP_E_MEMBERNOTFOUND && !none,
                      "a text has no default action");
        IDispatch* object = reinterpret_cast<IDispatch*>(1);
        checks.expect(acc->get_accChild(childId(kAddress), &object) == S_FALSE && !object,
                      "children are simple elements: get_accChild says S_FALSE");
        checks.expect(acc->get_accValue(childId(kAddress), &none) == DISP_E_MEMBERNOTFOUND, "no values");
        IDispatch* parent = nullptr;
        checks.expect(acc->get_accParent(&parent) == S_OK && parent, "the parent is the window's own object");
        if (parent) parent->Release();
    }

    void badArguments() {
        BSTR name = nullptr;
        VARIANT text;
        VariantInit(&text);
        text.vt = VT_BSTR;
        text.bstrVal = SysAllocString(L"5");
        checks.expect(acc->get_accName(childId(18), &name) == E_INVALIDARG, "id 18 is no child");
        checks.expect(acc->get_accName(childId(-3), &name) == E_INVALIDARG, "a negative id is no child");
        checks.expect(acc->get_accName(text, &name) == E_INVALIDARG, "a child id must be VT_I4");
        checks.expect(acc->get_accName(childId(kAddress), nullptr) == E_POINTER, "a null out pointer is refused");
        VariantClear(&text);
    }

    void locations() {
        RECT box = locationOf(acc, kAddress);
        const forms::PixelRect b = form.accessibleBox(form.Label8);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        checks.expect(box.left == origin.x + b.left && box.top == origin.y + b.top &&
                          box.right - box.left == b.width && box.bottom - box.top == b.height,
                      "ADDRESS SOFTWARE lies where the window draws it, in screen coordinates");
        VARIANT hit;
        POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        checks.expect(acc->accHitTest(centre.x, centre.y, &hit) == S_OK && hit.vt == VT_I4 && hit.lVal == kAddress,
                      "a hit test at its centre finds it");
        checks.expect(acc->accHitTest(origin.x + 5, origin.y + 470, &hit) == S_OK && hit.vt == VT_I4 &&
                          hit.lVal == CHILDID_SELF,
                      "on the background, the window itself");
        checks.expect(acc->accHitTest(origin.x - 50, origin.y - 50, &hit) == S_FALSE && hit.vt == VT_EMPTY,
                      "outside the client area, nothing");
    }

    // The pointer on the background hides the panel: its labels leave the
    // tree, their ids stay theirs.
    void hiding() {
        takeEvents();
        form.pointerMove({6, 470});
        const std::vector<std::string> heard = takeEvents();
        checks.expect(contains(heard, "hide " + std::to_string(kFirstPanelLabel)) &&
                          contains(heard, "hide " + std::to_string(kLastPanelLabel)),
                      "the panel's labels are heard hiding: " + join(heard));
        checks.expect(contains(heard, "show " + std::to_string(kDescription)),
                      "the description, no longer empty, is heard joining the tree");
        long count = 0;
        acc->get_accChildCount(&count);
        checks.expect(count == 9, "nine children left (the blank prompt is none), counted " + std::to_string(count));
        std::vector<LONG> shown = range(1, 8);
        shown.push_back(kDescription);
        checks.expect(idsOf(readChildren(acc)) == shown, "enumerated as ids 1 to 8 and 10");
        BSTR name = nullptr;
        checks.expect(acc->get_accName(childId(kFirstPanelLabel), &name) == E_INVALIDARG,
                      "a hidden label is no child");

        VARIANT end;
        checks.expect(acc->accNavigate(NAVDIR_FIRSTCHILD, childId(CHILDID_SELF), &end) == S_OK && end.lVal == 1,
                      "the first child is 1");
        checks.expect(acc->accNavigate(NAVDIR_LASTCHILD, childId(CHILDID_SELF), &end) == S_OK && end.lVal == 10,
                      "the last child shown is 10");
        checks.expect(acc->accNavigate(NAVDIR_NEXT, childId(kExit), &end) == S_OK && end.lVal == kDescription,
                      "after EXIT comes the description");
        checks.expect(acc->accNavigate(NAVDIR_NEXT, childId(10), &end) == S_FALSE && end.vt == VT_EMPTY,
                      "nothing after the last shown child");
        checks.expect(acc->accNavigate(NAVDIR_PREVIOUS, childId(1), &end) == S_FALSE, "nothing before the first");
        checks.expect(acc->accNavigate(NAVDIR_FIRSTCHILD, childId(kAddress), &end) == S_FALSE,
                      "a simple element has no children");
        checks.expect(acc->accNavigate(NAVDIR_DOWN, childId(kAddress), &end) == DISP_E_MEMBERNOTFOUND,
                      "no spatial navigation");
        checks.expect(acc->accNavigate(99, childId(kAddress), &end) == E_INVALIDARG, "an unknown direction");
    }

    void enumeration() {
        IEnumVARIANT* e = nullptr;
        acc->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e));
        if (!e) return;
        VARIANT got[3];
        ULONG n = 0;
        e->Reset();
        checks.expect(e->Next(3, got, &n) == S_OK && n == 3 && got[0].lVal == 1 && got[2].lVal == 3,
                      "Next gives the first three ids");
        IEnumVARIANT* clone = nullptr;
        checks.expect(e->Clone(&clone) == S_OK && clone, "the enumeration clones");
        checks.expect(e->Skip(100) == S_FALSE, "skipping past the end says S_FALSE");
        checks.expect(e->Next(1, got, &n) == S_FALSE && n == 0, "and nothing is left");
        checks.expect(clone && clone->Next(1, got, &n) == S_OK && n == 1 && got[0].lVal == 4,
                      "the clone goes on from where it was made");
        if (clone) clone->Release();
        e->Release();
    }

    // The keys as the system delivers them, the keyboard cues, and focus.
    void keys() {
        // The ring's prefix has the keyboard cues of Windows' default
        // settings: shown once the keyboard is used.
        checks.expect(!form.focusCuesShown(), "before any key the window hides its focus");
        takeEvents();
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 1);
        const std::vector<std::string> heard = takeEvents();
        checks.expect(form.focused() == &form.Label8, "Tab focuses ADDRESS SOFTWARE");
        checks.expect(form.focusCuesShown(), "and the window shows its focus from then on");
        checks.expect(contains(heard, "focus " + std::to_string(kAddress)), "the focus is heard: " + join(heard));
        checks.expect(nameOf(acc, kDescription) == widen(menu::kAddressDescription),
                      "the description is ADDRESS SOFTWARE's");
        checks.expect(stateOf(acc, kAddress) & STATE_SYSTEM_FOCUSED, "ADDRESS SOFTWARE says it is focused");
        VARIANT focus;
        checks.expect(acc->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 && focus.lVal == kAddress,
                      "and the object says where the focus is");
        PostMessageW(hwnd, WM_KEYDOWN, VK_F5, 1);
        PostMessageW(hwnd, WM_KEYDOWN, VK_DOWN, 1 | (1L << 30));  // a repeat of a held key
        pump();
        checks.expect(form.focused() == &form.Label10, "other keys do nothing; a held Down moves on");
        PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
        pump();
        checks.expect(!form.focused() && acc->get_accFocus(&focus) == S_OK && focus.lVal == CHILDID_SELF,
                      "Escape leaves the focus with the window");
    }

    void actions() {
        shell.starts.clear();
        checks.expect(acc->accDoDefaultAction(childId(kIndex)) == S_OK, "INDEX SOFTWARE's default action is taken");
        checks.expect(shell.starts.empty(), "and runs after the reader's call has returned");
        pump();
        checks.expect(shell.starts.size() == 1 && shell.starts[0] == "C:\\menu\\QUV.EXE",
                      "it starts the installer once: " + join(shell.starts));
        checks.expect(form.focused() == &form.Label10, "with the focus on the entry");
        checks.expect(acc->accDoDefaultAction(childId(kTitle)) == DISP_E_MEMBERNOTFOUND,
                      "a text has no action to do");
        checks.expect(acc->accDoDefaultAction(childId(CHILDID_SELF)) == DISP_E_MEMBERNOTFOUND,
                      "nor the window itself");

        takeEvents();
        checks.expect(acc->accSelect(SELFLAG_TAKEFOCUS, childId(kOther)) == S_OK, "a reader can focus an entry");
        const std::vector<std::string> heard = takeEvents();
        checks.expect(form.focused() == &form.Label11 && contains(heard, "focus " + std::to_string(kOther)),
                      "OTHER SOFTWARES has the focus and says so: " + join(heard));
        checks.expect(contains(heard, "show " + std::to_string(kFirstPanelLabel)), "and the panel is heard showing");
        checks.expect(shell.starts.size() == 1, "without clicking it");
        checks.expect(acc->accSelect(SELFLAG_TAKESELECTION, childId(kOther)) == DISP_E_MEMBERNOTFOUND,
                      "nothing can be selected");
        checks.expect(acc->accSelect(SELFLAG_TAKEFOCUS, childId(kTitle)) == DISP_E_MEMBERNOTFOUND,
                      "a text takes no focus");
    }

    // EXIT through the reader: the window goes, the object and a clone of
    // its enumeration stay with the reader and answer that they are cut off.
    void afterTheWindow() {
        IEnumVARIANT* e = nullptr;
        acc->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e));
        checks.expect(acc->accDoDefaultAction(childId(kExit)) == S_OK, "EXIT's default action is taken");
        pump();
        checks.expect(!IsWindow(hwnd) && form.unloaded(), "the window is gone");
        BSTR name = nullptr;
        long count = 0;
        checks.expect(acc->get_accName(childId(CHILDID_SELF), &name) == CO_E_OBJNOTCONNECTED && !name,
                      "the object answers CO_E_OBJNOTCONNECTED");
        checks.expect(acc->get_accChildCount(&count) == CO_E_OBJNOTCONNECTED && count == 0, "to every call");
        checks.expect(acc->accDoDefaultAction(childId(kIndex)) == CO_E_OBJNOTCONNECTED, "and does nothing");
        VARIANT got;
        ULONG n = 0;
        checks.expect(e && e->Next(1, &got, &n) == CO_E_OBJNOTCONNECTED && n == 0, "its enumeration too");
        if (e) e->Release();
        checks.expect(acc->Release() == 0, "the reader's reference was the last");
        acc = nullptr;
    }
};

// Keyboard cues as the system gives them to a new menu window: with the
// user's setting to show them always, the focus shows from the start;
// without, from when the system says so (WM_UPDATEUISTATE).
void cuesFromTheSystem(Checks& checks) {
    BOOL before = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &before, 0);
    for (const BOOL always : {TRUE, FALSE}) {
        SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(always)), 0);
        RecordingShell shell;
        platform::win32::Win32PictureLoader pictures;
        Form1 form(shell, pictures);
        platform::win32::HostWindow window(form, GetModuleHandleW(nullptr));
        if (always) {
            checks.expect(form.focusCuesShown(), "with keyboard cues always on, the focus shows before any key");
        } else {
            checks.expect(!form.focusCuesShown(), "without, it does not");
            SendMessageW(window.handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            checks.expect(form.focusCuesShown(), "until the system clears the window's UISF_HIDEFOCUS");
            // Alt+F4 as the system delivers it: a key with Alt held, left to
            // the default window procedure, which closes the window.
            PostMessageW(window.handle(), WM_SYSKEYDOWN, VK_F4, 1 | (1L << 29));
            pump();
            checks.expect(form.unloaded() && !IsWindow(window.handle()), "Alt+F4 closes the menu as ever");
        }
    }
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(before)), 0);
}

}  // namespace

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Checks checks;
    {
        RecordingShell shell;
        platform::win32::Win32PictureLoader pictures;
        Form1 form(shell, pictures);
        platform::win32::HostWindow window(form, GetModuleHandleW(nullptr));
        form.Form_Load();
        // The pointer rests in the screen's corner, outside the menu's
        // background, so that the menu opens on its start screen (a pointer
        // resting on the background is a move there).
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        window.showMaximized();
        menuWindow = window.handle();
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE, nullptr, onEvent,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        pump();
        IAccessible* acc = nullptr;
        const HRESULT hr = AccessibleObjectFromWindow(menuWindow, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&acc));
        char code[16];
        std::snprintf(code, sizeof code, "%08lx", static_cast<unsigned long>(hr));
        checks.expect(SUCCEEDED(hr) && acc, std::string("AccessibleObjectFromWindow gives the client area's object: ") + code);
        if (acc) {
            Test t{{}, shell, form, menuWindow, acc};
            t.identity();
            t.treeAtStart();
            t.badArguments();
            t.locations();
            t.hiding();
            t.enumeration();
            t.keys();
            t.actions();
            t.afterTheWindow();
            checks.failures += t.checks.failures;
        }
        if (hook) UnhookWinEvent(hook);
    }
    cuesFromTheSystem(checks);
    CoUninitialize();
    std::printf("msaa: %d failed\n", checks.failures);
    return checks.failures;
}
