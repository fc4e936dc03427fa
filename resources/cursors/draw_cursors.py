#!/usr/bin/env python3
"""Draws the gradient control's cursors as 32x32 monochrome .cur files.

Each cursor is pixel art below: 'X' black, '.' white, ' ' transparent,
'~' inverted screen. Every cursor is the arrow pointer with a sign at its
lower right; the hot spot is the arrow's tip. Run from anywhere; the files
are written beside this script:

    python3 resources/cursors/draw_cursors.py
"""
import os
import struct

SIZE = 32

ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
]

# Adding a pivot: a plus sign.
PLUS = [
    "   XXX",
    "   X.X",
    "   X.X",
    "XXXX.XXXX",
    "X.......X",
    "XXXX.XXXX",
    "   X.X",
    "   X.X",
    "   XXX",
]

# An end pivot, which cannot move: a padlock.
PADLOCK = [
    "  XXXXX",
    " X.....X",
    " X.XXX.X",
    " X.X X.X",
    "XXXXXXXXX",
    "X.......X",
    "X...X...X",
    "X..XXX..X",
    "X...X...X",
    "X.......X",
    "XXXXXXXXX",
]

# The gradient menu: a small menu with three items and the button's
# triangle pointing at it.
MENU = [
    "   XXXXXXXXX",
    "   X.......X",
    "X  X.XXXXX.X",
    "XX X.......X",
    "X.XX.XXXXX.X",
    "XX X.......X",
    "X  X.XXXXX.X",
    "   X.......X",
    "   XXXXXXXXX",
]

CURSORS = {
    "add_pivot.cur": (PLUS, (11, 11)),
    "end_pivot.cur": (PADLOCK, (11, 11)),
    "menu.cur": (MENU, (10, 12)),
}
HOT_SPOT = (0, 0)


def compose(sign, at):
    """The arrow with the sign drawn over it, its top-left corner at `at`."""
    grid = [[" "] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(ARROW):
        for x, pixel in enumerate(row):
            grid[y][x] = pixel
    left, top = at
    for y, row in enumerate(sign):
        for x, pixel in enumerate(row):
            if pixel != " ":
                grid[top + y][left + x] = pixel
    return grid


def masks(grid):
    """XOR and AND masks, bottom row first, 4 bytes a row."""
    xor_rows, and_rows = [], []
    for row in reversed(grid):
        xor_bits = and_bits = 0
        for x, pixel in enumerate(row):
            bit = 1 << (SIZE - 1 - x)
            if pixel in ".~":
                xor_bits |= bit
            if pixel in " ~":
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    return b"".join(xor_rows), b"".join(and_rows)


def cursor_file(grid, hot_spot):
    xor_mask, and_mask = masks(grid)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0,
                         len(xor_mask) + len(and_mask), 0, 0, 2, 2)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot_spot[0], hot_spot[1],
                        len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, (sign, at) in CURSORS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(cursor_file(compose(sign, at), HOT_SPOT))


if __name__ == "__main__":
    main()
