#!/usr/bin/env python3
"""Draw the Varnel program icon and write it as PNG and ICO files.

The icon is a square tile of red-brown bricks in grey mortar (the texture)
with a bright yellow crosshair over its centre (the alignment mark). It uses
one fixed palette of 16 colours, so every image is 4 bits per pixel.

The design is drawn pixel by pixel, not scaled, at 16, 32 and 48 pixels, so
that each of those sizes stays crisp. The 64, 128 and 256 pixel images are the
32 pixel design enlarged by whole factors (2, 4, 8) with nearest-neighbour
sampling: the same picture, sharp on high-density screens.

Output, relative to the repository's top folder:
  resources/varnel.png             32 x 32, palette PNG, 16 colours
  resources/varnel.ico             16, 32 and 48 px entries, 4-bit BMP + AND mask,
                                   and a 256 px one as 32-bit RGBA PNG, the
                                   form Windows takes for its largest icons
  resources/icons/varnel-N.png     N = 16, 32, 48, 64, 128, 256

Only the Python standard library is used, and the output is deterministic:
no time stamps or other varying chunks are written, and the noise in the
brick faces comes from a fixed integer hash, never from a random generator.

Usage:
  python3 tools/draw_icon.py            write the files
  python3 tools/draw_icon.py --check    exit 1 if the files in the tree do not
                                        hold exactly the pixels drawn here
  python3 tools/draw_icon.py --out DIR  write below DIR instead of resources/
"""

