#!/usr/bin/env python3
"""Draws the program icon (a disc with a download arrow) and writes Update.ico.

Five images, in this order: 32x32 16 colours, 16x16 16 colours, 32x32 256 colours,
48x48 256 colours, 32x32 monochrome. Run it again after changing the drawing.
"""
import os
import struct

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, SILVER, GREY, LIME, WHITE = 0, 2, 7, 8, 10, 15


def pixel(x, y, size):
    """Palette index of one pixel, or None where the icon is transparent."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    # Arrow, top right, pointing down into the disc.
    if 0.70 <= u <= 0.84 and 0.04 <= v <= 0.40:
        return LIME if u < 0.76 else GREEN
    if 0.40 <= v <= 0.64 and abs(u - 0.77) <= 0.22 * (0.64 - v) / 0.24:
        return LIME if u < 0.77 else GREEN
    d = ((u - 0.44) ** 2 + (v - 0.56) ** 2) ** 0.5
    if d < 0.05:
        return None
    if d < 0.13:
        return GREY
    if d < 0.36:
        return WHITE if (u - 0.44) * (v - 0.56) < 0 and d > 0.22 else SILVER
    if d < 0.41:
        return BLACK
    return None


def rows(size):
    return [[pixel(x, y, size) for x in range(size)] for y in range(size)]


def pack_bits(values, bpp):
    """One bottom-up DIB row, padded to 32 bits."""
    bits, nbits = 0, 0
    out = bytearray()
    for value in values:
        bits = (bits << bpp) | value
        nbits += bpp
        if nbits == 8:
            out.append(bits)
            bits, nbits = 0, 0
    if nbits:
        out.append(bits << (8 - nbits))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def image(size, bpp):
    grid = rows(size)
    if bpp == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        light = {SILVER, WHITE, LIME}
        colour = [[1 if p in light else 0 for p in row] for row in grid]
    else:
        palette = VGA + [(0, 0, 0)] * ((1 << bpp) - len(VGA))
        colour = [[0 if p is None else p for p in row] for row in grid]
    mask = [[1 if p is None else 0 for p in row] for row in grid]
    xor = b"".join(pack_bits(row, bpp) for row in reversed(colour))
    and_ = b"".join(pack_bits(row, 1) for row in reversed(mask))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(and_),
                         0, 0, 0, 0)
    rgbquads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + rgbquads + xor + and_


def main():
    formats = [(32, 4), (16, 4), (32, 8), (48, 8), (32, 1)]
    images = [image(size, bpp) for size, bpp in formats]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(formats, images):
        colours = {4: 16, 8: 0, 1: 2}[bpp]
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Update.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
