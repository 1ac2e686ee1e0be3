#!/usr/bin/env python3
"""Makes the release package twice with scripts/package.sh --no-build (the second time with
another umask and time zone), and checks: the two archives are the same bytes; the name
carries the project's version; the listing is exactly the expected files in sorted order
(examples/ as the repository has it); every file unpacks to the bytes it was made from;
SHA256SUMS covers every other file and its sums are right (also by `sha256sum -c`); the
.sha256 beside the archive is right; every entry has the same time stamp and mode 0644;
README.txt holds the installer authors' sections and not the build instructions.
Usage: check_package.py REPO PROJECT_VERSION WORK_FOLDER
Exit 77 (skipped) when the DLLs have not been built.
"""
import hashlib
import os
import shutil
import stat
import subprocess
import sys
import zipfile

failures = []


def check(good, what):
    print("%s: %s" % ("ok" if good else "FAIL", what))
    if not good:
        failures.append(what)
    return good


def make_package(repo, out, umask, zone):
    environment = dict(os.environ, TZ=zone)
    environment.pop("SOURCE_DATE_EPOCH", None)
    result = subprocess.run(
        ["bash", "-c", 'umask %s && exec bash scripts/package.sh --no-build --out "$1"' % umask,
         "package.sh", out], cwd=repo, env=environment, capture_output=True, text=True)
    print(result.stdout, end="")
    print(result.stderr, end="", file=sys.stderr)
    return result.returncode == 0


def tracked_examples(repo):
    listed = subprocess.run(["git", "-C", repo, "ls-files", "-z", "--", "examples"], check=True,
                            capture_output=True).stdout
    return sorted(name.decode() for name in listed.split(b"\0") if name)


def read(repo, name):
    with open(os.path.join(repo, name), "rb") as file:
        return file.read()


def main(repo, version, work):
    dlls = [os.path.join(repo, "dist", arch, "duskwizard.dll") for arch in ("i686", "x86_64")]
    missing = [dll for dll in dlls if not os.path.isfile(dll)]
    if missing:
        print("SKIP: not built: %s" % " ".join(missing))
        return 77
    shutil.rmtree(work, ignore_errors=True)
    first, second = os.path.join(work, "first"), os.path.join(work, "second")
    if not (check(make_package(repo, first, "022", "UTC"), "package.sh made the package")
            and check(make_package(repo, second, "077", "Pacific/Kiritimati"),
                      "package.sh made it again")):
        return 1

    name = "duskwizard-%s.zip" % version
    archive_path = os.path.join(first, name)
    check(sorted(os.listdir(first)) == [name, name + ".sha256"],
          "the output is %s and its .sha256 (got %s)" % (name, sorted(os.listdir(first))))
    if not os.path.isfile(archive_path):
        return 1
    with open(archive_path, "rb") as file:
        archive_bytes = file.read()
    with open(os.path.join(second, name), "rb") as file:
        check(file.read() == archive_bytes, "made twice, the archive is the same byte for byte")
    with open(archive_path + ".sha256", encoding="ascii") as file:
        check(file.read() == "%s  %s\n" % (hashlib.sha256(archive_bytes).hexdigest(), name),
              "the .sha256 beside the archive is right")

    sources = {
        "i686/duskwizard.dll": "dist/i686/duskwizard.dll",
        "x86_64/duskwizard.dll": "dist/x86_64/duskwizard.dll",
        "include/duskwizard.h": "include/duskwizard.h",
        "LICENSE.txt": "LICENSE",
        "CHANGELOG.md": "CHANGELOG.md",
    }
    examples = tracked_examples(repo)
    sources.update({example: example for example in examples})
    if os.path.isdir(os.path.join(repo, "examples")):
        check(bool(examples), "the repository's examples/ holds tracked files")
    expected = sorted(list(sources) + ["README.txt", "SHA256SUMS"])

    with zipfile.ZipFile(archive_path) as archive:
        entries = archive.infolist()
        names = [entry.filename for entry in entries]
        check(names == expected, "the listing is %s (got %s)" % (expected, names))
        check(len({entry.date_time for entry in entries}) == 1,
              "every entry has the same time stamp (%s)" % sorted({e.date_time for e in entries}))
        modes = {stat.S_IMODE(entry.external_attr >> 16) for entry in entries}
        check(modes == {0o644}, "every entry has mode 0644 (got %s)" % sorted(map(oct, modes)))
        check(archive.testzip() is None, "every entry's CRC is right")
        unpacked = os.path.join(work, "unpacked")
        archive.extractall(unpacked)

    for entry, source in sorted(sources.items()):
        path = os.path.join(unpacked, entry)
        good = os.path.isfile(path) and read(unpacked, entry) == read(repo, source)
        check(good, "%s unpacks to the bytes of %s" % (entry, source))

    sums = {}
    if check(os.path.isfile(os.path.join(unpacked, "SHA256SUMS")), "SHA256SUMS is there"):
        for line in read(unpacked, "SHA256SUMS").decode("ascii").splitlines():
            digest, _, file_name = line.partition("  ")
            sums[file_name] = digest
    others = [n for n in expected if n != "SHA256SUMS"]
    check(sorted(sums) == others, "SHA256SUMS lists every other file (got %s)" % sorted(sums))
    for file_name in others:
        if os.path.isfile(os.path.join(unpacked, file_name)):
            check(sums.get(file_name) == hashlib.sha256(read(unpacked, file_name)).hexdigest(),
                  "the sum of %s is right" % file_name)
    verified = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=unpacked,
                              capture_output=True, text=True)
    check(verified.returncode == 0, "sha256sum --check SHA256SUMS passes in the unpacked folder")

    readme = read(unpacked, "README.txt").decode("utf-8") if "README.txt" in names else ""
    wanted = ["Duskwizard %s" % version, "## Exports for host authors",
              "## For installer authors", "### The order of calls", "### When something goes wrong",
              "DUSKWIZARD_ERROR_CODE", "stdcall", "## What the package holds"]
    for text in wanted:
        check(text in readme, "README.txt has %r" % text)
    unwanted = ["## Builds", "cmake -S", "scripts/test.sh", "## Performance record", "](docs/"]
    for text in unwanted:
        check(text not in readme, "README.txt leaves out %r" % text)

    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("the package %s is complete and reproducible" % name)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
