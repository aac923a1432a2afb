#!/usr/bin/env python3
"""Draws the Tunelift icon (64 x 64, 24 bits): a note lifted by an arrow on a blue tile.

Writes ui/tunelift.ico. Run it again after changing the drawing; the .ico is committed.
"""
import struct, math, pathlib

N = 64
SS = 4  # supersampling per axis


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def shape(x, y):
    """Colour at a point, or None outside the tile."""
    if not inside_round_rect(x, y, 1, 1, 63, 63, 12):
        return None
    t = y / 64.0
    bg = (int(30 + 20 * t), int(90 + 40 * t), int(200 - 30 * t))
    white = (250, 250, 250)
    orange = (255, 170, 40)
    # Note head (tilted ellipse), stem and flag.
    hx, hy = x - 24, y - 46
    a = math.radians(-25)
    ex, ey = hx * math.cos(a) - hy * math.sin(a), hx * math.sin(a) + hy * math.cos(a)
    if (ex / 8.5) ** 2 + (ey / 6) ** 2 <= 1:
        return white
    if 29.5 <= x <= 33.5 and 14 <= y <= 45:
        return white
    if 33.5 <= x <= 44 and 14 <= y <= 30 and (y - 14) <= 0.9 * (44 - x) + 4 and (y - 14) >= 0.9 * (x - 33.5) - 2:
        return white
    # Arrow lifting to the right: shaft and head.
    if 48 <= x <= 53 and 26 <= y <= 52:
        return orange
    if 16 <= y <= 27 and abs(x - 50.5) <= (y - 15) * 0.75:
        return orange
    return bg


def main():
    pixels = []
    mask = []
    for py in range(N):
        row, mrow = [], []
        for px in range(N):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SS):
                for sx in range(SS):
                    c = shape(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits == 0:
                row.append((255, 255, 255))
                mrow.append(1)
            else:
                # Blend the edge against white, the usual window background.
                cov = hits / (SS * SS)
                col = [acc[i] / hits * cov + 255 * (1 - cov) for i in range(3)]
                row.append(tuple(int(round(v)) for v in col))
                mrow.append(0 if cov > 0.3 else 1)
        pixels.append(row)
        mask.append(mrow)

    xor = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b in row:
            xor += bytes((b, g, r))
    andm = bytearray()
    for mrow in reversed(mask):
        bits = 0
        out = bytearray()
        for i, m in enumerate(mrow):
            bits = (bits << 1) | m
            if i % 8 == 7:
                out.append(bits)
                bits = 0
        andm += out  # 64 bits = 8 bytes, already 32-bit aligned
    header = struct.pack('<IiiHHIIiiII', 40, N, N * 2, 1, 24, 0, len(xor) + len(andm), 0, 0, 0, 0)
    image = header + xor + andm
    ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', N, N, 0, 0, 1, 24, len(image), 22) + image
    out = pathlib.Path(__file__).resolve().parent.parent / 'ui' / 'tunelift.ico'
    out.write_bytes(ico)
    print(f'wrote {out} ({len(ico)} bytes)')


if __name__ == '__main__':
    main()
