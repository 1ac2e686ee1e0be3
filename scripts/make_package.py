#!/usr/bin/env python3
"""Packs the release archive duskwizard-X.Y.Z.zip from the built DLLs and the repository,
byte for byte the same every time it is made from the same commit and DLLs: entries in
sorted order, every time stamp the commit's time (SOURCE_DATE_EPOCH if set), every file
mode 0644, deflate at level 9, no directory entries, no comment. Beside the archive it
writes duskwizard-X.Y.Z.zip.sha256. scripts/package.sh builds the DLLs and calls this.

The version is the header's (CMake keeps it equal to the project's); a DLL whose version
resource states another one is refused, so a stale build cannot be packed under a new name.

Usage: make_package.py [--out DIR]   (default: dist/)
"""
import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

from header_version import header_version
from installer_readme import installer_readme
from pe_version import read as read_pe

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
ARCHITECTURES = ("i686", "x86_64")
ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def repo_file(*parts):
    with open(os.path.join(REPO, *parts), "rb") as file:
        return file.read()


def example_files():
    """The files under examples/: those git tracks, or all of them outside a git checkout."""
    folder = os.path.join(REPO, "examples")
    try:
        listed = subprocess.run(["git", "-C", REPO, "ls-files", "-z", "--", "examples"],
                                check=True, capture_output=True).stdout
        names = [name.decode("utf-8") for name in listed.split(b"\0") if name]
        return [name for name in names if os.path.isfile(os.path.join(REPO, name))]
    except (OSError, subprocess.CalledProcessError):
        names = []
        for root, _, files in os.walk(folder):
            for name in files:
                names.append(os.path.relpath(os.path.join(root, name), REPO).replace(os.sep, "/"))
        return names


def source_time():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", REPO, "log", "-1", "--format=%ct"], check=True,
                                  capture_output=True, text=True).stdout.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return ZIP_EPOCH


def dll_version(path):
    _, info = read_pe(path)
    if info is None:
        return None
    return "%d.%d.%d" % info["file_version"][:3]


def package_contents(version):
    """{name in the archive: bytes}, SHA256SUMS included."""
    contents = {}
    for arch in ARCHITECTURES:
        path = os.path.join(REPO, "dist", arch, "duskwizard.dll")
        if not os.path.isfile(path):
            raise SystemExit("%s is missing: build the %s cross build first" % (path, arch))
        stated = dll_version(path)
        if stated != version:
            raise SystemExit("%s states version %s, the header %s: rebuild it"
                             % (path, stated, version))
        contents[arch + "/duskwizard.dll"] = repo_file("dist", arch, "duskwizard.dll")
    contents["include/duskwizard.h"] = repo_file("include", "duskwizard.h")
    for name in example_files():
        contents[name] = repo_file(name)
    readme = installer_readme(repo_file("README.md").decode("utf-8"), version)
    contents["README.txt"] = readme.encode("utf-8")
    contents["LICENSE.txt"] = repo_file("LICENSE")
    contents["CHANGELOG.md"] = repo_file("CHANGELOG.md")
    contents["SHA256SUMS"] = "".join(
        "%s  %s\n" % (hashlib.sha256(contents[name]).hexdigest(), name)
        for name in sorted(contents)).encode("ascii")
    return contents


def write_zip(path, contents, stamp):
    date_time = time.gmtime(max(stamp, ZIP_EPOCH))[:6]
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(contents):
            entry = zipfile.ZipInfo(name, date_time)
            entry.create_system = 3  # Unix, so that the mode below is what unzip applies
            entry.external_attr = 0o100644 << 16
            archive.writestr(entry, contents[name], compress_type=zipfile.ZIP_DEFLATED,
                             compresslevel=9)
    os.replace(partial, path)


def main(argv):
    parser = argparse.ArgumentParser(description="Packs dist/duskwizard-X.Y.Z.zip.")
    parser.add_argument("--out", default=os.path.join(REPO, "dist"),
                        help="folder for the archive (default: dist/)")
    options = parser.parse_args(argv[1:])
    version = header_version()
    contents = package_contents(version)
    os.makedirs(options.out, exist_ok=True)
    name = "duskwizard-%s.zip" % version
    path = os.path.join(options.out, name)
    write_zip(path, contents, source_time())
    with open(path, "rb") as file:
        digest = hashlib.sha256(file.read()).hexdigest()
    with open(path + ".sha256", "w", encoding="ascii") as file:
        file.write("%s  %s\n" % (digest, name))
    print("%s (%d bytes, sha256 %s)" % (path, os.path.getsize(path), digest))
    for entry in sorted(contents):
        print("  %8d  %s" % (len(contents[entry]), entry))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
