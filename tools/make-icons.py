#!/usr/bin/env python3
"""Builds the program's icons and cursors from their pixel-art sources.

Each source in resources/art/ is text: optional 'canvas W H' and
'hotspot X Y' lines, palette lines 'C = #RRGGBB', then one line of
characters per pixel row ('.' is transparent). Rows and columns short of
the canvas are transparent. iconNNN.txt becomes resources/iconNNN.ico and
cursorNNN.txt becomes resources/cursorNNN.cur: one 32-bit image with its
AND mask. Run it after editing a source; the outputs are committed."""
import pathlib
import re
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent / "resources"


def parse(text):
    width = height = None
    hotspot = (0, 0)
    palette, rows = {}, []
    for line in text.splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        if m := re.fullmatch(r"canvas (\d+) (\d+)", line):
            width, height = int(m[1]), int(m[2])
        elif m := re.fullmatch(r"hotspot (\d+) (\d+)", line):
            hotspot = (int(m[1]), int(m[2]))
        elif m := re.fullmatch(r"(\S) = #([0-9a-fA-F]{6})", line):
            palette[m[1]] = bytes.fromhex(m[2])
        else:
            rows.append(line.rstrip())
    width = width or max(len(r) for r in rows)
    height = height or len(rows)
    pixels = [[None] * width for _ in range(height)]
    for y, row in enumerate(rows[:height]):
        for x, ch in enumerate(row[:width]):
            if ch != ".":
                pixels[y][x] = palette[ch]
    return width, height, hotspot, pixels


def image_bytes(width, height, pixels):
    """BITMAPINFOHEADER (double height), BGRA rows bottom-up, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for y in reversed(range(height)):
        bits = bytearray(mask_stride)
        for x in range(width):
            rgb = pixels[y][x]
            if rgb is None:
                xor += b"\0\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((rgb[2], rgb[1], rgb[0], 255))
        mask += bits
    return header + bytes(xor) + bytes(mask)


def write(path, kind, width, height, hotspot, pixels):
    data = image_bytes(width, height, pixels)
    planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0,
                        planes_or_x, bits_or_y, len(data), 6 + 16)
    path.write_bytes(struct.pack("<HHH", 0, kind, 1) + entry + data)


def main():
    for src in sorted((ROOT / "art").glob("*.txt")):
        kind, ext = (2, ".cur") if src.stem.startswith("cursor") else (1, ".ico")
        width, height, hotspot, pixels = parse(src.read_text())
        out = ROOT / (src.stem + ext)
        write(out, kind, width, height, hotspot, pixels)
        print(f"{src.name} -> {out.name} ({width} x {height})")


if __name__ == "__main__":
    main()
