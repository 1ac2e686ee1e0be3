#!/usr/bin/env python3
"""Reads the version resource and the build time stamps of a Windows PE file (DLL or EXE)
straight from its bytes, without Windows: scripts/package.sh checks the DLLs it packs with
it, and tests/release reads the i686 DLL with it, which cannot run on these machines.

Usage: pe_version.py FILE   prints the fixed version, every string and the time stamps.
"""
import struct
import sys

RT_VERSION = 16
VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeError("no MZ header")
        (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        coff = pe_offset + 4
        (self.machine, section_count, self.coff_time_stamp, _, _, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        (magic,) = struct.unpack_from("<H", data, optional)
        if magic == 0x10B:
            directories = optional + 96
        elif magic == 0x20B:
            directories = optional + 112
        else:
            raise PeError("unknown optional header magic %#x" % magic)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            name, virtual_size, rva, raw_size, raw_offset = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("ascii", "replace"),
                                  rva, max(virtual_size, raw_size), raw_offset))

    def offset_of(self, rva):
        for _, start, size, raw_offset in self.sections:
            if start <= rva < start + size:
                return raw_offset + rva - start
        raise PeError("RVA %#x lies in no section" % rva)

    def directory_time_stamp(self, index):
        """The TimeDateStamp of the export (0) or resource (2) directory, None if absent."""
        rva, size = self.directories[index]
        if not rva or not size:
            return None
        return struct.unpack_from("<I", self.data, self.offset_of(rva) + 4)[0]

    def resource(self, type_id):
        """The bytes of the first resource of a type (first name, first language)."""
        rva, size = self.directories[2]
        if not rva:
            return None
        root = self.offset_of(rva)
        entry = self._find_entry(root, root, type_id)
        for _ in range(2):  # name, then language: the first of each
            if entry is None or not entry & 0x80000000:
                return None
            entry = self._first_entry(root, root + (entry & 0x7FFFFFFF))
        if entry is None or entry & 0x80000000:
            return None
        data_rva, data_size, _, _ = struct.unpack_from("<IIII", self.data, root + entry)
        start = self.offset_of(data_rva)
        return self.data[start:start + data_size]

    def _entries(self, root, directory):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", self.data, directory + 16 + 8 * i)

    def _find_entry(self, root, directory, wanted_id):
        for name, target in self._entries(root, directory):
            if name == wanted_id:
                return target
        return None

    def _first_entry(self, root, directory):
        for _, target in self._entries(root, directory):
            return target
        return None


def _align4(offset):
    return (offset + 3) & ~3


def _block(data, offset):
    """One VS_VERSIONINFO-style block: (key, value bytes, children, end offset)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    value_start = _align4(key_end + 2)
    # Text values count UTF-16 units, binary ones bytes; tools disagree on whether the
    # terminating zero counts, so a text runs to the block's end and stops at its zero.
    if value_type == 1:
        value_end = end if value_length else value_start
    else:
        value_end = value_start + value_length
    value = data[value_start:min(value_end, end)]
    children = []
    child = _align4(value_end)
    while child + 6 <= end:
        child_key, child_value, grandchildren, child_end = _block(data, child)
        children.append((child_key, child_value, grandchildren))
        if child_end <= child:
            break
        child = _align4(child_end)
    return key, value, children, end


def _text(value):
    return value.decode("utf-16-le").split("\0", 1)[0]


def version_info(resource):
    """Parses a version resource: {'file_version': (a, b, c, d), 'product_version': ...,
    'strings': {table key: {name: text}}, 'translations': [(language, code page)]}."""
    key, value, children, _ = _block(resource, 0)
    if key != "VS_VERSION_INFO":
        raise PeError("version resource starts with %r" % key)
    if len(value) < 52:
        raise PeError("no fixed file information")
    fixed = struct.unpack_from("<13I", value)
    if fixed[0] != VS_FIXEDFILEINFO_SIGNATURE:
        raise PeError("bad fixed file information signature %#x" % fixed[0])

    def split(most, least):
        return (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)

    info = {"file_version": split(fixed[2], fixed[3]),
            "product_version": split(fixed[4], fixed[5]),
            "file_type": fixed[9], "strings": {}, "translations": []}
    for child_key, _, tables in children:
        if child_key == "StringFileInfo":
            for table_key, _, strings in tables:
                info["strings"][table_key] = {name: _text(text) for name, text, _ in strings}
        elif child_key == "VarFileInfo":
            for _, var_value, _ in tables:
                for i in range(0, len(var_value) - 3, 4):
                    info["translations"].append(struct.unpack_from("<HH", var_value, i))
    return info


def read(path):
    """(PeFile, version info or None) of a file."""
    with open(path, "rb") as file:
        pe = PeFile(file.read())
    resource = pe.resource(RT_VERSION)
    return pe, (version_info(resource) if resource is not None else None)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    pe, info = read(argv[1])
    print("time stamps: headers %#x, exports %s, resources %s" % (
        pe.coff_time_stamp, pe.directory_time_stamp(0), pe.directory_time_stamp(2)))
    if info is None:
        print("no version resource")
        return 1
    print("file version: %d.%d.%d.%d" % info["file_version"])
    print("product version: %d.%d.%d.%d" % info["product_version"])
    for table, strings in info["strings"].items():
        for name, text in strings.items():
            print("%s %s: %s" % (table, name, text))
    print("translations: %s" % ", ".join("%04x/%d" % pair for pair in info["translations"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
