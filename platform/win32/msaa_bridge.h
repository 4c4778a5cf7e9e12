// The menu window for screen readers on Windows: Microsoft Active
// Accessibility. The window's client area answers WM_GETOBJECT with an
// IAccessible made from the form's accessible tree (UI Automation clients
// reach it through their MSAA proxy), and the form's news about focus, names
// and visibility go out as WinEvents.
//
// The object (CHILDID_SELF) is the client area, named by the form's
// accessible name; its children are the form's listed controls while they
// are visible, as simple elements: each one's child id is its place in the
// form's accessibleList() plus one, which never changes, so the ids of a
// shown tree may have gaps and clients enumerate them through IEnumVARIANT
// (AccessibleChildren does). Entries are links with the default action
// "Click", which runs from the window's message loop, after the reader's
// call has returned: an installer's start, a message box or EXIT must not
// hold the reader waiting.
//
// oleacc.dll is loaded from the system directory when a reader first asks.
// The bridge keeps one reference to the object; when the window goes, the
// object is cut off from it and from its clients, and every later call
// fails with CO_E_OBJNOTCONNECTED.
#pragma once

#include <windows.h>

#include "forms/form.h"

namespace platform::win32 {

class HostWindow;
class ClientObject;

class MsaaBridge {
public:
    // The message the window posts itself to run a default action; wParam
    // is the child id.
    static constexpr UINT kDefaultActionMessage = WM_APP + 15;

    explicit MsaaBridge(HostWindow& window) : window_(window) {}
    ~MsaaBridge() { disconnect(); }
    MsaaBridge(const MsaaBridge&) = delete;
    MsaaBridge& operator=(const MsaaBridge&) = delete;

    // The answer to WM_GETOBJECT; 0 when the request is not for the client
    // area or cannot be answered (the default window procedure answers
    // then).
    LRESULT getObject(WPARAM flags, LPARAM objectId);
    // Runs the default action of a child id (kDefaultActionMessage).
    void runDefaultAction(WPARAM childId);
    // The window is being destroyed: the object no longer reaches it.
    void disconnect();

    // The form's news, as WinEvents on the client area.
    void focusChanged(const forms::Control* entry);
    void nameChanged(const forms::Control& child);
    void visibilityChanged(const forms::Control& child, bool visible);
    // The window has just taken the keyboard focus: the system has announced
    // the window; a focused entry is announced after it.
    void windowFocused();

private:
    LONG childId(const forms::Control& c) const;
    void notify(DWORD event, LONG child) const;

    HostWindow& window_;
    ClientObject* object_ = nullptr;
};

}  // namespace platform::win32
