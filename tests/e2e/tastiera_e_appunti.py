#!/usr/bin/env python3
"""The keyboard and the clipboard on a real X display.

Xvfb with openbox, keys from xdotool, the clipboard read and written with
xclip. A calculation whose deduction exceeds the tax: the message puts the
excess on the clipboard, Ctrl+V puts it into the deduction box, and the
archived line holds it. A second calculation whose rendita comes from the
clipboard through the edit menu (the menu key, then "Incolla" chosen with the
arrows) and whose property type is chosen with the arrows: archived as
building land with its tax code. Then "Totali" (Ctrl+2, the toolbar's second
button): the taxpayer chosen by a letter, "Saldo" with the arrows, the F24
form filled from the keyboard; the form produced is the balance's. Then
"Archivio" (Ctrl+3) filtered by a letter and printed with "Stampa" (Ctrl+5):
the report holds that taxpayer's lines. No step uses the mouse. Every step
waits for a window or a condition, with a deadline.

Usage: tastiera_e_appunti.py PROGRAM SCRATCH_FOLDER
"""
import os
import shutil
import stat
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from calcolo_sullo_schermo import (archived_line, check_fields, fail, rate_months_share,  # noqa: E402
                                   start_program, start_screen, wait_for)


def check_pdf(path):
    """The project's structural check of a PDF: the team's copy beside the
    checkout when there is one, else the checkout's own."""
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    tool = os.path.join(root, "..", "shared", "tools", "check-pdf")
    if not os.path.exists(tool):
        tool = os.path.join(root, "tools", "check-pdf")
    r = subprocess.run([tool, path], capture_output=True, text=True)
    if r.returncode != 0:
        fail("check-pdf %s: %s%s" % (path, r.stdout, r.stderr))


def clipboard(screen):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=screen.env, capture_output=True,
                          text=True).stdout


