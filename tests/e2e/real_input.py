"""Drives an installer that embeds the form with real X input (xdotool), as a person would,
and checks what the screen shows and what the installer's log says.

usage: real_input.py --log LOG --out DIR --road mouse|keyboard --signatures FILE
                     [--page-pattern RE] [--close-pattern RE] -- COMMAND...

COMMAND starts the installer (under wine) on $DISPLAY; it must write LOG with a line
"geometry: host client on screen X Y" once the form is shown, and a line matching
--page-pattern whenever it changes its own page. Every pixel the installer draws itself must
be magenta (#FF00FF), a colour the form never draws: a screenshot of the form's area with
magenta in it shows the installer through the form.

The mouse road records the header strip of each stage in --signatures; the keyboard road
finds the same stages there, pressed with the keyboard alone (with Escape, Alt+F4, Tab and
Space on every page). Both check that the installer changed its page only on the form's
clicks: not before "Install", once to its installing page, and then only at "Finish".
Prints one line per check and exits non-zero if any failed.

DW_INPUT_SLOWNESS (default 1) multiplies every wait and timeout, for slower machines (an
emulated one). Each check of the screen is made on a settled screenshot: taken again until
two in a row are the same (the header strip stopped sliding), within a bounded time."""

import argparse
import hashlib
import json
import os
import re
import subprocess
import sys
import time

import bmp

FAILURES = []
MAGENTA = 0xFF00FF
FORM_W, FORM_H = 854, 512
# Form coordinates (device-independent pixels at 96 DPI).
NEXT = (772, 488)
BACK = (664, 488)
TITLE_BAR = (300, 6)
SEARCH = (806, 210)
PAGE = (420, 420)
# The installer's log line once it has reported the outcome.
OUTCOME = r"func07 [01]"
SLOWNESS = float(os.environ.get("DW_INPUT_SLOWNESS") or 1)


def pause(seconds):
    time.sleep(seconds * SLOWNESS)


def deadline_in(seconds):
    return time.time() + seconds * SLOWNESS


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        FAILURES.append(what)
    return condition


class Installer:
    def __init__(self, args):
        self.args = args
        self.origin = None
        self.shots = 0
        os.makedirs(args.out, exist_ok=True)
        if os.path.exists(args.log):
            os.remove(args.log)
        self.process = subprocess.Popen(args.command, stdout=open(os.path.join(args.out, "out.log"), "w"),
                                        stderr=subprocess.STDOUT)

    def log(self):
        try:
            with open(self.args.log, encoding="utf-8", errors="replace") as f:
                return [line.rstrip("\r\n") for line in f]
        except FileNotFoundError:
            return []

    def wait_for_log(self, pattern, timeout=60):
        deadline = deadline_in(timeout)
        while time.time() < deadline:
            for line in self.log():
                match = re.search(pattern, line)
                if match:
                    return match
            if self.process.poll() is not None:
                break
            pause(0.2)
        return None

    def page_changes(self):
        return [line for line in self.log() if re.search(self.args.page_pattern, line)]

    def xdotool(self, *words):
        subprocess.run(["xdotool", *words], check=True)

    def point(self, x, y):
        return str(self.origin[0] + x), str(self.origin[1] + y)

    def move(self, x, y):
        self.xdotool("mousemove", *self.point(x, y))

    def click(self, x, y, settle=0.8):
        self.move(x, y)
        pause(0.15)
        self.xdotool("click", "1")
        pause(settle)

    def key(self, name, settle=0.8):
        # Without a window manager X gives keys to the window under the pointer.
        self.move(*PAGE)
        self.xdotool("key", name)
        pause(settle)

    def capture(self, path):
        x, y = self.origin
        subprocess.run(["import", "-window", "root", "-crop", f"{FORM_W}x{FORM_H}+{x}+{y}",
                        "+repage", f"bmp3:{path}"], check=True)
        with open(path, "rb") as f:
            return f.read()

    def screenshot(self, name, until=None, timeout=5):
        """The form's area once it has settled: two screenshots in a row the same, or the
        last one when the time is up. With `until`, settled screenshots are taken again until
        until(picture) holds (a key's effect may come late on a slow machine), within the
        same time."""
        self.shots += 1
        path = os.path.join(self.args.out, f"{self.shots:02d}-{name}.bmp")
        deadline = deadline_in(timeout)
        picture = self.settled(path, name, deadline)
        while until is not None and not until(picture) and time.time() < deadline:
            picture = self.settled(path, name, deadline)
        return picture

    def settled(self, path, name, deadline):
        """Captures the form's area into PATH until two captures in a row are the same."""
        previous = self.capture(path)
        taken = 1
        while True:
            pause(0.1)
            current = self.capture(path)
            taken += 1
            if current == previous:
                break
            if time.time() > deadline:
                print(f"note {name}: the screen had not settled after {taken} screenshots", flush=True)
                break
            previous = current
        return bmp.read_bmp(path)

    def probe(self, name, until=None):
        """Screenshot of the form's area: no installer pixel, the form's own title bar."""
        picture = self.screenshot(name, until)
        magenta = sum(1 for y in range(0, FORM_H, 2) for x in range(0, FORM_W, 2)
                      if picture.pixel(x, y) == MAGENTA)
        check(magenta == 0, f"{name}: nothing of the installer over the form "
              f"({magenta} magenta pixels of every fourth)")
        check(picture.pixel(*TITLE_BAR) == 0x161616,
              f"{name}: the form's title bar at {TITLE_BAR} (got #{picture.pixel(*TITLE_BAR):06X})")
        return picture

    def stage(self, picture):
        """The header strip, which shows the current stage's name at its left edge."""
        digest = hashlib.sha1()
        for y in range(36, 96):
            for x in range(0, FORM_W, 3):
                digest.update(picture.pixel(x, y).to_bytes(3, "big"))
        return digest.hexdigest()

    def finish(self, timeout=60):
        deadline = deadline_in(timeout)
        while time.time() < deadline and self.process.poll() is None:
            pause(0.3)
        ended = self.process.poll() is not None
        if not ended:
            self.process.kill()
        return ended


