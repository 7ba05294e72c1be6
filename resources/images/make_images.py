#!/usr/bin/env python3
"""Draws the program's icons and bitmaps and writes them as .ico and .bmp files.

Usage: make_images.py OUTPUT_FOLDER

The pictures are drawn from a few shapes in code so they can be changed here: a tiled
window in the program's blue for the icons, simple outlined pictograms for the menu, and
the splitter bars' patterns pixel by pixel.
"""
import struct
import sys
from pathlib import Path

BLUE = (0x33, 0x99, 0xCC)
DARK = (0x03, 0x4F, 0x75)
LIGHT = (0x43, 0xBD, 0xFA)
GREEN = (0xB3, 0xFA, 0x6D)
WHITE = (0xFF, 0xFF, 0xFF)
GREY = (0x80, 0x80, 0x80)
RED = (0xCC, 0x33, 0x33)

PALETTE = [(0, 0, 0), BLUE, DARK, LIGHT, GREEN, WHITE, GREY, RED]


class Canvas:
    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]  # None: transparent

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0, x0 + 1, y1, colour)
        self.rect(x1 - 1, y0, x1, y1, colour)


def tiles(size, classic=False):
    """The program's picture: a window divided into three frames (in fewer colours for
    the classic tray icon of Windows 2000)."""
    c = Canvas(size, size)
    m = max(1, size // 16)
    c.rect(m, m, size - m, size - m, DARK)
    gap = max(1, size // 12)
    inner = (m + gap, m + gap, size - m - gap, size - m - gap)
    mid_x = (inner[0] + inner[2]) // 2
    mid_y = (inner[1] + inner[3]) // 2
    c.rect(inner[0], inner[1], mid_x - gap // 2, inner[3], BLUE)
    c.rect(mid_x + (gap + 1) // 2, inner[1], inner[2], mid_y - gap // 2, LIGHT)
    c.rect(mid_x + (gap + 1) // 2, mid_y + (gap + 1) // 2, inner[2], inner[3], GREY if classic else GREEN)
    return c


def pictogram(size, kind):
    c = Canvas(size, size, WHITE)
    c.rect(1, 1, size - 1, size - 1, WHITE)
    c.frame(1, 1, size - 1, size - 1, DARK)
    half = size // 2
    if kind == "split_h":
        c.rect(2, half - 1, size - 2, half + 1, BLUE)
    elif kind == "split_v":
        c.rect(half - 1, 2, half + 1, size - 2, BLUE)
    elif kind == "remove":
        for i in range(3, size - 3):
            c.rect(i, i, i + 1, i + 1, RED)
            c.rect(size - 1 - i, i, size - i, i + 1, RED)
    elif kind == "load":
        for i in range(0, half - 1):
            c.rect(half - i, 3 + i, half + i + 1, 4 + i, BLUE)
        c.rect(half - 1, 3 + half - 1, half + 1, size - 3, BLUE)
    elif kind == "save":
        c.rect(3, 3, size - 3, half, LIGHT)
        c.rect(4, half + 1, size - 4, size - 3, GREY)
    return c


def about_picture(percent=100):
    """The About page's picture, drawn anew for each display scale so it stays sharp."""
    def s(n):
        return n * percent // 100
    c = Canvas(s(90), s(150), WHITE)
    size = s(64)
    logo = tiles(size)
    for y in range(size):
        for x in range(size):
            if logo.pixels[y][x] is not None:
                c.pixels[s(20) + y][s(13) + x] = logo.pixels[y][x]
    c.rect(s(10), s(100), s(80), s(103), BLUE)
    c.rect(s(20), s(110), s(70), s(112), LIGHT)
    return c


def index_of(colour):
    return PALETTE.index(colour if colour is not None else (0, 0, 0))


def dib(canvas, bits, icon):
    """A device-independent bitmap with a palette; icons add the transparency mask."""
    colours = 16 if bits == 4 else 256
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE) + b"\0" * 4 * (colours - len(PALETTE))
    stride = ((canvas.width * bits + 31) // 32) * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            i = index_of(canvas.pixels[y][x])
            if bits == 8:
                row[x] = i
            else:
                row[x // 2] |= i << (4 if x % 2 == 0 else 0)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    mask = b""
    if icon:
        mask_stride = ((canvas.width + 31) // 32) * 4
        for y in reversed(range(canvas.height)):
            row = bytearray(mask_stride)
            for x in range(canvas.width):
                if canvas.pixels[y][x] is None:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row)
    height = canvas.height * (2 if icon else 1)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, height, 1, bits, 0, len(pixels) + len(mask), 0, 0,
                         colours, 0)
    return header + palette + pixels + mask


# The splitter bars' patterns, one letter a pixel, rows top first: W white, B blue,
# G green, L light blue, and 3, 2, 1 three blues from light to dark. They tile a bar from
# its top left corner; the arrows point into the active frame.
BAR_COLOURS = {"W": WHITE, "B": BLUE, "G": GREEN, "L": LIGHT, "3": (0x06, 0x91, 0xD6), "2": (0x04, 0x6A, 0x9D),
               "1": DARK}
BAR_PATTERNS = {
    "bar_vertical": "BWWB BBWW BWWB WWBB " * 3,
    "bar_horizontal": "WBBBWBBBWBBB WWBWWWBWWWBW BWWWBWWWBWWW BBWBBBWBBBWB",
    "bar_arrow_left": "WGGL BG3L W23L 123L W23L BG3L WGGL BGGW WGGB BGGW WGGB BGGW",
    "bar_arrow_right": "WGGB BGGW WGGB BGGW WGGB LGGW L3GB L32W L321 L32W L3GB LGGW",
    "bar_arrow_up": "BWBWBWBW1WBW GGGGGGG222GG GGGGGG33333G WBWBWLLLLLLL",
    "bar_arrow_down": "LLLLLLLWBWBW G33333GGGGGG GG222GGGGGGG WBW1WBWBWBWB",
}


def write_bmp24(path, pattern):
    """A 24-bit bitmap, as a bar's pattern brush needs its colours exactly."""
    rows = [[BAR_COLOURS[c] for c in row] for row in pattern.split()]
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(bytes(c for r, g, b in row for c in (b, g, r)).ljust(stride, b"\0") for row in reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    path.write_bytes(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + 40) + header + pixels)


def write_bmp(path, canvas):
    body = dib(canvas, 8, False)
    offset = 14 + 40 + 256 * 4
    path.write_bytes(b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body)


def write_ico(path, images):
    """images: list of (canvas, bits)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for canvas, bits in images:
        blob = dib(canvas, bits, True)
        w = canvas.width if canvas.width < 256 else 0
        entries.append(struct.pack("<BBBBHHII", w, w, 16 if bits == 4 else 0, 0, 1, bits, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    path.write_bytes(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    # Small icons for 100 %, 125 %, 150 % and 200 % (16 to 32 pixels), large ones to 48.
    write_ico(out / "program.ico", [(tiles(s), 8) for s in (96, 48, 32, 24, 20, 16)])
    write_ico(out / "tray.ico", [(tiles(16), 4)] + [(tiles(s), 8) for s in (48, 32, 24, 20, 16)])
    write_ico(out / "tray_classic.ico", [(tiles(16, classic=True), 4)])
    write_bmp(out / "about.bmp", about_picture())
    write_bmp(out / "about_150.bmp", about_picture(150))
    write_bmp(out / "about_200.bmp", about_picture(200))
    for name, pattern in BAR_PATTERNS.items():
        write_bmp24(out / f"{name}.bmp", pattern)
    for kind in ("split_h", "split_v", "remove", "load", "save"):
        write_bmp(out / f"{kind}_16.bmp", pictogram(16, kind))
        write_bmp(out / f"{kind}_12.bmp", pictogram(12, kind))


if __name__ == "__main__":
    main()
