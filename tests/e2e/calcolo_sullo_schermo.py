#!/usr/bin/env python3
"""A user's calculation on a real X display.

Starts Xvfb on a free display (-displayfd) with openbox, starts the program on
a fixture archive, types a property with the keyboard, picks the municipality
from the open list with the mouse, types 13 months and goes on typing,
computes, archives, checks the archived line; then a new calculation whose
taxpayer is taken from the open list with Enter, the address typed after the
next Enter and archived; takes a screenshot, archives a property whose
rendita is typed the Italian way (40.000,00) and closes the program with
"Esci". Every step waits for a window or a condition, with a
deadline; no step relies on a pause alone.

Usage: calcolo_sullo_schermo.py PROGRAM SCRATCH_FOLDER
"""
import os
import shutil
import signal
import subprocess
import sys
import time

DEADLINE = 60  # seconds for any one condition


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, condition, timeout=DEADLINE, or_none=False):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            if or_none:
                return None
            fail("timed out waiting for " + what)
        time.sleep(0.05)


class Screen:
    """Xvfb on a display it picks itself, and openbox on it."""

    def __init__(self, scratch):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(scratch, "xvfb.log"), "w"))
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    fail("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=open(os.path.join(scratch, "openbox.log"), "w"))
        self.ready = wait_for("the window manager", lambda: "window id" in self.run(
            "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False), timeout=20, or_none=True)

    def run(self, *args, check=True):
        r = subprocess.run(list(args), env=self.env, capture_output=True, text=True)
        if check and r.returncode != 0:
            fail(" ".join(args) + ": " + r.stderr.strip())
        return r.stdout

    def xdotool(self, *args, check=True):
        return self.run("xdotool", *args, check=check)

    def windows(self, *criteria):
        return self.xdotool("search", "--onlyvisible", *criteria, check=False).split()

    def geometry(self, window):
        info = {}
        for line in self.run("xwininfo", "-id", window).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]), int(info["Width"]),
                int(info["Height"]))

    def active(self):
        return self.xdotool("getactivewindow", check=False).strip()

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def close(self):
        for p in (self.wm, self.xvfb):
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()


def start_screen(scratch):
    """A screen with its window manager up."""
    # Another X server started by hand on this machine can take the display
    # Xvfb picked before it binds it; a screen whose window manager never
    # comes up is dropped and another display is tried.
    for attempt in range(3):
        screen = Screen(scratch)
        if screen.ready:
            return screen
        screen.close()
    fail("timed out waiting for the window manager (three displays tried)")


def start_program(screen, program, scratch, data, runtime, path=None):
    """The program on the screen, with its own program and temporary folders
    (and `path` first in PATH when given)."""
    env = dict(screen.env, XDG_DATA_HOME=data, XDG_RUNTIME_DIR=runtime, HOME=scratch, ASAN_OPTIONS="detect_leaks=0")
    if path:
        env["PATH"] = path + os.pathsep + os.environ.get("PATH", "")
    return subprocess.Popen([program], env=env, stdout=open(os.path.join(scratch, "program.log"), "w"),
                            stderr=subprocess.STDOUT)


def fields(line):
    return line.split(";")


