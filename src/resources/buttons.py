"""The drag icons PAINT and EMPTY and the pictures of the main window's picture buttons."""

from pixelart import Canvas
import art

C = art.COLOURS

BRUSH = [
    "......................KKK", ".....................KnnK", "....................KnbnK",
    "...................KnbnK.", "..................KnbnK..", ".................KnbnK...",
    "................KnbnK....", "...............KnbnK.....", "..............KnbnK......",
    ".............KnbnK.......", "............KnbnK........", "...........KsSsK.........",
    "..........KsSWsK.........", ".........KsSWsK..........", "........KYYsK............",
    ".......KYYYYK............", "......KRYYYK.............", ".....KRRRYK..............",
    "....KRRRRK...............", "...KRRRRK................", "..KRRRK..................",
    ".KRRK....................", "KRK......................", "KK.......................",
]

PAINT_HOTSPOT = (0, 31)  # the tip of the brush


def drag_icons():
    paint = Canvas(32, 32)
    paint.art(0, 8, BRUSH, C)
    return {"PAINT": paint, "EMPTY": Canvas(32, 32)}


def _swatches(c, x, y, cols, size=5):
    for k, col in enumerate(cols):
        c.fill(x + (k % 2) * (size + 1), y + (k // 2) * (size + 1), size, size, col)
        c.frame(x + (k % 2) * (size + 1) - 1, y + (k // 2) * (size + 1) - 1, size + 2, size + 2,
                C["K"])


def _tiles(c, x, y, n, size):
    for j in range(n):
        for i in range(n):
            c.frame(x + i * size, y + j * size, size + 1, size + 1, C["K"])
            if (i + j) % 2 == 0:
                c.fill(x + i * size + 1, y + j * size + 1, size - 1, size - 1, C["s"])


def buttons():
    b = {}
    c = Canvas(25, 25)
    _tiles(c, 2, 2, 4, 5)
    b["BTN_PATTERN"] = c
    c = Canvas(25, 25)
    _swatches(c, 3, 3, [C["B"], C["R"], C["G"], C["Y"]], 8)
    b["BTN_PALETTES"] = c
    c = Canvas(25, 25)
    for k, h in enumerate((5, 9, 13, 19)):
        c.fill(3 + k * 5, 22 - h, 4, h, (219, 43, 0))
        c.frame(2 + k * 5, 21 - h, 6, h + 2, C["K"])
    b["BTN_DAMAGE"] = c
    c = Canvas(25, 25)
    c.fill(8, 4, 2, 14, C["K"])
    c.fill(18, 2, 2, 14, C["K"])
    c.fill(8, 3, 12, 3, C["K"])
    c.disc(6.5, 18.5, 3.2, C["K"])
    c.disc(16.5, 16.5, 3.2, C["K"])
    b["BTN_BGM"] = c
    c = Canvas(25, 25)
    c.art(1, 13, art.BIG_HEART, C)  # starting hearts and lives
    c.art(14, 1, ["..KKK..", "..KKK..", "...K...", "KKKKKKK", "..KKK..", "..KKK..", ".K...K.",
                  ".K...K.", "K.....K"], C)
    b["BTN_MISC"] = c
    c = Canvas(25, 25)
    c.art(6, 1, art.SKULL, C)
    _swatches(c, 3, 13, [C["R"], C["P"]], 7)
    c.fill(19, 13, 4, 7, C["L"])
    c.frame(18, 12, 6, 9, C["K"])
    b["BTN_EPAL"] = c
    c = Canvas(25, 25)
    _tiles(c, 2, 2, 3, 7)
    c.art(6, 7, art.SKULL, C)
    b["BTN_EPAT"] = c
    return b