import argparse
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Palette: 16 colours. Index 0 is the transparent colour (the rounded
# corners); in the ICO it is black with its AND-mask bit set. Entries 4 and
# 15 are not drawn with yet: room for touches without changing the palette.
# ---------------------------------------------------------------------------
TRANSPARENT = 0
OUTLINE = 1
MORTAR_DARK = 2
MORTAR = 3
MORTAR_LIGHT = 4
BRICK_SHADOW = 5
BRICK_DARK = 6
BRICK = 7
BRICK_LIGHT = 8
BRICK_HIGHLIGHT = 9
MARK_EDGE = 10
MARK = 11
MARK_BRIGHT = 12
WHITE = 13
SPECK = 14
SPARE = 15

PALETTE = [
    (0, 0, 0),  # 0 transparent
    (28, 22, 20),  # 1 outline, near black
    (92, 88, 84),  # 2 mortar shadow
    (142, 138, 132),  # 3 mortar
    (190, 186, 178),  # 4 mortar highlight
    (84, 32, 24),  # 5 brick shadow
    (124, 48, 34),  # 6 brick dark
    (160, 70, 48),  # 7 brick face
    (188, 98, 70),  # 8 brick light
    (218, 142, 108),  # 9 brick highlight
    (196, 112, 0),  # 10 mark edge, deep orange
    (255, 208, 0),  # 11 mark, yellow
    (255, 246, 150),  # 12 mark highlight
    (255, 255, 255),  # 13 white
    (104, 40, 30),  # 14 brick speckle
    (64, 60, 58),  # 15 spare dark grey
]
assert len(PALETTE) == 16


class Canvas:
    def __init__(self, size, fill=TRANSPARENT):
        self.size = size
        self.px = [[fill] * size for _ in range(size)]

    def set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        """Fill the inclusive rectangle (x0, y0)-(x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def scaled(self, factor):
        out = Canvas(self.size * factor)
        for y in range(out.size):
            src = self.px[y // factor]
            out.px[y] = [src[x // factor] for x in range(out.size)]
        return out


def hash2(x, y, seed):
    """A small fixed integer hash for the speckles in the brick faces."""
    h = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return h ^ (h >> 16)


# Per-size layout: brick row height and brick width in pixels; the
# crosshair's yellow core is 2*core pixels thick with `gap`
# pixels left open around the centre dot; bevel shades the brick faces,
# speckle sprinkles darker and lighter pixels in them, outline draws a dark
# edge round the crosshair.
LAYOUT = {
    16: dict(row=4, brick=8, core=1, gap=0, bevel=False, speckle=False, outline=False),
    32: dict(row=8, brick=16, core=2, gap=2, bevel=True, speckle=True, outline=True),
    48: dict(row=12, brick=24, core=3, gap=3, bevel=True, speckle=True, outline=True),
}


def draw_bricks(cv, lay):
    s = cv.size
    row, bw = lay["row"], lay["brick"]
    for y in range(s):
        r = y // row
        yy = y % row
        offset = 0 if r % 2 == 0 else bw // 2
        for x in range(s):
            xx = (x + offset) % bw
            if yy == 0:
                cv.set(x, y, MORTAR)  # bed joint
                continue
            if xx == 0:
                # Head joint: in the shade of the brick to its left.
                cv.set(x, y, MORTAR_DARK if lay["bevel"] else MORTAR)
                continue
            c = BRICK
            if lay["bevel"]:
                # Lit from the top left: light top and left edges, dark
                # bottom and right edges, one bright corner pixel.
                if yy == 1 or xx == 1:
                    c = BRICK_LIGHT
                if yy == row - 1 or xx == bw - 1:
                    c = BRICK_DARK
                if yy == 1 and xx == 1:
                    c = BRICK_HIGHLIGHT
            else:
                if yy == row - 1:
                    c = BRICK_DARK
            if lay["speckle"] and c == BRICK:
                h = hash2(x, y, s) % (23 if s <= 32 else 41)
                if h == 0:
                    c = SPECK
                elif h == 1:
                    c = BRICK_LIGHT
            cv.set(x, y, c)


def draw_crosshair(cv, lay):
    s = cv.size
    c0 = s // 2 - lay["core"]  # first column/row of the yellow core
    c1 = s // 2 + lay["core"] - 1  # last
    gap = lay["gap"]
    margin = 2 if s >= 32 else 1  # distance of the arms' ends from the edge
    lo, hi = margin, s - 1 - margin
    g0, g1 = c0 - gap, c1 + gap  # the open centre

    def arm_pixels():
        # Vertical arm, above and below the centre gap.
        for y in list(range(lo, g0)) + list(range(g1 + 1, hi + 1)):
            for x in range(c0, c1 + 1):
                yield x, y
        # Horizontal arm.
        for x in list(range(lo, g0)) + list(range(g1 + 1, hi + 1)):
            for y in range(c0, c1 + 1):
                yield x, y

    core = set(arm_pixels())
    # A centre dot marks the exact point (with no gap it joins the arms).
    dot = {(x, y) for x in range(c0, c1 + 1) for y in range(c0, c1 + 1)}
    core |= dot
    # Dark outline one pixel around the mark, for contrast on any brick.
    outline = set()
    for x, y in core:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in core:
                    outline.add(p)
    if lay["outline"]:
        for x, y in outline:
            cv.set(x, y, OUTLINE)
    for x, y in core:
        cv.set(x, y, MARK)
    # Shade the yellow: its top/left pixels bright, bottom/right edge orange.
    if s >= 32:
        for x, y in core:
            if (x, y - 1) not in core or (x - 1, y) not in core:
                cv.set(x, y, MARK_BRIGHT)
            elif (x, y + 1) not in core or (x + 1, y) not in core:
                cv.set(x, y, MARK_EDGE)
        for x, y in dot:
            cv.set(x, y, WHITE if (x, y) == (c0, c0) else cv.get(x, y))


def draw_frame(cv):
    s = cv.size
    for i in range(s):
        cv.set(i, 0, OUTLINE)
        cv.set(i, s - 1, OUTLINE)
        cv.set(0, i, OUTLINE)
        cv.set(s - 1, i, OUTLINE)
    # Rounded corners: the corner pixel is transparent, and at 32 px and more
    # the outline steps in by one pixel.
    corners = [(0, 0), (s - 1, 0), (0, s - 1), (s - 1, s - 1)]
    for cx, cy in corners:
        cv.set(cx, cy, TRANSPARENT)
        if s >= 32:
            sx = 1 if cx == 0 else -1
            sy = 1 if cy == 0 else -1
            cv.set(cx + sx, cy, TRANSPARENT)
            cv.set(cx, cy + sy, TRANSPARENT)
            cv.set(cx + sx, cy + sy, OUTLINE)


def draw(size):
    lay = LAYOUT[size]
    cv = Canvas(size)
    draw_bricks(cv, lay)
    draw_crosshair(cv, lay)
    draw_frame(cv)
    return cv


def images():
    """Every output image, by size."""
    base = {s: draw(s) for s in LAYOUT}
    out = dict(base)
    for f in (2, 4, 8):
        out[32 * f] = base[32].scaled(f)
    return out


# ---------------------------------------------------------------------------
# PNG: colour type 3 (palette), 4 bits per pixel, tRNS makes index 0 clear.
# ---------------------------------------------------------------------------
def png_chunk(tag, data):
    return (struct.pack(">I", len(data)) + tag + data
            + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))


def pack_4bit(row):
    out = bytearray()
    for i in range(0, len(row), 2):
        hi = row[i]
        lo = row[i + 1] if i + 1 < len(row) else 0
        out.append((hi << 4) | lo)
    return bytes(out)


def png_bytes(cv):
    s = cv.size
    raw = b"".join(b"\x00" + pack_4bit(r) for r in cv.px)  # filter 0 per row
    ihdr = struct.pack(">IIBBBBB", s, s, 4, 3, 0, 0, 0)
    plte = b"".join(struct.pack("BBB", *c) for c in PALETTE)
    trns = b"\x00"  # index 0 fully transparent, the rest opaque
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", ihdr)
            + png_chunk(b"PLTE", plte)
            + png_chunk(b"tRNS", trns)
            + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def png_decode(data):
    """Read back a PNG written by png_bytes: (size, palette, pixel rows)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, chunks = 8, {}
    while pos < len(data):
        (n,) = struct.unpack(">I", data[pos:pos + 4])
        tag = data[pos + 4:pos + 8]
        chunks.setdefault(tag, b"")
        chunks[tag] += data[pos + 8:pos + 8 + n]
        pos += 12 + n
    w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    if (depth, ctype, interlace) != (4, 3, 0) or w != h:
        raise ValueError("not a square 4-bit palette PNG")
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = (w + 1) // 2 + 1
    rows = []
    for y in range(h):
        line = raw[y * stride:(y + 1) * stride]
        if line[0] != 0:
            raise ValueError("unexpected PNG row filter")
        px = []
        for b in line[1:]:
            px += [b >> 4, b & 15]
        rows.append(px[:w])
    pal = [tuple(chunks[b"PLTE"][i:i + 3]) for i in range(0, len(chunks[b"PLTE"]), 3)]
    return w, pal, rows, chunks.get(b"tRNS", b"")


# ---------------------------------------------------------------------------
# ICO: 4-bit BMP entries (BITMAPINFOHEADER, 16-entry colour table, XOR
# bitmap, AND mask; rows bottom-up, each padded to 4 bytes).
# ---------------------------------------------------------------------------
def bmp_entry(cv):
    s = cv.size
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 4, 0, 0, 0, 0, 16, 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((s * 4 + 31) // 32) * 4
    and_stride = ((s + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(s - 1, -1, -1):
        row = cv.px[y]
        line = pack_4bit(row)
        xor += line + b"\x00" * (xor_stride - len(line))
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    body = header + table + bytes(xor) + bytes(mask)
    # biSizeImage: the XOR and AND bitmaps together.
    body = body[:20] + struct.pack("<I", len(xor) + len(mask)) + body[24:]
    return body


def ico_bytes(canvases):
    count = len(canvases)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    bodies = []
    for cv in canvases:
        body = bmp_entry(cv)
        s = cv.size
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
        bodies.append(body)
    return out + b"".join(bodies)


def png_rgba_bytes(cv):
    """The image as 8-bit RGBA PNG (colour type 6), index 0 clear."""
    s = cv.size
    rgba = [PALETTE[c] + ((0,) if c == TRANSPARENT else (255,)) for c in range(len(PALETTE))]
    raw = b"".join(b"\x00" + b"".join(struct.pack("BBBB", *rgba[c]) for c in r) for r in cv.px)
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", s, s, 8, 6, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def windows_ico_bytes(imgs):
    """The 16, 32 and 48 px BMP entries followed by a 256 px PNG entry."""
    small = ico_bytes([imgs[16], imgs[32], imgs[48]])
    png = png_rgba_bytes(imgs[256])
    # Each BMP entry's offset grows by the directory entry added for the PNG.
    out = struct.pack("<HHH", 0, 1, 4) + b"".join(
        small[6 + 16 * i:18 + 16 * i] + struct.pack("<I", struct.unpack(
            "<I", small[18 + 16 * i:22 + 16 * i])[0] + 16) for i in range(3))
    out += struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), len(small) + 16)
    return out + small[6 + 16 * 3:] + png


def outputs():
    imgs = images()
    files = {"varnel.png": png_bytes(imgs[32]),
             "varnel.ico": windows_ico_bytes(imgs)}
    for s in (16, 32, 48, 64, 128, 256):
        files[f"icons/varnel-{s}.png"] = png_bytes(imgs[s])
    return imgs, files


def check(root):
    """Compare the pixels of the files in the tree with a fresh drawing."""
    imgs, _ = outputs()
    bad = []
    def same_png(name, cv):
        try:
            with open(os.path.join(root, name), "rb") as f:
                w, pal, rows, trns = png_decode(f.read())
        except (OSError, ValueError, zlib.error) as e:
            return f"{name}: {e}"
        if w != cv.size or pal != PALETTE or rows != cv.px or trns != b"\x00":
            return f"{name}: differs from the drawing"
        return None
    for s in (16, 32, 48, 64, 128, 256):
        bad.append(same_png(f"icons/varnel-{s}.png", imgs[s]))
    bad.append(same_png("varnel.png", imgs[32]))
    try:
        with open(os.path.join(root, "varnel.ico"), "rb") as f:
            if f.read() != windows_ico_bytes(imgs):
                bad.append("varnel.ico: differs from the drawing")
    except OSError as e:
        bad.append(f"varnel.ico: {e}")
    bad = [b for b in bad if b]
    for b in bad:
        print(b, file=sys.stderr)
    return not bad


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(os.path.dirname(here), "resources")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=default_out, help="folder to write (resources/)")
    ap.add_argument("--check", action="store_true",
                    help="only check that the files match the drawing")
    args = ap.parse_args()
    if args.check:
        ok = check(args.out)
        print("icon files match the drawing" if ok else "icon files are stale: run tools/draw_icon.py")
        return 0 if ok else 1
    _, files = outputs()
    for name, data in files.items():
        path = os.path.join(args.out, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print(f"wrote {os.path.relpath(path)} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
