"""Small pixel canvas with a 3x5 font, and GIF89a / PNG writers (standard library only)."""

import struct
import zlib

CLEAR = None  # a transparent pixel

FONT = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"],
    "N": ["#.#", "###", "###", "#.#", "#.#"],
    "P": ["##.", "#.#", "##.", "#..", "#.."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "-": ["...", "...", "###", "...", "..."],
}


class Canvas:
    def __init__(self, w, h, ground=CLEAR):
        self.w, self.h = w, h
        self.px = [[ground] * w for _ in range(h)]

    def put(self, x, y, col):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = col

    def fill(self, x, y, w, h, col):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.put(i, j, col)

    def frame(self, x, y, w, h, col, thick=1, dash=0):
        for t in range(thick):
            for i in range(x + t, x + w - t):
                if not dash or (i // dash) % 2 == 0:
                    self.put(i, y + t, col)
                    self.put(i, y + h - 1 - t, col)
            for j in range(y + t, y + h - t):
                if not dash or (j // dash) % 2 == 0:
                    self.put(x + t, j, col)
                    self.put(x + w - 1 - t, j, col)

    def line(self, x0, y0, x1, y1, col):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, col)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, col, inner=-1.0):
        for j in range(int(cy - r) - 1, int(cy + r) + 2):
            for i in range(int(cx - r) - 1, int(cx + r) + 2):
                d = ((i - cx) ** 2 + (j - cy) ** 2) ** 0.5
                if inner < d <= r:
                    self.put(i, j, col)

    def art(self, x, y, rows, colours, scale=1):
        """Draws ASCII art; '.' and ' ' are left alone, other characters index colours."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch not in ". ":
                    self.fill(x + i * scale, y + j * scale, scale, scale, colours[ch])

    def art_centred(self, rows, colours, scale=1, box=None):
        bx, by, bw, bh = box or (0, 0, self.w, self.h)
        aw, ah = max(len(r) for r in rows) * scale, len(rows) * scale
        self.art(bx + (bw - aw) // 2, by + (bh - ah) // 2, rows, colours, scale)

    def text(self, x, y, s, col, scale=1):
        for k, ch in enumerate(s):
            self.art(x + k * 4 * scale, y, FONT[ch], {"#": col}, scale)

    def text_width(self, s, scale=1):
        return (4 * len(s) - 1) * scale

    def label(self, x, y, s, col, back):
        """Text on a backing box one pixel wider all round, so it reads over any level."""
        self.fill(x - 1, y - 1, self.text_width(s) + 2, 7, back)
        self.text(x, y, s, col)

    def mirrored(self):
        c = Canvas(self.w, self.h)
        c.px = [list(reversed(row)) for row in self.px]
        return c

    def recoloured(self, f):
        c = Canvas(self.w, self.h)
        c.px = [[f(p) if p is not CLEAR else CLEAR for p in row] for row in self.px]
        return c


def dim(col, ground=(40, 40, 40)):
    """A colour faded towards dark grey and desaturated: the "not chosen" look."""
    grey = (col[0] * 30 + col[1] * 59 + col[2] * 11) // 100
    return tuple((grey + g) // 2 for g in ground)


def _palette(canvas):
    cols, index = [], {}
    if any(p is CLEAR for row in canvas.px for p in row):
        cols.append(CLEAR)
        index[CLEAR] = 0
    for row in canvas.px:
        for p in row:
            if p not in index:
                index[p] = len(cols)
                cols.append(p)
    if len(cols) > 256:
        raise ValueError("more than 256 colours")
    return cols, index


def _lzw(indices, min_size):
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out, acc, nbits = bytearray(), 0, 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, eoi + 1, min_size + 1

    table, nxt, size = fresh()
    emit(clear, size)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w], size)
        if nxt < 4095:
            table[wk] = nxt
            if nxt == (1 << size) and size < 12:
                size += 1
            nxt += 1
        else:  # the table is full: start afresh
            emit(clear, size)
            table, nxt, size = fresh()
        w = (k,)
    if w:
        emit(table[w], size)
    emit(eoi, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif(canvas):
    cols, index = _palette(canvas)
    bits = 1
    while (1 << bits) < len(cols):
        bits += 1
    table = bytearray()
    for c in cols + [(0, 0, 0)] * ((1 << bits) - len(cols)):
        table += bytes(c if c is not CLEAR else (255, 0, 255))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", canvas.w, canvas.h, 0xF0 | (bits - 1), 0, 0)
    data += table
    if CLEAR in index:
        data += bytes([0x21, 0xF9, 4, 1, 0, 0, 0, 0])
    data += b"\x2c" + struct.pack("<HHHHB", 0, 0, canvas.w, canvas.h, 0)
    min_size = max(2, bits)
    stream = _lzw([index[p] for row in canvas.px for p in row], min_size)
    data.append(min_size)
    for i in range(0, len(stream), 255):
        chunk = stream[i : i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3b"
    return bytes(data)


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(canvas, depth=None):
    """An indexed-colour PNG; depth defaults to the smallest that holds the palette."""
    cols, index = _palette(canvas)
    if depth is None:
        depth = next(d for d in (1, 2, 4, 8) if (1 << d) >= len(cols))
    cols += [(0, 0, 0)] * ((1 << depth) - len(cols))
    raw = bytearray()
    for row in canvas.px:
        raw.append(0)
        acc, n = 0, 0
        for p in row:
            acc = (acc << depth) | index[p]
            n += depth
            if n == 8:
                raw.append(acc)
                acc, n = 0, 0
        if n:
            raw.append(acc << (8 - n))
    body = b"\x89PNG\r\n\x1a\n"
    body += _chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.w, canvas.h, depth, 3, 0, 0, 0))
    body += _chunk(b"PLTE", b"".join(bytes(c if c is not CLEAR else (0, 0, 0)) for c in cols))
    if CLEAR in index:
        body += _chunk(b"tRNS", b"\x00")
    body += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    body += _chunk(b"IEND", b"")
    return body