def archived_lines(archive, start):
    with open(archive, "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    return [l for l in lines if l.startswith(start)]


def archived_line(archive, name):
    """The line of `name` in the archive, once it is there."""
    def find():
        with open(archive, "rb") as f:
            lines = f.read().decode("cp1252").split("\r\n")
        return [l for l in lines if l.startswith(name + ";")]
    return wait_for("the archived line of " + name, find, timeout=10)[0]


def check_fields(line, expected):
    f = fields(line)
    for n, value in expected.items():
        if f[n - 1] != value:
            fail("field %d of the archived line is %r, not %r: %s" % (n, f[n - 1], value, line))
    if len(f) != 28:
        fail("the archived line has %d fields: %s" % (len(f), line))


def pick_first_municipality(screen):
    """Opens the municipality list of the focused box and clicks its first row."""
    before = set(screen.windows("--class", "quotara"))
    screen.keys("alt+Down")
    popup = wait_for("the open list", lambda: (sorted(set(screen.windows("--class", "quotara")) - before) or [None])[0])
    x, y, w, h = screen.geometry(popup)
    screen.click(x + w // 2, y + 7)  # the first row: MILANO
    wait_for("the list to close", lambda: popup not in screen.windows("--class", "quotara"))


def rate_months_share(screen, rate, months="12", share="100"):
    """From the rendita box: the rate, the revaluation as it is, the months
    and the share."""
    screen.keys("Tab")
    screen.type(rate)
    screen.keys("Tab", "Tab")
    screen.type(months)
    screen.keys("Tab")
    screen.type(share)


def calculate_and_archive(screen):
    """Calcola, Archivia, and both messages answered with Enter."""
    screen.keys("alt+c")
    screen.keys("alt+a")
    for answer in ("Vuoi archiviare questi dati?", "Dati archiviati!"):
        box = wait_for('the message "%s"' % answer, lambda: (screen.windows("--name", "^Quotara$") or [None])[0])
        wait_for("the message box to be active", lambda: screen.active() == box)
        screen.keys("Return")
        wait_for("the message box to close", lambda: box not in screen.windows("--name", "^Quotara$"))


def rendita_with_thousands_separators(screen, archive, left, top, scratch):
    """A new calculation whose rendita is typed as 40.000,00: the "." is a
    thousands separator, and the archive holds 40.000,00 (field 5)."""
    screen.keys("alt+n")
    screen.click(left + 330, top + 86)  # the taxpayer's box
    screen.type("NERI PAOLO")
    screen.keys("Tab")
    screen.type("VIA PO 7")
    screen.keys("Tab")
    pick_first_municipality(screen)
    screen.keys("Tab", "Tab", "Tab")
    screen.type("40.000,00")
    # A third decimal is refused: the box flashes and keeps the amount.
    screen.type("5")
    screen.run("import", "-window", "root", os.path.join(scratch, "rendita.png"))
    screen.keys("Tab")
    screen.type("2")
    calculate_and_archive(screen)
    line = archived_line(archive, "NERI PAOLO")
    check_fields(line, {1: "NERI PAOLO", 2: "VIA PO 7", 3: "MILANO", 5: "40.000,00", 6: "2", 28: "F205"})
    return line


def taxpayer_from_open_list(screen, archive, scratch, left, top):
    """A new calculation whose taxpayer is taken from the open list with
    Enter: the list closes and the focus stays in the box; the next Enter
    moves on to the address, which is archived as typed."""
    screen.keys("alt+n")
    screen.click(left + 300, top + 84)  # the taxpayer's box
    before = set(screen.windows("--class", "quotara"))
    screen.keys("alt+Down")
    popup = wait_for("the open list of taxpayers",
                     lambda: (sorted(set(screen.windows("--class", "quotara")) - before) or [None])[0])
    screen.keys("Down")  # ROSSI MARIO, then BIANCHI LUCIA
    screen.run("import", "-window", "root", os.path.join(scratch, "contribuenti.png"))
    screen.keys("Return")
    wait_for("the list to close", lambda: popup not in screen.windows("--class", "quotara"))
    screen.keys("Return")
    screen.type("VIA NUOVA 7")
    screen.keys("Tab")
    screen.type("TORINO")
    screen.keys("Tab", "Tab", "Tab")
    screen.type("800")
    rate_months_share(screen, "1")
    calculate_and_archive(screen)
    line = wait_for("the archived line of the new address",
                    lambda: archived_lines(archive, "BIANCHI LUCIA;VIA NUOVA 7;"), timeout=10)[0]
    f = fields(line)
    if f[2] != "TORINO" or f[4] != "800,00":
        fail("the new address was archived as %s" % line)
    if len(archived_lines(archive, "BIANCHI LUCIA;")) != 2:
        fail("the first address of the taxpayer is not kept: %s" % archived_lines(archive, "BIANCHI LUCIA;"))


def main():
    program, scratch = sys.argv[1], sys.argv[2]
    shutil.rmtree(scratch, ignore_errors=True)
    data = os.path.join(scratch, "data")
    runtime = os.path.join(scratch, "run")
    os.makedirs(os.path.join(data, "quotara"))
    os.makedirs(runtime, mode=0o700)
    os.chmod(runtime, 0o700)
    archive = os.path.join(data, "quotara", "tasi.dat")
    fixture = [
        "ROSSI MARIO;VIA ROMA 1;MILANO;2026;1.000,00;2.5;5;0;0,00;12;6;6;100;0;0;;;;;;;;;;;;;F205",
        "BIANCHI LUCIA;VIA VERDI 2;TORINO;2026;800,00;1.5;5;0;0,00;12;6;6;100;0;0;;;;;;;;;;;;;L219",
    ]
    with open(archive, "wb") as f:
        f.write("".join(l + "\r\n" for l in fixture).encode("cp1252"))

    screen = start_screen(scratch)
    app = None
    try:
        app = start_program(screen, program, scratch, data, runtime)

        # The frame after the splash, active, with the focus in the taxpayer's box.
        frame = wait_for("the frame window", lambda: (screen.windows("--name", "^Quotara - Versione") or [None])[0])
        wait_for("the frame to be the active window", lambda: screen.active() == frame)
        left, top, _, _ = screen.geometry(frame)
        # The frame has a fixed size: the window manager offers no maximise.
        actions = screen.run("xprop", "-id", frame, "_NET_WM_ALLOWED_ACTIONS")
        if "MAXIMIZE" in actions:
            fail("the window manager offers to maximise the frame: " + actions)
        # ... because the frame asks for none: one size only, no maximise
        # function or button in its Motif hints.
        _, _, width, height = screen.geometry(frame)
        hints = screen.run("xprop", "-id", frame, "WM_NORMAL_HINTS")
        for bound in ("minimum", "maximum"):
            if "program specified %s size: %d by %d" % (bound, width, height) not in hints:
                fail("the frame's %s size is not its size: %s" % (bound, hints))
        motif = screen.run("xprop", "-id", frame, "_MOTIF_WM_HINTS").partition("=")[2].split(",")
        if len(motif) < 3 or int(motif[1], 16) & 0x10 or int(motif[2], 16) & 0x40:
            fail("the frame asks for a maximise function or button: %s" % motif)

        screen.type("VERDI ANNA")
        screen.keys("Tab")
        screen.type("VIA PO 5")
        screen.keys("Tab")
        # The municipality from the open list, with the mouse.
        pick_first_municipality(screen)
        # Cod.Cat, the year, then the rendita, the rate and the revaluation.
        screen.keys("Tab", "Tab", "Tab")
        screen.type("1000")
        screen.keys("Tab")
        screen.type("2")
        screen.keys("Tab", "Tab")
        # 13 months become 12, and the typing goes on in the share box.
        screen.type("13")
        screen.keys("Tab")
        screen.type("50")
        calculate_and_archive(screen)
        line = archived_line(archive, "VERDI ANNA")
        check_fields(line, {1: "VERDI ANNA", 2: "VIA PO 5", 3: "MILANO", 5: "1.000,00", 6: "2", 10: "12", 13: "50",
                            28: "F205"})

        taxpayer_from_open_list(screen, archive, scratch, left, top)
        screen.run("import", "-window", "root", os.path.join(scratch, "calcolo.png"))
        print("archived: " + rendita_with_thousands_separators(screen, archive, left, top, scratch))
        # "Esci", the last button of the toolbar.
        screen.click(left + 540, top + 26)
        wait_for("the program to end", lambda: app.poll() is not None, timeout=30)
        if app.returncode != 0:
            fail("the program ended with %d" % app.returncode)
        print("archived: " + line)
    finally:
        if app and app.poll() is None:
            app.kill()
        screen.close()


if __name__ == "__main__":
    main()
