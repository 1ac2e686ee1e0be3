#!/usr/bin/env python3
"""The version that include/duskwizard.h states, as "MAJOR.MINOR.PATCH".

CMake checks on every configure that the header agrees with the project's VERSION; the
package script and the release tests read the number from here.
Usage: header_version.py [path to duskwizard.h]   prints the version.
"""
import os
import re
import sys

DEFAULT_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "include",
                              "duskwizard.h")


def header_version(path=DEFAULT_HEADER):
    with open(path, encoding="utf-8") as file:
        text = file.read()
    numbers = []
    for part in ("MAJOR", "MINOR", "PATCH"):
        match = re.search(r"^#define\s+DUSKWIZARD_VERSION_%s\s+(\d+)\s*$" % part, text, re.M)
        if not match:
            raise ValueError("%s has no DUSKWIZARD_VERSION_%s" % (path, part))
        numbers.append(match.group(1))
    match = re.search(r'^#define\s+DUSKWIZARD_VERSION_STRING\s+"([^"]*)"\s*$', text, re.M)
    version = ".".join(numbers)
    if not match or match.group(1) != version:
        raise ValueError("%s: DUSKWIZARD_VERSION_STRING is not \"%s\"" % (path, version))
    return version


if __name__ == "__main__":
    print(header_version(*sys.argv[1:2]))
