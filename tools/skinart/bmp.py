"""Writes 32-bit BMP files with an alpha channel (BITMAPV5HEADER, bit fields, bottom-up rows)."""

import struct

_FILE_HEADER_SIZE = 14
_INFO_HEADER_SIZE = 124
_BI_BITFIELDS = 3
_LCS_SRGB = 0x73524742


def write_bmp(path, width, height, bgra_rows):
    """bgra_rows: rows top to bottom, each a list of (b, g, r, a) byte tuples."""
    pixels = bytearray()
    for row in reversed(bgra_rows):
        for b, g, r, a in row:
            pixels += bytes((b, g, r, a))
    offset = _FILE_HEADER_SIZE + _INFO_HEADER_SIZE
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', _INFO_HEADER_SIZE, width, height, 1, 32, _BI_BITFIELDS,
                       len(pixels), 2835, 2835, 0, 0)
    info += struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    info += struct.pack('<I', _LCS_SRGB) + bytes(36) + struct.pack('<III', 0, 0, 0)
    info += struct.pack('<IIII', 4, 0, 0, 0)  # intent: perceptual; no profile
    assert len(info) == _INFO_HEADER_SIZE
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


def write_bmp24(path, width, height, rgb_rows):
    """A 24-bit BMP (BITMAPINFOHEADER, bottom-up rows padded to 4 bytes) for program bitmap resources,
    whose transparent parts are a key colour rather than alpha. rgb_rows: rows top to bottom of (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rgb_rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    offset = _FILE_HEADER_SIZE + 40
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)
