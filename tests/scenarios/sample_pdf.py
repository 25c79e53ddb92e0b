#!/usr/bin/env python3
"""Writes a small well-formed PDF with the given number of pages, each with one line of text.

    sample_pdf.py OUT.pdf [PAGES]
"""
import sys


def sample_pdf(pages=1):
    objects = ["<< /Type /Catalog /Pages 2 0 R >>"]
    kids = " ".join(f"{3 + 2 * i} 0 R" for i in range(pages))
    objects.append(f"<< /Type /Pages /Kids [{kids}] /Count {pages} >>")
    font = 3 + 2 * pages
    for i in range(pages):
        text = f"BT /F1 24 Tf 72 720 Td (Sample page {i + 1}) Tj ET".encode("ascii")
        objects.append(f"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents {4 + 2 * i} 0 R "
                       f"/Resources << /Font << /F1 {font} 0 R >> >> >>")
        objects.append(f"<< /Length {len(text)} >>\nstream\n{text.decode('ascii')}\nendstream")
    objects.append("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += f"{number} 0 obj\n{body}\nendobj\n".encode("ascii")
    xref = len(out)
    out += f"xref\n0 {len(objects) + 1}\n0000000000 65535 f \n".encode("ascii")
    for offset in offsets:
        out += f"{offset:010d} 00000 n \n".encode("ascii")
    out += f"trailer\n<< /Size {len(objects) + 1} /Root 1 0 R >>\nstartxref\n{xref}\n%%EOF\n".encode("ascii")
    return bytes(out)


def main():
    path = sys.argv[1]
    pages = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    with open(path, "wb") as f:
        f.write(sample_pdf(pages))


if __name__ == "__main__":
    main()
