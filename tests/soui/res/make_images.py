#!/usr/bin/env python3
"""Writes the small PNG images of the UI library's tests and system resources (run by hand when they
change; the images are committed). Pure standard library: zlib and struct."""
import os
import struct
import sys
import zlib


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a); straight (not premultiplied) RGBA, 8 bits each."""
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


STATE_COLOURS = [(0x38, 0x5E, 0x8B), (0x1E, 0x78, 0xD5), (0xDD, 0x24, 0x21), (0x91, 0xA7, 0xC0)]


def button_strip(x, y, face):
    """A 4-state vertical strip of square faces: a rounded coloured face per state, with a white
    bar across; the corners are transparent."""
    state, fy = divmod(y, face)
    r, g, b = STATE_COLOURS[state]
    inset = 2
    if fx_out(x, fy, face, inset):
        return (0, 0, 0, 0)
    if face // 2 - 2 <= fy <= face // 2 + 1 and face // 4 <= x < face - face // 4:
        return (255, 255, 255, 255)
    return (r, g, b, 255)


def fx_out(x, y, face, inset):
    corner = 5
    if x < inset or y < inset or x >= face - inset or y >= face - inset:
        return True
    cx = min(x - inset, face - inset - 1 - x)
    cy = min(y - inset, face - inset - 1 - y)
    return cx < corner and cy < corner and (corner - cx) ** 2 + (corner - cy) ** 2 > corner ** 2


def close_strip(x, y, face):
    """A 4-state close button: an X over a state colour."""
    state, fy = divmod(y, face)
    r, g, b = [(0xF0, 0xF0, 0xF0), (0xE0, 0x40, 0x40), (0xB0, 0x20, 0x20), (0xC8, 0xC8, 0xC8)][state]
    m = face // 3
    on_x = m <= x < face - m and m <= fy < face - m and (abs(x - fy) <= 1 or abs(x - (face - 1 - fy)) <= 1)
    return (80, 80, 80, 255) if on_x and state == 0 else ((255, 255, 255, 255) if on_x else (r, g, b, 255))


def shadow(x, y, size, edge):
    """A frame whose border fades out: opaque grey inside, alpha falling to 0 at the edge."""
    d = min(x, y, size - 1 - x, size - 1 - y)
    if d >= edge:
        return (0xF7, 0xF7, 0xF7, 255)
    return (0, 0, 0, int(90 * (d + 1) / (edge + 1)))


def main(root):
    img = os.path.join(root, "tests", "soui", "res", "image")
    sysimg = os.path.join(root, "components", "soui", "sys-resource", "image")
    write_png(os.path.join(img, "btn_test.png"), 40, 160, lambda x, y: button_strip(x, y, 40))
    write_png(os.path.join(img, "strip_h.png"), 400, 26,
              lambda x, y: STATE_COLOURS[x // 100] + (255,) if 2 <= x % 100 < 98 else (0, 0, 0, 0))
    write_png(os.path.join(img, "logo.png"), 22, 22,
              lambda x, y: (0x1E, 0x78, 0xD5, 128) if (x - 11) ** 2 + (y - 11) ** 2 <= 100 else (0, 0, 0, 0))
    write_png(os.path.join(img, "shadow.png"), 30, 30, lambda x, y: shadow(x, y, 30, 8))
    write_png(os.path.join(sysimg, "wechat_close.png"), 34, 136, lambda x, y: close_strip(x, y, 34))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", ".."))
