#!/usr/bin/env python3
"""Writes the embedded pictures, drag icons, button pictures and template tables into data/.

The files it writes are committed: the build embeds them and never runs this script. Run it
again after changing a design:  python3 src/resources/make_pictures.py
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pixelart import CLEAR, Canvas, dim, gif, png  # noqa: E402
import art  # noqa: E402
import buttons  # noqa: E402
import templates  # noqa: E402

BLACK, WHITE, GREY, DGREY = (0, 0, 0), (255, 255, 255), (124, 124, 124), (64, 64, 64)
TEXT = (255, 231, 163)  # the program's text colour: marks what is chosen
RED = (219, 43, 0)
CYAN = (60, 188, 252)
GREEN = (88, 216, 84)

PU_CODES = ["93", "94", "95", "96", "97"] + ["A%X" % i for i in range(1, 15)]
AN_CODES = ["%02X" % t for t in range(0x0E)] + ["10", "11"]


def power_up(code, chosen):
    c = Canvas(32, 32)
    c.art_centred(art.POWER_UPS[code], art.COLOURS, 2, (0, 1, 32, 23))
    if code in art.POINTS:
        value = art.POINTS[code]
        c.text(16 - c.text_width(value) // 2, 12, value, WHITE)
    if not chosen:
        c = c.recoloured(dim)
    else:
        c.frame(0, 0, 32, 32, TEXT)
    c.label(16 - c.text_width(code) // 2, 25, code, WHITE if chosen else GREY, BLACK)
    return c


def holder_kind(kind, chosen):
    c = Canvas(32, 32)
    c.art_centred(art.HOLDERS[kind], art.COLOURS, 2, (2, 2, 28, 28))
    if not chosen:
        c = c.recoloured(dim)
        c.frame(0, 0, 32, 32, DGREY)
    else:
        c.frame(0, 0, 32, 32, TEXT, 2)
    return c


def holder_proposal(kind, w, h, scale):
    c = Canvas(w, h)
    c.art_centred(art.HOLDERS[kind], art.COLOURS, scale)
    c.frame(0, 0, w, h, CYAN, 1, 2)
    return c


def special(code):
    c = Canvas(32, 32)
    if code == "--":
        c.frame(0, 0, 32, 32, GREY, 1, 3)
    else:
        c.frame(0, 0, 32, 32, GREEN)
        c.art_centred(art.SPECIALS[code], art.COLOURS, 2, (1, 1, 30, 22))
    c.label(16 - c.text_width(code) // 2, 25, code, WHITE, BLACK)
    return c


def enemy_marker(text, colour, dash):
    c = Canvas(32, 32)
    c.frame(0, 0, 32, 32, colour, 2, dash)
    c.label(3, 3, text, WHITE, colour)
    return c


def staircase(kind):
    c = Canvas(16, 16)
    for step in range(5):  # steps rising to the right, mirrored for the odd kinds
        c.fill(step * 3, 13 - step * 3, 3, 3 + step * 3, art.COLOURS["s"])
        c.fill(step * 3, 13 - step * 3, 3, 1, art.COLOURS["W"])
    if kind >= 2:  # the kinds 8 and 12 lead downwards: drawn upside down
        c.px.reverse()
    if kind % 2:
        c = c.mirrored()
    tx = 1 if kind % 2 == 0 else 12
    ty = 1 if kind < 2 else 10
    c.label(tx, ty, str(kind), WHITE, BLACK)
    return c


def door(n):
    c = Canvas(8, 48)
    wood = art.COLOURS["b"] if n == 1 else art.COLOURS["p"]
    c.frame(0, 0, 8, 48, wood)
    for y in range(10, 46, 4):
        c.fill(1, y, 6, 1, wood)
    c.fill(5, 26, 1, 2, art.COLOURS["Y"])
    c.label(2, 2, str(n), WHITE, BLACK)
    return c


def player():
    c = Canvas(32, 64)
    c.art_centred(art.PLAYER, art.COLOURS, 2)
    return c


def segment(full):
    c = Canvas(10, 19, BLACK)
    if full:
        c.fill(2, 1, 7, 17, RED)
    else:
        c.fill(2, 1, 7, 17, WHITE)
        c.fill(4, 4, 3, 11, BLACK)
    return c


def null_picture():
    c = Canvas(75, 75, BLACK)
    c.frame(0, 0, 75, 75, DGREY, 2)
    c.line(4, 4, 70, 70, DGREY)
    c.line(4, 70, 70, 4, DGREY)
    return c


def digit(n):
    c = Canvas(16, 16)
    c.text(4, 0, str(n), WHITE, 3)
    return c


def flag(release):
    c = Canvas(16, 16)
    if release == 0:
        for y in range(2, 14):
            c.fill(0, y, 16, 1, RED if (y // 2) % 2 else WHITE)
        c.fill(0, 2, 7, 6, (0, 60, 200))
        for x, y in ((1, 3), (3, 3), (5, 3), (2, 5), (4, 5), (1, 6), (5, 6)):
            c.put(x, y, WHITE)
    else:
        c.fill(0, 2, 16, 12, WHITE)
        c.frame(0, 2, 16, 12, GREY)
        c.disc(7.5, 7.5, 3.6, RED)
    return c


def pictures():
    """The 88 GIF pictures by resource name."""
    p = {"AKU0": flag(0), "AKU1": flag(1), "AN": special("--")}
    for code in AN_CODES:
        p["AN" + code] = special(code)
    for k in range(4):
        p["CA%d" % k] = holder_kind(k, True)
        p["CA%d0" % k] = holder_kind(k, False)
    p["CURSOR"] = Canvas(16, 16)
    p["CURSOR"].art(0, 0, art.ARROW, art.COLOURS)
    p["DOOR"], p["DOOR2"] = door(1), door(2)
    p["EN"] = enemy_marker("EN", RED, 0)
    p["EN2"] = enemy_marker("EN2", (200, 76, 12), 0)
    p["ENP"] = enemy_marker("ENP", RED, 4)
    p["ENP2"] = enemy_marker("ENP2", (200, 76, 12), 4)
    p["M0"], p["M1"] = segment(False), segment(True)
    p["NULL"] = null_picture()
    p["POS0"] = holder_proposal(0, 16, 32, 2)
    p["POS1"] = holder_proposal(1, 32, 64, 4)
    p["POS2"] = holder_proposal(2, 32, 32, 2)
    for code in PU_CODES:
        p["PU_" + code] = power_up(code, False)
        p["PU" + code] = power_up(code, True)
    for n in range(4):
        p["Q%d" % n] = digit(n)
        p["S%d" % n] = staircase(n)
    p["TREVOR"] = player()
    p["ROVERT"] = p["TREVOR"].mirrored()
    return p


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    os.makedirs(out, exist_ok=True)
    files = {name + ".gif": gif(c) for name, c in pictures().items()}
    files["ANIM0.txt"] = templates.table(False)
    files["ANIM1.txt"] = templates.table(True)
    for name, c in buttons.drag_icons().items():
        files[name + ".png"] = png(c, 4 if name == "PAINT" else 1)
    for name, c in buttons.buttons().items():
        files[name + ".png"] = png(c)
    for old in os.listdir(out):
        if old not in files:
            os.remove(os.path.join(out, old))
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print("wrote %d files into %s" % (len(files), out))


if __name__ == "__main__":
    main()
