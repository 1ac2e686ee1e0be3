"""Checks one automatic run of the demo host under Wine: its log (what the host's windows
received, the window geometry) and its screenshots (pixel probes).

usage: check_run.py LOG SCREENSHOT_DIR [--arch x86_64|i686] --scale S [--fail] [--bad-input]
                    [--unload] [--worker] [--plain-host]
Prints one line per check and exits non-zero if any failed."""

import argparse
import os
import re
import sys

import bmp

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts"))
from header_version import header_version  # noqa: E402

FAILURES = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        FAILURES.append(what)
    return condition


def read_log(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return [re.sub(r"^\[\s*\d+\] ", "", line.rstrip("\n")) for line in f]


def geometry(lines, name):
    for line in lines:
        parts = line.split()
        if len(parts) >= 2 and parts[0] == "geometry:" and parts[1] == name:
            return [int(p) for p in parts[2:]]
    return None


def check_geometry(lines, scale):
    screen = geometry(lines, "screen")
    host_window = geometry(lines, "host-window")
    host_client = geometry(lines, "host-client")
    form_window = geometry(lines, "form-window")
    form_client = geometry(lines, "form-client")
    if not check(None not in (screen, host_window, host_client, form_window, form_client),
                 "the host logged the window geometry"):
        return
    client = [round(854 * scale), round(512 * scale)]
    check(form_client[2:] == client, f"form client area is {client[0]} x {client[1]} "
          f"(got {form_client[2]} x {form_client[3]})")
    check(host_window[2:] == form_window[2:],
          f"host window resized to the form's outer size {form_window[2:]} (got {host_window[2:]})")
    x = screen[0] // 2 - host_window[2] // 2
    y = screen[1] // 2 - host_window[3] // 2
    check(host_window[:2] == [x, y], f"host window centred at {x}, {y} (got {host_window[:2]})")
    check(form_client[:2] == host_client[:2],
          f"form client area at the host client origin {host_client[:2]} (got {form_client[:2]})")
    check(host_client[2:] == client, "host client area shows exactly the form's client area")
    check("geometry: form-parent-is-host 1" in lines, "form window's parent is the host window")
    check("geometry: form-owner-visible 0" in lines, "form window's owner is hidden")


def button_messages(lines, button):
    pattern = re.compile(button + r": (WM_LBUTTON\w+) wParam=(\d+) lParam=(-?\d+)")
    return [m.groups() for m in map(pattern.match, lines) if m]


def check_messages(lines, fail):
    nexts = button_messages(lines, "next-button")
    check(all(w == "10" and l == "10" for _, w, l in nexts),
          "every message to the host's Next button has wParam 10 and lParam 10")
    kinds = [k for k, _, _ in nexts]
    check(kinds == ["WM_LBUTTONDOWN", "WM_LBUTTONUP"] * 4,
          f"the host's Next button got 4 press/release pairs (got {len(kinds)} messages)")
    clicks_before_func05 = 0
    for line in lines:
        if line == "host: func05":
            break
        if line.startswith("host: Next clicked"):
            clicks_before_func05 += 1
    check(clicks_before_func05 == 3,
          f"the Installation stage clicked Next until func05 and no more (got {clicks_before_func05})")
    index = {line: i for i, line in reversed(list(enumerate(lines)))}
    outcome = "host: func07 0" if fail else "host: func07 1"
    check(outcome in index, f"installation reported with '{outcome}'")
    if outcome in index:
        after = lines[index[outcome]:]
        check(any(l.startswith("host: Next clicked (4)") for l in after)
              and "host: the wizard ends; func02" in after,
              "Finish clicked the host's Next button, which ended the wizard (func02)")
    browses = button_messages(lines, "browse-button")
    check([(k, w, l) for k, w, l in browses] ==
          [("WM_LBUTTONDOWN", "10", "10"), ("WM_LBUTTONUP", "10", "10")],
          "the search button clicked the host's Browse button once (10, 10)")
    check('host: func04 "C:\\Program Files\\Demo Browsed"' in lines,
          "the host answered the Browse click with func04")
    check(lines.count("host: WM_SYSCOMMAND wParam=61472 lParam=0") == 1,
          "the minimise button sent WM_SYSCOMMAND SC_MINIMIZE to the host once")
    check("host: minimised 1" in lines, "the host window was minimised")
    check(lines.count("host: WM_CLOSE wParam=0 lParam=0") == 1,
          "the close button sent WM_CLOSE to the host once")
    check(lines.count("host: WM_SYSCOMMAND wParam=61458 lParam=0") == 1,
          "a press on the title bar sent WM_SYSCOMMAND SC_MOVE + HTCAPTION to the host")
    before = geometry(lines, "host-window-before-drag")
    after = geometry(lines, "host-window-after-drag")
    check(before and after and after[0] - before[0] == 40 and after[1] - before[1] == 30,
          f"the host window followed the pointer by (40, 30) (from {before} to {after})")


def check_bad_input(lines):
    errors = [m.group(1) for m in
              map(re.compile(r'host: error raised by the plug-in: "(.*)"$').match, lines) if m]
    expected = [
        "Loading bitmap failed.",
        "Loading bitmap failed (C:\\no such folder\\missing.png).",
        "Loading bitmap failed ().",
        "List index out of bounds (-1)",
    ]
    check(errors == expected, f"bad input raised exactly the documented errors (got {errors})")
    check("host: func10 \"0\" returned 0" in lines, "func10 returned false after its error")


def white_pixels(picture, scale, top, bottom):
    return {(x, y) for y in range(round(top * scale), round(bottom * scale))
            for x in range(picture.width) if picture.pixel(x, y) == 0xFFFFFF}


def similarity(a, b):
    return len(a & b) / max(1, len(a | b))


def check_screenshots(folder, scale, fail):
    names = sorted(n for n in os.listdir(folder) if n.endswith(".bmp"))
    shots = {re.sub(r"^\d+-|\.bmp$", "", n): os.path.join(folder, n) for n in names}
    wanted = ["welcome", "close-hover", "minimise-hover", "information", "terms",
              "back-information", "destination", "destination-browsed", "installing", "finished"]
    if not check(all(w in shots for w in wanted), f"screenshots of every stage ({len(names)})"):
        return
    pictures = {w: bmp.read_bmp(shots[w]) for w in wanted}

    def probe(shot, x, y, colour, what):
        picture = pictures[shot]
        px, py = round(x * scale), round(y * scale)
        got = picture.pixel(px, py)
        check(got == colour, f"{shot}: {what} at ({px}, {py}) is #{colour:06X} (got #{got:06X})")

    size = (round(854 * scale), round(512 * scale))
    check((pictures["welcome"].width, pictures["welcome"].height) == size,
          f"screenshots are {size[0]} x {size[1]}")
    probe("welcome", 600, 4, 0x161616, "title bar")
    probe("welcome", 815, 6, 0x161616, "close button at rest")
    probe("welcome", 775, 6, 0x161616, "minimise button at rest")
    probe("welcome", 735, 480, 0x262626, "Next button")
    probe("close-hover", 815, 6, 0xE80808, "close button under the mouse")
    probe("minimise-hover", 775, 6, 0x3D3D3D, "minimise button under the mouse")
    probe("minimise-hover", 815, 6, 0x161616, "close button after the mouse left")
    probe("destination", 735, 480, 0x262626, "Install button")
    probe("destination", 722.7, 488, 0x7E7E7E, "hover border of the Install button")
    probe("installing", 132, 199, 0xFFFFFF, "progress ring at 12 o'clock")
    probe("installing", 229, 296, 0xFFFFFF, "progress ring at 3 o'clock (past 25 %)")
    probe("finished", 735, 480, 0x262626, "Finish button")
    # The header strip's white text tells the stage: Back returned to the same stage.
    info = white_pixels(pictures["information"], scale, 36, 92)
    back = white_pixels(pictures["back-information"], scale, 36, 92)
    terms = white_pixels(pictures["terms"], scale, 36, 92)
    check(similarity(info, back) > 0.9, "Back returned to the Information stage")
    check(similarity(info, terms) < 0.5, "Next moved on from the Information stage")


def check_worker(lines):
    """--worker: every export but func02 called from a second thread, then the progress."""
    check("worker: every export returned" in lines,
          "every export but func02 returned when called from the worker thread")
    check('worker: func10 "Worker Item" = 1' in lines,
          "func10 from the worker found the component that func09 from the worker added")
    gui = [l for l in lines if l.startswith("host: func11 desktop = ")]
    worker = [l for l in lines if l.startswith("worker: func11 desktop = ")]
    check(gui and worker and gui[0].split()[-1] == worker[0].split()[-1],
          f"func11 answers the worker as it answers the GUI thread ({gui[:1]} / {worker[:1]})")
    check("host: the worker thread is done" in lines, "the worker reported the outcome and ended")
    check(not any("error raised by the plug-in" in l for l in lines),
          "no export called from the worker raised an error")


def check_no_host_pixels(directory):
    """--plain-host: the host draws everything of its own in magenta, which the form never
    draws: no screenshot of the form may hold any."""
    for name in sorted(os.listdir(directory)):
        picture = bmp.read_bmp(os.path.join(directory, name))
        magenta = sum(1 for y in range(0, picture.height, 2) for x in range(0, picture.width, 2)
                      if picture.pixel(x, y) == 0xFF00FF)
        check(magenta == 0, f"{name}: nothing of the host over the form ({magenta} magenta pixels)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("screenshots")
    parser.add_argument("--arch", choices=["x86_64", "i686"], default="x86_64")
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--fail", action="store_true")
    parser.add_argument("--bad-input", action="store_true")
    parser.add_argument("--unload", action="store_true")
    parser.add_argument("--worker", action="store_true")
    parser.add_argument("--plain-host", action="store_true")
    args = parser.parse_args()
    lines = read_log(args.log)
    check(any(l.startswith("DUSKHOST DONE exit=0") for l in lines), "the host finished (end marker)")
    version = header_version()
    check(f"host: duskhost {version}" in lines, f"the host's first line states version {version}")
    bits = 32 if args.arch == "i686" else 64
    check(f"host: {bits}-bit process" in lines, f"the host ran as a {bits}-bit process")
    check_geometry(lines, args.scale)
    check_messages(lines, args.fail)
    if args.bad_input:
        check_bad_input(lines)
    if args.unload:
        check("host: unloaded; the wizard window still works" in lines,
              "the library unloaded while the wizard window existed, and nothing of it ran after")
    if args.worker:
        check_worker(lines)
    check_screenshots(args.screenshots, args.scale, args.fail)
    if args.plain_host:
        check_no_host_pixels(args.screenshots)
    print(f"{len(FAILURES)} failed" if FAILURES else "all checks passed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
