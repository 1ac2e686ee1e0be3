#!/usr/bin/env python3
"""Static checks of a cross-built DLL for the release, read from the file itself (the i686
DLL cannot run here): its version resource states the version of include/duskwizard.h
and of the project, with the product's names; its headers carry no build time, so two
builds of one commit give the same bytes.
Usage: check_dll_version.py path/to/duskwizard.dll PROJECT_VERSION
Exit 77 (skipped) when the DLL has not been built.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts"))
from header_version import header_version  # noqa: E402
from pe_version import read  # noqa: E402

VFT_DLL = 2


def main(dll, project_version):
    if not os.path.isfile(dll):
        print("SKIP: %s not built" % dll)
        return 77
    failures = []

    def check(good, what):
        print("%s: %s" % ("ok" if good else "FAIL", what))
        if not good:
            failures.append(what)

    version = header_version()
    check(version == project_version,
          "the header states %s, the project %s" % (version, project_version))
    pe, info = read(dll)
    check(info is not None, "the DLL has a version resource")
    if info is None:
        return 1
    fixed = tuple(int(n) for n in version.split(".")) + (0,)
    check(info["file_version"] == fixed, "fixed file version %s" % (info["file_version"],))
    check(info["product_version"] == fixed,
          "fixed product version %s" % (info["product_version"],))
    check(info["file_type"] == VFT_DLL, "file type %d is a DLL" % info["file_type"])
    check(info["translations"] == [(0x0409, 1200)],
          "translations %s are U.S. English in UTF-16" % info["translations"])
    strings = info["strings"].get("040904B0", info["strings"].get("040904b0", {}))
    expected = [
        ("FileVersion", version), ("ProductVersion", version), ("ProductName", "Duskwizard"),
        ("OriginalFilename", "duskwizard.dll"), ("FileDescription", None),
        ("LegalCopyright", None),
    ]
    for name, value in expected:
        text = strings.get(name)
        good = bool(text) if value is None else text == value
        check(good, "%s = %r%s" % (name, text, "" if value is None else ", expected %r" % value))
    stamps = {"headers": pe.coff_time_stamp, "exports": pe.directory_time_stamp(0),
              "resources": pe.directory_time_stamp(2)}
    check(all(not stamp for stamp in stamps.values()),
          "no build time in the DLL: %s" % ", ".join("%s %#x" % (where, stamp or 0)
                                                    for where, stamp in stamps.items()))
    if failures:
        print("%d check(s) failed for %s" % (len(failures), dll))
        return 1
    print("all release checks passed for %s" % dll)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
