#!/usr/bin/env python3
"""Makes the package's README.txt for installer authors from README.md, which stays the one
source: its opening paragraph, the package table of "Release package", and the sections
"Exports for host authors" and "For installer authors" (call order, conventions, errors),
without the build instructions and without the screenshots, which a text file cannot show.
A section that is missing is an error, so a renamed heading cannot silently empty the file.

Usage: installer_readme.py README.md VERSION > README.txt
"""
import re
import sys

# (heading, subsections left out); the order is that of README.txt.
SECTIONS = [
    ("What the package holds", ["What the user sees"]),
    ("Exports for host authors", []),
    ("For installer authors", ["What the user sees"]),
]

HEADING = re.compile(r"^(#+) (.*)$")


def split_headings(lines):
    """[(level, title, start, end)] of every heading outside fenced code; end is where its
    section stops (the next heading of the same or a higher level)."""
    found = []
    fenced = False
    for number, line in enumerate(lines):
        if line.startswith("```"):
            fenced = not fenced
        match = None if fenced else HEADING.match(line)
        if match:
            found.append([len(match.group(1)), match.group(2).strip(), number, len(lines)])
    for i, heading in enumerate(found):
        for later in found[i + 1:]:
            if later[0] <= heading[0]:
                heading[3] = later[2]
                break
    return found


def section(lines, headings, title, left_out):
    """The section's lines with its heading as "##" and its subsections one level below."""
    matches = [h for h in headings if h[1] == title]
    if len(matches) != 1:
        raise SystemExit("README.md has %d sections named %r" % (len(matches), title))
    level, _, start, end = matches[0]
    skipped = set()
    for sub_level, sub_title, sub_start, sub_end in headings:
        if start < sub_start < end and sub_title in left_out:
            skipped.update(range(sub_start, sub_end))
    result = []
    fenced = False
    for number in range(start, end):
        if number in skipped:
            continue
        line = lines[number]
        if line.startswith("```"):
            fenced = not fenced
        match = None if fenced else HEADING.match(line)
        if match:
            line = "#" * (len(match.group(1)) - level + 2) + " " + match.group(2)
        result.append(line)
    while result and not result[-1].strip():
        result.pop()
    return result


def opening(lines, headings):
    """The paragraphs between the title and the first section."""
    first_section = next(h[2] for h in headings if h[0] == 2)
    return "\n".join(lines[1:first_section]).strip().splitlines()


def installer_readme(markdown, version):
    lines = markdown.splitlines()
    headings = split_headings(lines)
    title = "Duskwizard %s" % version
    out = [title, "=" * len(title), ""]
    out += opening(lines, headings)
    out += ["", "This file is made from the project's README.md for authors of installers that",
            "load the DLL; CHANGELOG.md says what changed in each version.", ""]
    for heading, left_out in SECTIONS:
        out += section(lines, headings, heading, left_out) + [""]
    return "\n".join(out)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8") as file:
        sys.stdout.write(installer_readme(file.read(), argv[2]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
