#!/usr/bin/env python3
"""Checks the log of a demo host run with --screen-reader: what the form's accessible object
told on every stage (roles, names, values, states, screen locations, reading order, nothing
hidden), that every press through accDoDefaultAction did what a click does, and the events
the form raised between the steps.

Usage: check_reader.py host.log [--fail]
"""
import re
import sys

APP = "Duskhost Demo"
FORM_WIDTH = 854
ROLE_DIALOG, ROLE_TEXT, ROLE_EDIT, ROLE_BUTTON, ROLE_PROGRESS = 18, 41, 42, 43, 48
UNAVAILABLE, READONLY, DEFAULT = 0x1, 0x40, 0x100
SIZE = re.compile(r"^\d+(\.\d+)? (bytes|KB|MB|GB|TB)$")

# The header's stage name and the page's texts, in reading order (a subsequence of what is
# read), for each stage the run reads.
PAGES = {
    "welcome": ("Welcome", ["Welcome", "GUIDE FOR INSTALLATION",
                            "Follow these guides to help installation run smoothly."]),
    "information": ("Information", [APP, "Translators", "Editor And Tester"]),
    "terms": ("Configuration", ["Copyright Terms"]),
    "destination": ("Configuration", ["Select directory", "SELECT INSTALLATION DIRECTORY",
                                      "SELECTED DRIVE"]),
    "destination-browsed": ("Configuration", ["Select directory"]),
    "installing": ("Installation", ["Installing " + APP, "PROGRESS", "INSTALLATION DETAILS",
                                    "INSTALLATION TIMES"]),
    "finished": ("Finalisation", ["Finishing installation", "COMPLETING SETUP"]),
}
# Boxes in the form's device-independent pixels.
BOXES = {"Minimise": (770, 0, 38, 32), "Close": (808, 0, 46, 32), "Back": (614, 472, 100, 32),
         "Next": (722, 472, 100, 32), "Install": (722, 472, 100, 32),
         "Finish": (722, 472, 100, 32), "Browse": (792, 196, 28, 28)}
