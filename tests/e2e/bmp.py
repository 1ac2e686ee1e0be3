"""Reading the demo host's BMP screenshots and writing them as PNG, with the standard
library only (the test machines have no imaging packages for Python)."""

import struct
import zlib


class Picture:
    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self._rows = rows  # top to bottom, each a bytes object of B, G, R triples

    def pixel(self, x, y):
        """0xRRGGBB at (x, y), origin at the top left."""
        row = self._rows[y]
        b, g, r = row[x * 3], row[x * 3 + 1], row[x * 3 + 2]
        return (r << 16) | (g << 8) | b


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits not in (24, 32):
        raise ValueError(f"{path}: {bits}-bit BMP not supported")
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for i in range(abs(height)):
        y = abs(height) - 1 - i if height > 0 else i
        start = offset + y * stride
        raw = data[start:start + width * step]
        if step == 4:
            raw = b"".join(raw[j:j + 3] for j in range(0, len(raw), 4))
        rows.append(raw)
    return Picture(width, abs(height), rows)


def write_png(picture, path):
    lines = []
    for row in picture._rows:
        rgb = bytearray(len(row))
        rgb[0::3] = row[2::3]
        rgb[1::3] = row[1::3]
        rgb[2::3] = row[0::3]
        lines.append(b"\x00" + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(b"".join(lines), 6)))
        f.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    import sys
    for name in sys.argv[1:]:
        target = name.rsplit(".", 1)[0] + ".png"
        write_png(read_bmp(name), target)
        print(target)
