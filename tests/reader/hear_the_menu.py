#!/usr/bin/python3
"""What Orca says as a blind user works the menu, case after case.

    hear_the_menu.py MENU_PID ORCA_PID ORCA_DEBUG_FILE BOXES_FILE

Runs inside the session that orca_reads_the_menu.sh prepares: Orca and the
menu on one display, on one session bus. Each case presses keys, moves the
pointer or acts as a reader's client (AT-SPI) and notes when it began; then
Orca is ended, which writes its debug file out completely, and each
"SPEECH OUTPUT" of the file is put with the case that was running when Orca
spoke it. Prints what was heard and "ok: ..." per case; exits 1 with
"FAIL: ..." lines when a case heard something wrong.
"""
import datetime
import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import read_menu  # noqa: E402  (the AT-SPI client of the end-to-end ring)
from read_menu import Atspi  # noqa: E402

ADDRESS = ("ADDRESS SOFTWARE link", "Click to Install ADDRESS-BOOK Utility Software. This is just like your digital diary")
INDEX = ("INDEX SOFTWARE link", "Click to Install OFFICE AUTOMATION SOFTWARE. This is a software where Auditors")
OTHER = ("OTHER SOFTWARES link", "You can manage your Financial", "AGENCY SOFTWARE", "SILKS SOFTWARE",
         "GARMENTS SOFTWARE", "Readymade Garment shop")
EXIT = ("EXIT link", "Click to EXIT")
WINDOW = "Tarvelo Installation"
FRAME = 1  # the window's frame: the client area starts one pixel in
PAUSE = 1.5  # long enough for Orca to hear the events and speak

timeline = []  # (time the case began, its name)
failures = []


def begin(name):
    timeline.append((datetime.datetime.now().time(), name))


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "200"] + list(keys), check=True)
    time.sleep(PAUSE)


def move_to(point):
    subprocess.run(["xdotool", "mousemove", str(point[0]), str(point[1])], check=True)
    time.sleep(PAUSE)


def running(pid):
    try:
        os.kill(pid, 0)
    except OSError:
        return False
    with open("/proc/%d/stat" % pid) as f:
        return f.read().split(")")[-1].split()[0] != "Z"


def exit_link(pid):
    frame = read_menu.find_frame(pid)
    links = [o for o in read_menu.descendants(frame) if o.get_role() == Atspi.Role.LINK] if frame else []
    return next((o for o in links if o.get_name() == "EXIT"), None)


