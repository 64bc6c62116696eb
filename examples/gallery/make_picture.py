#!/usr/bin/env python3
# Writes picture.png, the small picture that image.kp shows: a colour wheel on a checker board,
# 64 x 48 pixels. Only the standard library is needed.
import math
import os
import struct
import zlib

WIDTH, HEIGHT = 64, 48


def pixel(x, y):
    dx, dy = x - 32 + 0.5, y - 24 + 0.5
    radius = math.hypot(dx, dy)
    if radius < 20:
        hue = (math.atan2(dy, dx) / (2 * math.pi)) % 1.0
        sector, fraction = int(hue * 6), hue * 6 % 1
        rising, falling = int(255 * fraction), int(255 * (1 - fraction))
        return [(255, rising, 0), (falling, 255, 0), (0, 255, rising),
                (0, falling, 255), (rising, 0, 255), (255, 0, falling)][sector]
    return (230, 230, 230) if (x // 8 + y // 8) % 2 else (120, 120, 140)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


rows = b"".join(b"\0" + bytes(c for x in range(WIDTH) for c in pixel(x, y)) for y in range(HEIGHT))
png = (b"\x89PNG\r\n\x1a\n"
       + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows, 9))
       + chunk(b"IEND", b""))
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "picture.png"), "wb") as out:
    out.write(png)