def expect_no_page_change(installer, before, what):
    check(installer.page_changes() == before, f"{what}: the installer stayed on its page")


def close_requests(installer):
    return sum(1 for line in installer.log() if re.search(installer.args.close_pattern, line))


def press_close_key(installer, key, where):
    """Escape and Alt+F4 send the installer its close request; it asks, and "n" (No) keeps it."""
    before = close_requests(installer)
    installer.key(key, settle=1.0)
    installer.xdotool("key", "n")
    pause(0.8)
    check(close_requests(installer) == before + 1,
          f"{key} on {where}: the installer got one close request")


def mouse_road(installer, signatures):
    stages = {}
    before = installer.page_changes()
    picture = installer.probe("welcome")
    stages["welcome"] = installer.stage(picture)
    for name in ("information", "terms", "destination"):
        installer.click(*NEXT)
        stages[name] = installer.stage(installer.probe(name))
        expect_no_page_change(installer, before, f"Next to {name}")
    check(len(set(stages.values())) == len(stages) - 1,
          "the header strip tells the stages apart (information and terms share one)")
    installer.click(*NEXT, settle=0.3)  # Install
    changed = installer.wait_for_log(OUTCOME, timeout=40)
    check(changed is not None, "the installation ran and reported its outcome")
    pause(1.5)
    stages["finalisation"] = installer.stage(installer.probe("finalisation"))
    check(len(installer.page_changes()) > len(before), "Install moved the installer on")
    after_install = installer.page_changes()
    installer.click(*NEXT, settle=1.5)  # Finish
    check(installer.finish(), "Finish ended the installer")
    check(len(installer.page_changes()) >= len(after_install),
          "the installer's pages after Install changed only on the form's clicks")
    with open(signatures, "w") as f:
        json.dump(stages, f)


def keyboard_road(installer, signatures):
    with open(signatures) as f:
        stages = json.load(f)

    def at(name, what):
        def shown(picture):
            return installer.stage(picture) == stages[name]

        check(shown(installer.probe(what, until=shown)), f"{what}: the form shows the {name} stage")

    before = installer.page_changes()
    at("welcome", "shown")
    for key in ("Escape", "alt+F4"):
        press_close_key(installer, key, "welcome")
        at("welcome", f"after {key} on welcome")
    installer.key("space")
    at("welcome", "Space with nothing focused on welcome")
    installer.key("Tab")  # Back is disabled: Next takes the focus
    focused = installer.screenshot("welcome-tab")
    check(focused.pixel(NEXT[0] - 49, NEXT[1]) == 0x7E7E7E,
          f"Tab on welcome: Next shows the focus border (got #{focused.pixel(NEXT[0] - 49, NEXT[1]):06X})")
    installer.key("Return")
    at("information", "Enter on the focused Next")
    press_close_key(installer, "Escape", "information")
    installer.key("Tab")  # from Next round to Back
    installer.key("space")
    at("welcome", "Space on the focused Back")
    installer.key("Return")  # Back is disabled again and lost the focus: Enter is Next's
    at("information", "Enter with the focused button disabled")
    installer.key("Return")
    at("terms", "Enter on information")
    press_close_key(installer, "alt+F4", "terms")
    installer.key("Page_Down")
    installer.key("Home")
    at("terms", "scroll keys on terms")
    installer.key("Return")
    at("destination", "Enter on terms")
    press_close_key(installer, "Escape", "destination")
    expect_no_page_change(installer, before, "every key before Install")
    installer.key("Return", settle=0.3)  # Install
    # Both buttons are disabled while the installation runs: these keys do nothing.
    for key in ("Tab", "space", "Return"):
        installer.key(key, settle=0.1)
    changed = installer.wait_for_log(OUTCOME, timeout=40)
    check(changed is not None, "Enter on destination installed")
    pause(1.5)
    at("finalisation", "after the installation")
    installer.key("Return", settle=1.5)  # Finish
    check(installer.finish(), "Enter on Finish ended the installer")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--road", choices=["mouse", "keyboard"], required=True)
    parser.add_argument("--page-pattern", default=r"host: page ")
    parser.add_argument("--close-pattern", default=r"close requested|WM_CLOSE")
    parser.add_argument("--signatures", required=True)
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    installer = Installer(args)
    match = installer.wait_for_log(r"geometry: host client on screen (-?\d+) (-?\d+)")
    if not check(match is not None, "the installer showed the form and logged where"):
        installer.finish(timeout=1)
        return 1
    installer.origin = (int(match.group(1)), int(match.group(2)))
    pause(1.5)  # the first header animation
    try:
        (mouse_road if args.road == "mouse" else keyboard_road)(installer, args.signatures)
    finally:
        if installer.process.poll() is None:
            installer.process.kill()
    print("all checks passed" if not FAILURES else f"{len(FAILURES)} checks failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
