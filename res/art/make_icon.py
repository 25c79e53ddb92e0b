#!/usr/bin/env python3
"""Writes a one-image Windows icon file from a picture, at 24 or 32 bits per pixel.

ImageMagick writes every icon at 32 bits; the program also carries a 24-bit icon, so the icon
file is put together here: icon directory, a bottom-up DIB of the colour pixels and the AND mask.
"""

import argparse
import struct
import subprocess


def read_rgba(path, size):
    raw = subprocess.run(
        ["convert", path, "-resize", f"{size}x{size}!", "-depth", "8", "rgba:-"],
        check=True, capture_output=True).stdout
    if len(raw) != size * size * 4:
        raise SystemExit(f"{path}: expected {size}x{size} RGBA pixels")
    return raw


def dib(rgba, size, bits):
    colour_row = size * bits // 8
    colour_pad = (4 - colour_row % 4) % 4
    mask_row = (size + 7) // 8
    mask_pad = (4 - mask_row % 4) % 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        mask_bits = bytearray(mask_row)
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            if bits == 32:
                colour += bytes((b, g, r, a))
            else:
                # No alpha channel: the mask alone makes the corners transparent.
                colour += bytes((b, g, r))
            if a < 128:
                mask_bits[x // 8] |= 0x80 >> (x % 8)
        colour += bytes(colour_pad)
        mask += mask_bits + bytes(mask_pad)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bits", type=int, choices=(24, 32), required=True)
    parser.add_argument("--size", type=int, default=48)
    parser.add_argument("picture")
    parser.add_argument("icon")
    args = parser.parse_args()

    image = dib(read_rgba(args.picture, args.size), args.size, args.bits)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", args.size % 256, args.size % 256, 0, 0, 1, args.bits, len(image), 6 + 16)
    with open(args.icon, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