def set_clipboard(screen, text):
    # xclip stays in the background to serve the selection; it ends when
    # another program takes the clipboard.
    p = subprocess.Popen(["xclip", "-i", "-selection", "clipboard"], env=screen.env, stdin=subprocess.PIPE,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    p.communicate(text.encode())
    wait_for("the clipboard to hold " + text, lambda: clipboard(screen) == text, timeout=10)


def answer(screen, title, key="Return"):
    """Waits for the message box titled `title`, active, and answers it."""
    box = wait_for('the message box "%s"' % title, lambda: (screen.windows("--name", title) or [None])[0])
    wait_for("the message box to be active", lambda: screen.active() == box)
    screen.keys(key)
    wait_for("the message box to close", lambda: box not in screen.windows("--name", title))


def property_of(screen, taxpayer, address):
    """Taxpayer, address and MILANO (completed from the archive, with its
    code), then on to the rendita."""
    screen.type(taxpayer)
    screen.keys("Tab")
    screen.type(address)
    screen.keys("Tab")
    screen.type("MILANO")
    screen.keys("Tab", "Tab", "Tab")


def archive(screen):
    screen.keys("alt+a")
    answer(screen, "^Quotara$")  # "Vuoi archiviare questi dati?"
    answer(screen, "^Quotara$")  # "Dati archiviati!"


def main():
    program, scratch = sys.argv[1], sys.argv[2]
    shutil.rmtree(scratch, ignore_errors=True)
    data = os.path.join(scratch, "data")
    runtime = os.path.join(scratch, "run")
    tools = os.path.join(scratch, "bin")
    os.makedirs(os.path.join(data, "quotara"))
    os.makedirs(runtime, mode=0o700)
    os.chmod(runtime, 0o700)
    os.makedirs(tools)
    # The desktop's viewer: notes what it was asked to open.
    opened = os.path.join(scratch, "aperti.txt")
    viewer = os.path.join(tools, "xdg-open")
    with open(viewer, "w") as f:
        f.write("#!/bin/sh\nprintf '%%s\\n' \"$1\" >> '%s'\n" % opened)
    os.chmod(viewer, stat.S_IRWXU)
    archive_file = os.path.join(data, "quotara", "tasi.dat")
    with open(archive_file, "wb") as f:
        f.write(("ROSSI MARIO;VIA ROMA 1;MILANO;2026;1.000,00;2.5;5;0;0,00;12;6;6;100;1;0;420,00;420,00;0,00;"
                 "210,00;0,00;210,00;0,00;0;0;0;3961;0;F205\r\n").encode("cp1252"))

    screen = start_screen(scratch)
    app = None
    try:
        app = start_program(screen, program, scratch, data, runtime, path=tools)
        frame = wait_for("the frame window", lambda: (screen.windows("--name", "^Quotara - Versione") or [None])[0])
        wait_for("the frame to be the active window", lambda: screen.active() == frame)
        left, top, _, _ = screen.geometry(frame)

        # A main dwelling of 100,00 at 1 per mille with 300,00 of deduction.
        property_of(screen, "VERDI ANNA", "VIA PO 5")
        screen.type("100")
        rate_months_share(screen, "1")
        screen.keys("Tab", "space")  # "Abitazione principale": the owners' box takes the focus
        screen.keys("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab")  # back to the deduction
        screen.type("300")
        screen.keys("alt+c")
        answer(screen, "^Quotara - Eccedenza imposta detraibile$")
        if clipboard(screen) != "283,20":
            fail("the excess on the clipboard is %r" % clipboard(screen))
        # From "Calcola TASI" back to the deduction, and the excess pasted over it.
        screen.keys(*["shift+Tab"] * 7)
        screen.keys("ctrl+v")
        screen.run("import", "-window", "root", os.path.join(scratch, "detrazione.png"))
        screen.keys("alt+c")
        answer(screen, "^Quotara - Eccedenza imposta detraibile$")  # still more than the tax
        archive(screen)
        check_fields(archived_line(archive_file, "VERDI ANNA"), {3: "MILANO", 5: "100,00", 9: "283,20", 14: "0",
                                                                 15: "1", 28: "F205"})

        # Building land: the value pasted through the edit menu, the type by arrows.
        screen.keys("alt+n")  # a new calculation starts in the taxpayer's box
        property_of(screen, "NERI PAOLO", "VIA PO 7")
        set_clipboard(screen, "1.234,56")
        before = set(screen.windows("--class", "quotara"))
        screen.keys("Menu")
        menu = wait_for("the edit menu", lambda: (sorted(set(screen.windows("--class", "quotara")) - before) or [None])[0])
        screen.run("import", "-window", "root", os.path.join(scratch, "menu.png"))
        screen.keys("Down", "Down", "Down", "Return")  # "Taglia", "Copia", "Incolla"
        wait_for("the menu to close", lambda: menu not in screen.windows("--class", "quotara"))
        rate_months_share(screen, "1")
        screen.keys("Tab", "Tab")  # past "Abitazione principale" into the property types
        screen.keys("Down", "Down", "Down")  # "Aree fabbricabili"
        screen.run("import", "-window", "root", os.path.join(scratch, "tipologia.png"))
        screen.keys("alt+c")
        archive(screen)
        check_fields(archived_line(archive_file, "NERI PAOLO"), {5: "1.234,56", 14: "3", 26: "3960", 28: "F205"})

        # "Totali": the taxpayer by its letter, "Saldo" by the arrows, the F24.
        screen.keys("ctrl+2")
        screen.keys("r")  # ROSSI MARIO
        screen.keys(*["Tab"] * 6)
        screen.keys("Down")
        screen.run("import", "-window", "root", os.path.join(scratch, "saldo.png"))
        screen.keys("Tab", "space")
        f24 = wait_for("the F24 window", lambda: (screen.windows("--name", "^Compilazione F24$") or [None])[0])
        wait_for("the F24 window to be active", lambda: screen.active() == f24)
        screen.keys("Tab", "Tab", "Tab")
        screen.type("RSSMRA80A01H501U")
        screen.keys("Tab")
        screen.type("ROSSI")
        screen.keys("Tab")
        screen.type("MARIO")
        screen.keys("Tab")
        screen.type("01011980")
        screen.keys(*["Tab"] * 13)  # on to "Compila F24"
        screen.keys("space")
        shown = wait_for("the filled form to be opened",
                         lambda: os.path.exists(opened) and open(opened).read().strip(), timeout=30)
        if "_saldo_2026" not in os.path.basename(shown):
            fail("the form opened is not the balance's: " + shown)
        print("opened: " + shown)
        check_pdf(shown)
        screen.run("import", "-window", "root", os.path.join(scratch, "f24.png"))

        # "Chiudi" from the keyboard, then "Archivio" (Ctrl+3): the taxpayer
        # filter by its letter, and "Stampa" (Ctrl+5) prints the list shown.
        screen.keys("Tab", "space")
        wait_for("the F24 window to close", lambda: f24 not in screen.windows("--name", "^Compilazione F24$"))
        wait_for("the frame to be active again", lambda: screen.active() == frame)
        screen.keys("ctrl+3")
        screen.keys("r")  # ROSSI MARIO
        screen.keys("ctrl+5")
        answer(screen, "^Quotara$")  # "Vuoi stampare l'archivio degli immobili selezionati?"
        report = wait_for("the archive report to be opened", lambda: [
            l for l in open(opened).read().split("\n") if os.path.basename(l) == "archiviotasi.pdf"], timeout=30)[0]
        check_pdf(report)
        screen.run("import", "-window", "root", os.path.join(scratch, "archivio.png"))
        text = subprocess.run(["pdftotext", "-layout", report, "-"], capture_output=True, text=True).stdout.upper()
        if "ROSSI MARIO" not in text or "VERDI ANNA" in text or "NERI PAOLO" in text:
            fail("the archive report does not hold ROSSI MARIO's lines alone:\n" + text)
        print("opened: " + report)
    finally:
        if app and app.poll() is None:
            app.kill()
            app.wait(10)
        screen.close()


if __name__ == "__main__":
    main()