def spoken(debug_file):
    """Orca's speech: (time, text) for each SPEECH OUTPUT, which may span lines."""
    with open(debug_file, errors="replace") as f:
        log = f.read()
    out = []
    for m in re.finditer(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?\{", log, re.M | re.S):
        out.append((datetime.time.fromisoformat(m.group(1)), m.group(2)))
    return out


class Heard:
    """Orca's speech put with the cases. Orca may fall behind under load,
    so a case's speech is found by what it says: its wanted phrases in
    order, from its own start on (Orca never speaks of a case before it
    begins); a case hears everything up to the next case's first phrase
    (until: that case and phrase)."""

    def __init__(self, speech):
        self.speech = speech
        self.at = 0  # where the next case's speech may begin

    def first(self, name, phrase, start):
        began = next(t for t, n in timeline if n == name)
        for i in range(start, len(self.speech)):
            if self.speech[i][0] >= began and phrase in self.speech[i][1]:
                return i
        return len(self.speech)

    def check(self, name, wanted=(), unwanted=(), window_named=None, until=None):
        began = next(t for t, n in timeline if n == name)
        start = self.at
        while start < len(self.speech) and self.speech[start][0] < began:
            start += 1
        i = start
        for w in wanted:
            while i < len(self.speech) and w not in self.speech[i][1]:
                i += 1
            if i == len(self.speech):
                failures.append("%s: %r was not said" % (name, w))
                i = start
        end = self.first(until[0], until[1], start) if until else len(self.speech)
        said = " | ".join(text for _, text in self.speech[start:end])
        print("%s: %s" % (name, said))
        for u in unwanted:
            if u in said:
                failures.append("%s: %r was said" % (name, u))
        if window_named is not None and said.count(WINDOW) != window_named:
            failures.append("%s: the window was named %d times, not %d" % (name, said.count(WINDOW), window_named))
        self.at = i + 1 if wanted else start


def main():
    menu_pid, orca_pid, debug_file = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    box = read_menu.boxes(sys.argv[4])
    # The menu started, and spoke first, before this script did.
    timeline.append((datetime.time.fromisoformat(sys.argv[5]), "start"))

    def centre(name):
        left, top, width, height = box[name]
        return (left + width // 2 + FRAME, top + height // 2 + FRAME)

    left, top, width, height = box["Picture1"]
    background = (left + 10 + FRAME, top + height - 10 + FRAME)

    time.sleep(PAUSE)
    begin("Tab")
    key("Tab")
    for k in ("Down", "Right", "Up", "Left"):
        begin(k)
        key(k)
    begin("Shift+Tab")
    key("shift+Tab")
    begin("Escape")
    key("Escape")
    begin("where am I")
    key("KP_Enter")
    begin("hover")
    move_to(centre("Label10"))
    begin("background")
    move_to(background)
    begin("message box")
    key("Tab", "Return")
    begin("refused")
    # GTK's AT-SPI bridge answers an action with success before the menu
    # sees it: refused, the action does nothing, and the entry says it is
    # unavailable.
    exit_entry = exit_link(menu_pid)
    if exit_entry is None:
        failures.append("refused: no EXIT link for a reader")
    else:
        if exit_entry.get_state_set().contains(Atspi.StateType.SENSITIVE):
            failures.append("refused: EXIT is offered while the message box is open")
        Atspi.Action.do_action(exit_entry, 0)
        time.sleep(PAUSE)
        if not running(menu_pid):
            failures.append("refused: a reader's action on EXIT ended the menu while the message box was open")
    begin("OK")
    key("Return")
    begin("EXIT")
    key("shift+Tab")
    if exit_entry is not None:
        if not exit_entry.get_state_set().contains(Atspi.StateType.SENSITIVE):
            failures.append("EXIT: EXIT is still unavailable after the message box")
        Atspi.Action.do_action(exit_entry, 0)
    deadline = time.monotonic() + 10
    while running(menu_pid) and time.monotonic() < deadline:
        time.sleep(0.1)
    if running(menu_pid):
        failures.append("EXIT: the menu did not end")
    time.sleep(2 * PAUSE)  # Orca may be behind

    # Orca writes its debug file in blocks; ending it writes the rest.
    # Orca writes its debug file out as it shuts down; it has been seen to
    # hang after that, so it is given ten seconds and then killed.
    os.kill(orca_pid, signal.SIGTERM)
    ending = time.monotonic()
    while running(orca_pid) and time.monotonic() < ending + 10:
        time.sleep(0.1)
    if running(orca_pid):
        os.kill(orca_pid, signal.SIGKILL)
        print("Orca did not end in 10 s of SIGTERM: killed")
    else:
        print("Orca ended in %.1f s" % (time.monotonic() - ending))
    heard = Heard(spoken(debug_file))
    heard.check("start", [WINDOW + " frame"], ["panel", "link", "label"], window_named=1, until=("Tab", ADDRESS[0]))
    heard.check("Tab", ADDRESS)
    heard.check("Down", INDEX)
    heard.check("Right", OTHER)
    heard.check("Up", INDEX)
    heard.check("Left", ADDRESS)
    heard.check("Shift+Tab", EXIT)
    heard.check("Escape", [WINDOW], ["link"], window_named=1, until=("where am I", WINDOW))
    heard.check("where am I", [WINDOW], ["link"], until=("hover", INDEX[0]))
    heard.check("hover", INDEX)
    heard.check("background", [WINDOW], ["link"], window_named=1, until=("message box", ADDRESS[0]))
    heard.check("message box", ADDRESS + ("alert Message Window", "Excutable(MURDELO.exe) File Not Found",
                                          "OK push button"))
    heard.check("refused", (), ["link"], until=("OK", ADDRESS[0]))
    heard.check("OK", ADDRESS, ["panel", "Move your Mouse"], until=("EXIT", EXIT[0]))
    heard.check("EXIT", EXIT)

    for f in failures:
        print("FAIL: " + f, file=sys.stderr)
    if failures:
        sys.exit(1)
    print("ok: Orca speaks each entry with what it does, names the window once, and follows the message box")


if __name__ == "__main__":
    main()
