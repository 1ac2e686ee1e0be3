#!/usr/bin/env python3
"""The version is kept in the project's VERSION (CMakeLists.txt) alone; what restates it
must agree: include/duskwizard.h (CMake's configure-time check, which this test also makes
fail on headers that disagree), the newest section of CHANGELOG.md and the README's
"Release package" section.
Usage: check_version_sources.py REPO PROJECT_VERSION
"""
import os
import re
import subprocess
import sys
import tempfile

failures = []


def check(good, what):
    print("%s: %s" % ("ok" if good else "FAIL", what))
    if not good:
        failures.append(what)


def header_check_passes(repo, header, version):
    result = subprocess.run(
        ["cmake", "-DDW_HEADER=" + header, "-DDW_VERSION=" + version, "-P",
         os.path.join(repo, "cmake", "CheckHeaderVersion.cmake")],
        capture_output=True, text=True)
    return result.returncode == 0, result.stderr.strip()


def main(repo, version):
    header = os.path.join(repo, "include", "duskwizard.h")
    passes, message = header_check_passes(repo, header, version)
    check(passes, "the header states the project's version %s %s" % (version, message))

    # The configure-time check refuses a header that differs in any one place.
    with open(header, encoding="utf-8") as file:
        text = file.read()
    major, minor, patch = version.split(".")
    bumped = str(int(patch) + 1)
    cases = [
        ("another MAJOR", "#define DUSKWIZARD_VERSION_MAJOR " + major,
         "#define DUSKWIZARD_VERSION_MAJOR " + str(int(major) + 1)),
        ("another MINOR", "#define DUSKWIZARD_VERSION_MINOR " + minor,
         "#define DUSKWIZARD_VERSION_MINOR " + str(int(minor) + 1)),
        ("another PATCH", "#define DUSKWIZARD_VERSION_PATCH " + patch,
         "#define DUSKWIZARD_VERSION_PATCH " + bumped),
        ("another string", '#define DUSKWIZARD_VERSION_STRING "%s"' % version,
         '#define DUSKWIZARD_VERSION_STRING "%s.%s.%s"' % (major, minor, bumped)),
        ("no PATCH", "#define DUSKWIZARD_VERSION_PATCH " + patch, ""),
    ]
    with tempfile.TemporaryDirectory() as folder:
        for name, original, changed in cases:
            check(original in text, "the header has %r" % original)
            wrong = os.path.join(folder, "duskwizard.h")
            with open(wrong, "w", encoding="utf-8") as file:
                file.write(text.replace(original, changed, 1))
            passes, message = header_check_passes(repo, wrong, version)
            check(not passes and "disagrees" in message,
                  "a header with %s is refused" % name)

    with open(os.path.join(repo, "CHANGELOG.md"), encoding="utf-8") as file:
        sections = re.findall(r"^## \[([^\]]+)\]", file.read(), re.M)
    released = [name for name in sections if name.lower() != "unreleased"]
    check(bool(released) and released[0] == version,
          "the newest version in CHANGELOG.md is %s" % (released[0] if released else None))

    with open(os.path.join(repo, "README.md"), encoding="utf-8") as file:
        readme = file.read()
    section = re.search(r"^## Release package\n(.*?)(?=^## |\Z)", readme, re.M | re.S)
    stated = re.findall(r"current version is (\d+\.\d+\.\d+)", section.group(1)) if section else []
    check(stated == [version], "the README's release section states %s" % stated)

    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("the version %s is stated alike everywhere" % version)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
