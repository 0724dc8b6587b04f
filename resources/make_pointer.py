#!/usr/bin/env python3
# Draws the YUVOvip pointing-hand mouse pointer -- a white hand with a raised
# index finger, outlined in black -- and writes resources/pointing_hand.cur,
# a 32 x 32 two-colour Windows cursor whose hot spot is the fingertip.
# The window shows it over the "点我找答案" link.
#
# Run from the project root:   python3 resources/make_pointer.py
# Optional enlarged preview:   python3 resources/make_pointer.py --preview /tmp/pointer.png
#
# Standard library only; the output is identical on every run.

import argparse
import os
import struct
import zlib

SIZE = 32
HOT_SPOT = (6, 1)  # x, y counted from the top-left pixel: the top of the fingertip
MASK_ROW_BYTES = SIZE // 8  # one bit per pixel; 32 pixels fill a row with no padding
PLANE_BYTES = MASK_ROW_BYTES * SIZE  # 128 bytes for the colour plane, 128 for the mask
EXPECTED_IMAGE_BYTES = 40 + 8 + PLANE_BYTES + PLANE_BYTES  # 304
EXPECTED_FILE_BYTES = 6 + 16 + EXPECTED_IMAGE_BYTES  # 326
SCRIPT_DIRECTORY = os.path.dirname(os.path.abspath(__file__))
OUTPUT_PATH = os.path.join(SCRIPT_DIRECTORY, "pointing_hand.cur")


# ---------------------------------------------------------------------------
# Artwork: one character per pixel, top row first.
#   '.' transparent   '#' black outline   'o' white
# The hot spot (x 6, y 1) is the middle of the fingertip's top edge.
# ---------------------------------------------------------------------------

TRANSPARENT, BLACK, WHITE = ".", "#", "o"

POINTER = [
    "................................",  # 0
    ".....###........................",  # 1  fingertip; hot spot at x 6
    "....#ooo#.......................",  # 2
    "....#ooo#.......................",  # 3
    "....#ooo#.......................",  # 4
    "....#ooo#.......................",  # 5
    "....#ooo#.......................",  # 6
    "....#ooo#.......................",  # 7
    "....#ooo####....................",  # 8  middle finger folded
    "....#ooo#ooo####................",  # 9  ring finger folded
    "....#ooo#ooo#ooo####............",  # 10 little finger folded
    "....#ooo#ooo#ooo#ooo#...........",  # 11
    ".##.#ooo#ooo#ooo#ooo#...........",  # 12 thumb
    "#oo##ooo#ooooooooooo#...........",  # 13
    "#ooo#ooooooooooooooo#...........",  # 14
    "#ooooooooooooooooooo#...........",  # 15
    ".#oooooooooooooooooo#...........",  # 16
    "..#ooooooooooooooooo#...........",  # 17
    "...#oooooooooooooooo#...........",  # 18
    "....#ooooooooooooooo#...........",  # 19
    ".....#ooooooooooooo#............",  # 20
    "......#ooooooooooo#.............",  # 21
    "......#ooooooooooo#.............",  # 22
    ".....###############............",  # 23 cuff
    ".....#ooooooooooooo#............",  # 24
    ".....#ooooooooooooo#............",  # 25
    ".....#ooooooooooooo#............",  # 26
    ".....###############............",  # 27
    "................................",  # 28
    "................................",  # 29
    "................................",  # 30
    "................................",  # 31
]


