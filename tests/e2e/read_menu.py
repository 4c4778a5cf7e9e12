#!/usr/bin/python3
"""A screen reader's view of the running menu, through AT-SPI.

    read_menu.py MENU_PID BOXES_FILE STARTED_FILE

Finds the menu's window by its name, its four entries as links with a
"click" action, checks that their extents and the hit test agree with the
form's boxes (BOXES_FILE, from e2e_control_boxes: client-area pixels, one
frame pixel in from the screen's corner, at scale 1), moves the real pointer onto
ADDRESS SOFTWARE and hears the focus move there and reads its description,
moves it over the background and sees the panel's texts leave, then clicks
INDEX SOFTWARE through its action and waits for the installer stub to write
STARTED_FILE. Prints "ok: ..." lines; exits 1 with "FAIL: ..." otherwise.
"""
import os
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The action's name has no other getter in these bindings.
warnings.filterwarnings("ignore", category=DeprecationWarning)

ENTRIES = ["ADDRESS SOFTWARE", "INDEX SOFTWARE", "OTHER SOFTWARES", "EXIT"]
ADDRESS_DESCRIPTION = (
    " This is just like your digital diary storing Names,Address, Telephone numbers, e-mail addresses even "
    "date of birth etc. of your Friends, Relatives, Clients etc., You can even printout lables of your own "
    "design and of your own choice"
)
OFFICE_PROMPT = "Click to Install OFFICE AUTOMATION SOFTWARE"
FRAME = 1  # the window's frame: the client area starts one pixel in

events = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds):
    """Lets AT-SPI deliver what it has for a while."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, check, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        found = check()
        if found:
            return found
        if time.monotonic() > deadline:
            fail(what)
        pump(0.1)


def descendants(obj, depth=0):
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is None:
            continue
        yield child
        if depth < 3:
            yield from descendants(child, depth + 1)


def find_frame(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_process_id() != pid:
            continue
        for j in range(app.get_child_count()):
            frame = app.get_child_at_index(j)
            if frame is not None and frame.get_name() == "Tarvelo Installation":
                return frame
    return None


def on_event(event):
    try:
        name = event.source.get_name()
    except GLib.Error:
        name = "?"
    events.append((event.type, event.detail1, name))


def heard(kind, detail1, name):
    return any(t == kind and d == detail1 and n == name for t, d, n in events)


def boxes(path):
    out = {}
    with open(path) as f:
        for line in f:
            name, left, top, width, height = line.split()
            out[name] = (int(left), int(top), int(width), int(height))
    return out


def move_pointer(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)


def main():
    pid, boxes_file, started_file = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    box = boxes(boxes_file)

    listener = Atspi.EventListener.new(on_event)
    for kind in ("object:state-changed:focused", "object:property-change:accessible-name",
                 "object:children-changed"):
        listener.register(kind)

    frame = wait_for("no window named 'Tarvelo Installation' for readers", lambda: find_frame(pid))
    links = [o for o in descendants(frame) if o.get_role() == Atspi.Role.LINK]
    names = [o.get_name() for o in links]
    if names != ENTRIES:
        fail("the links are %r, not the four entries" % names)
    for link in links:
        if Atspi.Action.get_n_actions(link) != 1 or Atspi.Action.get_action_name(link, 0) != "click":
            fail("%s has no click action" % link.get_name())
    print("ok: the four entries are links named by their captions, each with a click action")

    address, index = links[0], links[1]
    panel = address.get_parent()
    extents = Atspi.Component.get_extents(address, Atspi.CoordType.SCREEN)
    left, top, width, height = box["Label8"]
    if (extents.x, extents.y, extents.width, extents.height) != (left + FRAME, top + FRAME, width, height):
        fail("ADDRESS SOFTWARE lies at %r on screen, its box at %r" % (
            (extents.x, extents.y, extents.width, extents.height), box["Label8"]))
    cx, cy = extents.x + extents.width // 2, extents.y + extents.height // 2
    hit = Atspi.Component.get_accessible_at_point(panel, cx, cy, Atspi.CoordType.SCREEN)
    if hit is None or hit.get_name() != "ADDRESS SOFTWARE":
        fail("the hit test at ADDRESS SOFTWARE's centre finds %r" % (hit and hit.get_name()))
    print("ok: the extents and the hit test agree with the form's boxes")

    # The pointer from the background onto the entry, as a hand would move it.
    bl, bt, bw, bh = box["Picture1"]
    background = (bl + 10 + FRAME, bt + bh - 10 + FRAME)
    move_pointer(*background)
    pump(0.3)
    move_pointer(cx, cy)
    wait_for("no focus event for ADDRESS SOFTWARE after the pointer moved onto it",
             lambda: heard("object:state-changed:focused", 1, "ADDRESS SOFTWARE"))
    def texts():
        children = (panel.get_child_at_index(i) for i in range(panel.get_child_count()))
        return [o.get_name() for o in children if o is not None and o.get_role() == Atspi.Role.LABEL]

    wait_for("the ADDRESS description is not read after the pointer moved onto the entry",
             lambda: ADDRESS_DESCRIPTION in texts())
    wait_for("the description's new name was not announced",
             lambda: heard("object:property-change:accessible-name", 0, ADDRESS_DESCRIPTION))
    print("ok: the pointer on ADDRESS SOFTWARE moves the focus there and its description is read")

    move_pointer(*background)
    wait_for("the panel's texts did not leave the tree over the background", lambda: panel.get_child_count() == 9)
    wait_for("no children-changed:remove was heard: %r" % events,
             lambda: any(t.startswith("object:children-changed:remove") for t, _, _ in events))
    if heard("object:state-changed:focused", 1, "EXIT"):
        fail("EXIT got the focus without being moved to")
    print("ok: hidden texts leave the tree, and readers hear it")

    if not Atspi.Action.do_action(index, 0):
        fail("the click action of INDEX SOFTWARE was refused")
    wait_for("the action on INDEX SOFTWARE did not start the installer",
             lambda: os.path.exists(started_file) and os.path.getsize(started_file) > 0)
    wait_for("INDEX SOFTWARE's prompt is not read after its action", lambda: OFFICE_PROMPT in texts())
    print("ok: the click action of INDEX SOFTWARE starts its installer")


if __name__ == "__main__":
    main()