# Texts the layout holds but never shows.
NEVER_READ = ["Desktop shortcuts", "Startmenu shortcuts", "OTHER", "More information about"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def main():
    log_path = sys.argv[1]
    failing = "--fail" in sys.argv[2:]
    text = open(log_path, encoding="utf-8", errors="replace").read()

    client = re.search(r"geometry: form-client (-?\d+) (-?\d+) (\d+) (\d+)", text)
    check(client is not None, "the host logged no form client geometry")
    if client is None:
        return
    ox, oy, cw, ch = (int(v) for v in client.groups())
    scale = cw / FORM_WIDTH

    windows = {m.group(1): m for m in re.finditer(
        r'reader: (\S+) window role=(\d+) state=0x([0-9a-f]+) name="(.*?)" children=(\d+) '
        r'listed=(\d+)', text)}
    elements = {}
    for m in re.finditer(r'reader: (\S+) element (\d+) id=(\d+) role=(\d+) state=0x([0-9a-f]+) '
                         r'at (-?\d+) (-?\d+) (\d+) (\d+) name="(.*?)" value="(.*?)"\n',
                         text, re.S):
        elements.setdefault(m.group(1), []).append({
            "id": int(m.group(3)), "role": int(m.group(4)), "state": int(m.group(5), 16),
            "box": tuple(int(m.group(i)) for i in range(6, 10)), "name": m.group(10),
            "value": m.group(11)})

    for stage, (header, texts) in PAGES.items():
        window = windows.get(stage)
        check(window is not None, f"{stage}: the tree was not read")
        if window is None:
            continue
        read = elements.get(stage, [])
        check(int(window.group(2)) == ROLE_DIALOG, f"{stage}: window role {window.group(2)}")
        check(window.group(4) == APP, f"{stage}: window name {window.group(4)!r}")
        check(int(window.group(5)) == len(read) == int(window.group(6)),
              f"{stage}: {window.group(5)} children, {window.group(6)} listed, {len(read)} read")
        check(f"reader: {stage} navigation {len(read)} elements, same order" in text,
              f"{stage}: accNavigate does not give the listed order")
        names = [e["name"] for e in read]
        # Reading order: title bar, the current stage name, the page, the bottom bar.
        check(names[:3] == ["Minimise", "Close", header],
              f"{stage}: begins with {names[:3]}, expected Minimise, Close, {header}")
        check(names[-4:-2] and all(e["role"] == ROLE_TEXT for e in read[-4:-2]),
              f"{stage}: the credit lines are not read before the buttons")
        stage_names = {"Welcome", "Information", "Configuration", "Installation", "Finalisation"}
        check(sum(1 for n in names[3:] if n in stage_names and n != header and n not in texts)
              == 0, f"{stage}: another stage name is read: {names}")
        position = 0
        for wanted in texts:
            while position < len(names) and names[position] != wanted:
                position += 1
            check(position < len(names), f"{stage}: {wanted!r} missing or out of order in {names}")
        for hidden in NEVER_READ:
            check(not any(n.startswith(hidden) for n in names), f"{stage}: {hidden!r} is read")
        for e in read:
            x, y, w, h = e["box"]
            check(w > 0 and h > 0 and x >= ox and y >= oy and x + w <= ox + cw and
                  y + h <= oy + ch, f"{stage}: {e['name']!r} at {e['box']} outside the form")
            check(e["role"] in (ROLE_TEXT, ROLE_EDIT, ROLE_BUTTON, ROLE_PROGRESS),
                  f"{stage}: {e['name']!r} has role {e['role']}")
            if e["name"] in BOXES and e["role"] == ROLE_BUTTON:
                bx, by, bw, bh = BOXES[e["name"]]
                want = (ox + round(bx * scale), oy + round(by * scale),
                        round((bx + bw) * scale) - round(bx * scale),
                        round((by + bh) * scale) - round(by * scale))
                check(all(abs(a - b) <= 1 for a, b in zip(e["box"], want)),
                      f"{stage}: {e['name']!r} at {e['box']}, expected {want}")
        buttons = {e["name"]: e for e in read if e["role"] == ROLE_BUTTON}
        next_name = {"destination": "Install", "destination-browsed": "Install",
                     "finished": "Finish"}.get(stage, "Next")
        check(next_name in buttons, f"{stage}: no button {next_name!r}")
        if next_name in buttons:
            check(buttons[next_name]["state"] & DEFAULT, f"{stage}: {next_name} not the default")
            unavailable = bool(buttons[next_name]["state"] & UNAVAILABLE)
            check(unavailable == (stage == "installing"),
                  f"{stage}: {next_name} unavailable={unavailable}")
        if "Back" in buttons:
            unavailable = bool(buttons["Back"]["state"] & UNAVAILABLE)
            check(unavailable == (stage in ("welcome", "installing", "finished")),
                  f"{stage}: Back unavailable={unavailable}")

    destination = elements.get("destination", [])
    edits = [e for e in destination if e["role"] == ROLE_EDIT]
    check(len(edits) == 1 and edits[0]["value"] == "C:\\Program Files\\Demo" and
          edits[0]["state"] & READONLY, f"destination: directory box {edits}")
    free = [e for e in destination if e["name"] == "Free space"]
    available = [e["name"] for e in destination if e["name"].endswith(" is available from the "
                                                                      "selected drive")]
    check(len(free) == 1 and SIZE.match(free[0]["value"]) and available and
          available[0].startswith(free[0]["value"] + " "),
          f"destination: free space {free} against {available}")
    browsed = [e for e in elements.get("destination-browsed", []) if e["role"] == ROLE_EDIT]
    check(len(browsed) == 1 and browsed[0]["value"] == "C:\\Program Files\\Demo Browsed",
          f"destination-browsed: directory box {browsed}")
    installing = elements.get("installing", [])
    progress = [e for e in installing if e["role"] == ROLE_PROGRESS]
    check(len(progress) == 1 and progress[0]["name"] == "Installation progress" and
          re.fullmatch(r"\d+%", progress[0]["value"]) and int(progress[0]["value"][:-1]) >= 50,
          f"installing: progress bar {progress}")
    check(any(e["name"].startswith("Extracting files...") for e in installing),
          "installing: the first status line is not read")
    check(any(e["name"].startswith("Elapsed time: ") for e in installing),
          "installing: the elapsed time is not read")
    outcome = APP + (" installation has failed." if failing else " has been successfully "
                                                                  "installed.")
    check(any(e["name"] == outcome for e in elements.get("finished", [])),
          f"finished: {outcome!r} is not read")

    for m in re.finditer(r'reader: press "(.*?)" id=(-?\d+) hr=0x([0-9a-f]+)', text):
        check(m.group(3) == "0", f"press {m.group(1)}: hr 0x{m.group(3)}")
    presses = re.findall(r'reader: press "(.*?)"', text)
    check(presses == ["Next", "Next", "Next", "Browse", "Install", "Finish"],
          f"presses {presses}")
    for m in re.finditer(r'reader: hit-test "(.*?)" id=(-?\d+) found=(-?\d+)', text):
        check(m.group(2) == m.group(3), f"hit test at {m.group(1)} found {m.group(3)}")
    check(len(re.findall(r"reader: hit-test", text)) == 3, "the hit tests did not run")

    events = {m.group(1): {k: int(v) for k, v in re.findall(r"(\w+)=(\d+)", m.group(2))}
              for m in re.finditer(r"reader: events (\S+) (.*)", text)}
    check(events.get("idle") == {"focus": 0, "show": 0, "name": 0, "value": 0, "state": 0},
          f"events while nothing changed: {events.get('idle')}")
    for stage in ("information", "terms", "destination", "installing", "finished"):
        got = events.get(stage, {})
        check(got.get("show", 0) >= 1 and got.get("focus", 0) >= 1,
              f"{stage}: no show and focus event for the new page: {got}")
    check(events.get("information", {}).get("state", 0) >= 1, "Back enabled without an event")
    check(events.get("destination", {}).get("name", 0) >= 1, "Next renamed without an event")
    browsed_events = events.get("destination-browsed", {})
    # The new directory is on the same drive: only the directory box changes.
    check(browsed_events.get("value", 0) == 1 and browsed_events.get("name", 0) == 0,
          f"new directory: {browsed_events}, expected one value event")
    got = events.get("installing", {})
    check(got.get("value", 0) >= 10 and got.get("name", 0) >= 10 and got.get("state", 0) >= 1,
          f"installing: progress, status lines and buttons without events: {got}")

    # Install went to the host's Next until it installed, Finish ended its wizard.
    check(re.search(r"Browse 1 clicks", text) is not None, "Browse did not click the host's")
    check("DUSKHOST DONE exit=0" in text, "the host did not finish")


if __name__ == "__main__":
    main()
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        sys.exit(1)
    print("reader checks passed")
