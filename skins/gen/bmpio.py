"""24-bit BMP writing and reading, PNG writing: the only file formats the skin tools need.

The BMP header carries no time stamp and a fixed resolution, so equal images give equal files.
"""

import struct
import zlib

from raster import Image

PELS_PER_METRE = 3780   # 96 dots per inch


def bmp_bytes(img):
    """The image as a bottom-up, uncompressed 24-bit Windows bitmap."""
    stride = (img.w * 3 + 3) & ~3
    pad = b"\0" * (stride - img.w * 3)
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b = img.px[y * img.w + x]
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 24, 0, len(pixels),
                       PELS_PER_METRE, PELS_PER_METRE, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


class BmpError(ValueError):
    pass


def read_bmp(data):
    """Decode an uncompressed 24-bit bitmap (bottom-up or top-down). Raises BmpError for
    anything else, so a checker can report it instead of crashing."""
    if len(data) < 54 or data[:2] != b"BM":
        raise BmpError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    hsize, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    if hsize < 40:
        raise BmpError("unsupported header size %d" % hsize)
    if bpp != 24 or comp != 0:
        raise BmpError("not an uncompressed 24-bit bitmap (%d bpp, compression %d)" % (bpp, comp))
    top_down = h < 0
    h = abs(h)
    if w <= 0 or h <= 0 or w > 16384 or h > 16384:
        raise BmpError("implausible size %dx%d" % (w, h))
    stride = (w * 3 + 3) & ~3
    if offset + stride * h > len(data):
        raise BmpError("pixel data truncated")
    img = Image(w, h)
    for row in range(h):
        y = row if top_down else h - 1 - row
        base = offset + row * stride
        for x in range(w):
            b, g, r = data[base + 3 * x], data[base + 3 * x + 1], data[base + 3 * x + 2]
            img.px[y * w + x] = (r, g, b)
    return img


def load_bmp(path):
    with open(path, "rb") as f:
        return read_bmp(f.read())


def png_bytes(img):
    """The image as an 8-bit RGB PNG (filter 0 on every row)."""
    raw = bytearray()
    for y in range(img.h):
        raw.append(0)
        for x in range(img.w):
            raw += bytes(img.px[y * img.w + x])

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