def checked_artwork():
    """Returns the pointer rows after making sure the drawing fits the cursor."""
    assert len(POINTER) == SIZE, len(POINTER)
    for row, line in enumerate(POINTER):
        assert len(line) == SIZE, (row, len(line))
        assert set(line) <= {TRANSPARENT, BLACK, WHITE}, (row, line)
    hot_x, hot_y = HOT_SPOT
    assert POINTER[hot_y][hot_x] == BLACK, "the hot spot must sit on the fingertip's outline"
    assert all(POINTER[row][hot_x] == TRANSPARENT for row in range(hot_y)), \
        "nothing may stand above the fingertip"
    # Every white pixel must be enclosed: no white pixel may touch the edge
    # of the grid or a transparent pixel directly.
    for row, line in enumerate(POINTER):
        for column, pixel in enumerate(line):
            if pixel != WHITE:
                continue
            for delta_x, delta_y in ((-1, 0), (1, 0), (0, -1), (0, 1)):
                x, y = column + delta_x, row + delta_y
                assert 0 <= x < SIZE and 0 <= y < SIZE, (column, row)
                assert POINTER[y][x] != TRANSPARENT, ("white pixel without outline", column, row)
    return POINTER


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

def plane_bytes(rows, pixel_is_set):
    """A 1-bit plane, bottom row first, the most significant bit leftmost."""
    data = bytearray()
    for line in reversed(rows):
        packed = bytearray(MASK_ROW_BYTES)
        for column, pixel in enumerate(line):
            if pixel_is_set(pixel):
                packed[column // 8] |= 0x80 >> (column % 8)
        data += packed
    return bytes(data)


def cursor_image_bytes(rows):
    """BITMAPINFOHEADER (height doubled for the mask), two colours, XOR plane, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
                         PLANE_BYTES + PLANE_BYTES, 0, 0, 0, 0)
    colours = bytes((0x00, 0x00, 0x00, 0x00,   # 0: black
                     0xFF, 0xFF, 0xFF, 0x00))  # 1: white
    colour_plane = plane_bytes(rows, lambda pixel: pixel == WHITE)
    and_mask = plane_bytes(rows, lambda pixel: pixel == TRANSPARENT)
    image = header + colours + colour_plane + and_mask
    assert len(image) == EXPECTED_IMAGE_BYTES, len(image)
    return image


def cursor_file_bytes(image):
    """Header (type 2 = cursor, one image) and one directory entry whose
    planes / bit count fields carry the hot spot instead."""
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1],
                        len(image), 6 + 16)
    data = directory + entry + image
    assert len(data) == EXPECTED_FILE_BYTES, len(data)
    return data


def png_bytes(rows, zoom):
    """An enlarged RGB picture for checking the artwork by eye: transparent
    pixels become a grey checkerboard and the hot spot gets a red dot."""
    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))

    light, dark = bytes((0xD8, 0xD8, 0xD8)), bytes((0xB0, 0xB0, 0xB0))
    black, white, red = bytes((0, 0, 0)), bytes((0xFF, 0xFF, 0xFF)), bytes((0xE0, 0x20, 0x20))
    dot_low, dot_high = zoom // 3, zoom - zoom // 3
    raw = bytearray()
    for row, line in enumerate(rows):
        for inner_y in range(zoom):
            raw.append(0)
            for column, pixel in enumerate(line):
                if pixel == BLACK:
                    colour = black
                elif pixel == WHITE:
                    colour = white
                else:
                    colour = light if (row + column) % 2 == 0 else dark
                for inner_x in range(zoom):
                    if ((column, row) == HOT_SPOT and dot_low <= inner_x < dot_high
                            and dot_low <= inner_y < dot_high):
                        raw += red
                    else:
                        raw += colour
    header = struct.pack(">IIBBBBB", SIZE * zoom, SIZE * zoom, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description="Draw the YUVOvip pointing-hand cursor.")
    parser.add_argument("--preview", metavar="PATH",
                        help="also write an enlarged PNG of the pointer to PATH")
    arguments = parser.parse_args()

    rows = checked_artwork()
    if arguments.preview:
        with open(arguments.preview, "wb") as preview:
            preview.write(png_bytes(rows, zoom=12))

    with open(OUTPUT_PATH, "wb") as output:
        output.write(cursor_file_bytes(cursor_image_bytes(rows)))
    print("wrote %s (%d bytes)" % (OUTPUT_PATH, EXPECTED_FILE_BYTES))


if __name__ == "__main__":
    main()
