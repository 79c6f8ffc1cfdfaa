#!/usr/bin/env python3
"""Draws the Melodex icon (a listing page with a music note) as a 16-colour .ico with
32x32 and 16x16 images. Run it to regenerate melodex.ico."""
import struct
import sys

# The standard 16-colour palette, in RGB.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARKBLUE, GREY, SILVER, RED, BLUE, WHITE = 0, 4, 8, 7, 9, 12, 15
CLEAR = None


def draw(size):
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    def disc(cx, cy, r, colour):
        for y in range(size):
            for x in range(size):
                if ((x + 0.5) / s - cx) ** 2 / 1.3 + ((y + 0.5) / s - cy) ** 2 <= r * r:
                    px[y][x] = colour

    # The page, with a shadow and a dark outline.
    rect(6, 2, 27, 31, GREY)
    rect(4, 1, 25, 30, BLACK)
    rect(5, 2, 24, 29, WHITE)
    # The listing: a heading and link lines.
    rect(7, 4, 22, 6, RED)
    for y in (9, 13, 17, 21, 25):
        rect(7, y, 13 if y > 13 else 20, y + 1, BLUE)
    # The note over the lower right.
    rect(20, 9, 22, 23, BLACK)
    rect(22, 9, 27, 11, BLACK)
    rect(25, 11, 27, 14, BLACK)
    disc(17.5, 23.5, 3.2, BLACK)
    disc(17.5, 23.5, 1.6, DARKBLUE)
    return px


def image(size):
    px = draw(size)
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = bytearray()
        for x in range(0, size, 2):
            hi = px[y][x] if px[y][x] is not None else 0
            lo = px[y][x + 1] if px[y][x + 1] is not None else 0
            row.append((hi << 4) | lo)
        row += b"\0" * ((-len(row)) % 4)
        rows.append(bytes(row))
    mask_rows = []
    for y in reversed(range(size)):
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        row += b"\0" * ((-len(row)) % 4)
        mask_rows.append(bytes(row))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + b"".join(rows) + b"".join(mask_rows)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "melodex.ico")
