#!/usr/bin/env python3
# Usage: draw-logo.py modules/img/logo.ico packaging/kestrel-talon.png
# Draws the Kestrel Talon logo: three orange claws on a dark rounded tile.
import math, struct, zlib, sys

def render(size, ss=4):
    px = bytearray(size * size * 4)
    bg_top, bg_bot = (0x22, 0x2a, 0x3a), (0x11, 0x16, 0x20)
    claw_a, claw_b = (0xff, 0x9a, 0x3c), (0xf0, 0x5a, 0x10)
    claws = [(-28, 0.86), (0, 1.0), (28, 0.86)]
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    u = (x + (sx + 0.5) / ss) / size
                    v = (y + (sy + 0.5) / ss) / size
                    # rounded tile
                    r = 0.2
                    dx = max(abs(u - 0.5) - (0.5 - r) + 0.02, 0); dy = max(abs(v - 0.5) - (0.5 - r) + 0.02, 0)
                    if dx * dx + dy * dy > r * r:
                        continue
                    t = v
                    col = [bg_top[i] * (1 - t) + bg_bot[i] * t for i in range(3)]
                    # claws hang from a pivot low in the tile
                    for ang, scale in claws:
                        a = math.radians(ang)
                        px0, py0 = u - 0.5, v - 0.80
                        qx = px0 * math.cos(a) + py0 * math.sin(a)
                        qy = -px0 * math.sin(a) + py0 * math.cos(a)
                        qx /= scale; qy /= scale
                        # crescent: inside the outer circle, outside the inner one
                        ox, oy, orr = 0.10, -0.30, 0.30
                        ix, iy, ir = 0.17, -0.34, 0.27
                        inside_outer = (qx - ox) ** 2 + (qy - oy) ** 2 < orr * orr
                        inside_inner = (qx - ix) ** 2 + (qy - iy) ** 2 < ir * ir
                        if inside_outer and not inside_inner and qx < 0.12 and qy < 0.0:
                            k = min(max(-qy / 0.6, 0), 1)
                            col = [claw_b[i] * (1 - k) + claw_a[i] * k for i in range(3)]
                    acc[0] += col[0]; acc[1] += col[1]; acc[2] += col[2]; acc[3] += 255
            n = ss * ss
            o = (y * size + x) * 4
            if acc[3] > 0:
                cov = acc[3] / 255
                px[o:o + 4] = bytes([int(acc[0] / cov), int(acc[1] / cov), int(acc[2] / cov), int(acc[3] / n)])
    return px

def png(size, px):
    raw = b''.join(b'\x00' + bytes(px[y * size * 4:(y + 1) * size * 4]) for y in range(size))
    def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')

sizes = [16, 32, 48, 256]
images = [png(s, render(s, 4 if s < 256 else 3)) for s in sizes]
open(sys.argv[2], 'wb').write(images[-1])
hdr = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
entries = b''; data = b''
for s, img in zip(sizes, images):
    entries += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset + len(data))
    data += img
open(sys.argv[1], 'wb').write(hdr + entries + data)
