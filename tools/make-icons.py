#!/usr/bin/env python3
"""Builds the program's icons and cursors from their pixel-art sources.

Each source in resources/art/ is text: optional 'canvas W H' and
'hotspot X Y' lines, palette lines 'C = #RRGGBB', then one line of
characters per pixel row ('.' is transparent). Rows and columns short of
the canvas are transparent. iconNNN.txt becomes resources/iconNNN.ico and
cursorNNN.txt becomes resources/cursorNNN.cur: 32-bit images with their AND
masks for 100, 150 and 200 % display scale, each source pixel a block of
whole pixels (2 x 2 at 200 %; 1 or 2 wide and high, alternately, at 150 %,
as the panel maps its own pixels), so that none is blurred. Run it after
editing a source; the outputs are committed."""
import pathlib
import re
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent / "resources"
# The display scales each file has an image for, in DPI (96 is 100 %).
SCALES = (96, 144, 192)


def to_device(v, dpi):
    """Where source pixel v begins at dpi: v * dpi / 96 rounded half up."""
    return (v * dpi + 48) // 96


def scaled(width, height, hotspot, pixels, dpi):
    """The picture at dpi: every source pixel a block of whole pixels."""
    w, h = to_device(width, dpi), to_device(height, dpi)
    out = [[None] * w for _ in range(h)]
    for y in range(height):
        for x in range(width):
            for yy in range(to_device(y, dpi), to_device(y + 1, dpi)):
                for xx in range(to_device(x, dpi), to_device(x + 1, dpi)):
                    out[yy][xx] = pixels[y][x]
    return w, h, (to_device(hotspot[0], dpi), to_device(hotspot[1], dpi)), out


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


def write(path, kind, images):
    """An .ico (kind 1) or .cur (kind 2) file of (width, height, hotspot, pixels) images."""
    entries, datas = b"", b""
    offset = 6 + 16 * len(images)
    for width, height, hotspot, pixels in images:
        data = image_bytes(width, height, pixels)
        planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0,
                               planes_or_x, bits_or_y, len(data), offset + len(datas))
        datas += data
    path.write_bytes(struct.pack("<HHH", 0, kind, len(images)) + entries + datas)


def main():
    for src in sorted((ROOT / "art").glob("*.txt")):
        kind, ext = (2, ".cur") if src.stem.startswith("cursor") else (1, ".ico")
        art = parse(src.read_text())
        out = ROOT / (src.stem + ext)
        write(out, kind, [scaled(*art, dpi) for dpi in SCALES])
        print(f"{src.name} -> {out.name} ({art[0]} x {art[1]} at {', '.join(map(str, SCALES))} DPI)")


if __name__ == "__main__":
    main()
