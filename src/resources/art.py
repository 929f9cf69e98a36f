"""Pixel art of the marker pictures; '.' is transparent, letters are keys of COLOURS."""

COLOURS = {
    "K": (0, 0, 0), "W": (255, 255, 255), "S": (188, 188, 188), "s": (124, 124, 124),
    "d": (64, 64, 64), "Y": (248, 184, 0), "O": (252, 236, 160), "R": (228, 40, 40),
    "r": (136, 20, 0), "B": (0, 88, 248), "L": (60, 188, 252), "b": (172, 96, 40),
    "n": (104, 56, 16), "G": (0, 168, 0), "g": (184, 248, 24), "P": (248, 88, 152),
    "p": (104, 68, 252), "H": (252, 188, 136), "h": (120, 60, 20),
}

AXE = [
    ".SSS.nn.SSS.", "SWWWSnnSWWWS", "SWWWWnnWWWWS", "SWWWSnnSWWWS", ".SSS.nn.SSS.",
    ".....nn.....", ".....nn.....", ".....nn.....", ".....nn.....", ".....nn.....",
    ".....bb.....",
]
CROSS = [
    "....nnnn....", "....nYYn....", "....nYYn....", "nnnnnYYnnnnn", "nYYYYYYYYYYn",
    "nYYYYYYYYYYn", "nnnnnYYnnnnn", "....nYYn....", "....nYYn....", "....nYYn....",
    "....nnnn....",
]
DAGGER = [
    "..........WS", ".........WS.", "........WS..", ".......WS...", "......WS....",
    "..Y..WS.....", "...YWS......", "....YS......", "...nYY......", "..nn..Y.....",
    ".nn.........",
]
HOLY_WATER = [
    "....nnnn....", ".....WW.....", ".....WW.....", "....WLLW....", "...WLLLLW...",
    "..WLBBBBLW..", "..WBBBBBBW..", "..WBBWBBBW..", "..WBBBBBBW..", "...WBBBBW...",
    "....WWWW....",
]
WATCH = [
    ".....YY.....", "....YYYY....", "..YYWWWWYY..", ".YWWWWWWWWY.", ".YWWWKWWWWY.",
    "YWWWWKWWWWWY", "YWWWWKKKWWWY", "YWWWWWWWWWWY", ".YWWWWWWWWY.", "..YYWWWWYY..",
    "....YYYY....",
]
POTION = [
    ".....nn.....", ".....WW.....", ".....WW.....", "....W..W....", "...WPPPPW...",
    "..WPPPPPPW..", "..WPPWPPPW..", "..WPPPPPPW..", "..WPPPPPPW..", "...WPPPPW...",
    "....WWWW....",
]
ROSARY = [
    "...W.W.W....", ".W.......W..", "W.........W.", "W.........W.", ".W.......W..",
    "...W.YY.W...", ".....YY.....", "...YYYYYY...", ".....YY.....", ".....YY.....",
    ".....YY.....",
]
BAG = [
    "....nnnn....", ".....nn.....", "....nnnn....", "...nbbbbn...", "..nbbbbbbn..",
    ".nbbbbbbbbn.", ".nbbbbbbbbn.", ".nbbbbbbbbn.", ".nbbbbbbbbn.", "..nbbbbbbn..",
    "...nnnnnn...",
]
ONE_UP = [
    ".G..GG.GG.GGG.", "GG..GG.GG.GGGG", ".G..GG.GG.GG.G", ".G..GG.GG.GGGG",
    ".G..GG.GG.GGG.", ".G..GG.GG.GG..", "GGG.GGGGG.GG..",
]
BIG_HEART = [
    ".RRR....RRR.", "RRWRR..RRRRR", "RWRRRRRRRRRR", "RRRRRRRRRRRR", "RRRRRRRRRRRR",
    ".RRRRRRRRRR.", "..RRRRRRRR..", "...RRRRRR...", "....RRRR....", ".....RR.....",
]
SMALL_HEART = [".RR.RR.", "RWRRRRR", "RRRRRRR", ".RRRRR.", "..RRR..", "...R..."]

POINTS = {
    "A3": "100", "A4": "200", "A5": "400", "A6": "700", "A7": "1K", "A8": "2K", "A9": "4K",
    "AA": "7K", "AB": "10K",
}
POWER_UPS = {
    "93": AXE, "94": CROSS, "95": DAGGER, "96": HOLY_WATER, "97": WATCH, "A1": POTION,
    "A2": ROSARY, "AC": ONE_UP, "AD": BIG_HEART, "AE": SMALL_HEART,
}
POWER_UPS.update({code: BAG for code in POINTS})

CANDLE = [
    "...Y...", "..YOY..", "..YOY..", "...K...", "..WWW..", "..WWW..", "..WWW..", "..WWW..",
    "..WWW..", "..WWW..", "SSSSSSS", ".SSSSS.",
]
CANDLESTAND = [
    "...Y...", "..YOY..", "...K...", "..WWW..", "..WWW..", "SSSSSSS", ".sSSSs.", "...S...",
    "...S...", "...S...", "..SSS..", ".SSSSS.",
]
LANTERN = [
    "...sss...", "....s....", "...sss...", "..sYYYs..", ".sYYOYYs.", ".sYOOOYs.", ".sYYOYYs.",
    ".sYYYYYs.", "..sYYYs..", "...sss...", "....s....",
]
SKULL = [
    "...WWWWWW...", "..WWWWWWWW..", ".WWWWWWWWWW.", ".WWKKWWKKWW.", ".WWKKWWKKWW.",
    ".WWWWWWWWWW.", "..WWWKKWWW..", "...WWWWWW...", "...WKWKWKW..", "...WWWWWW...",
]
HOLDERS = [CANDLE, CANDLESTAND, LANTERN, SKULL]

SPECIALS = {
    "00": ["S.S.S.S.S.", "..........", "S........S", "..........", "S.S.S.S.S."],
    "01": ["bb..........", "nbbbb.......", "..nnbbbb....", "......nnbbbb", "..........nn",
           ".....ss.....", ".....ss....."],
    "02": ["bbbb..bbbb", "nnnn..nnnn", "....s.....", "....ss....", "....s.s...",
           "....s..s.."],
    "03": ["bbbbbbbbbb", "nnnnnnnnnn", "S.S.S.S.S.", "S.S.S.S.S.", "WSWSWSWSWS",
           ".W.W.W.W.W"],
    "04": ["....SSSS....", "..SSssssSS..", ".SssSSSSssS.", "SSsS....SsSS", "SsS......SsS",
           "SsS......SsS", "SsS......SsS", "SSsS....SsSS", ".SssSSSSssS.", "..SSssssSS..",
           "....SSSS...."],
    "05": ["sssssssss", "....s....", "....s....", "....s....", "....s....", "...SSS...",
           "..SWWWS..", "..SWWWS..", "...SSS..."],
    "06": ["..W...W...W.", ".WS..WS..WS.", ".SS..SS..SS.", "WSSSWSSSWSSS", "ssssssssssss"],
    "07": ["ssssssssss", "sSSSSSSSSs", "sSSSSSSSSs", "ssssssssss", "..R....R..", "..R....R..",
           ".RRR..RRR.", "..R....R.."],
    "08": ["bbbb.bbbb.", "bnnb.bnnb.", "bbbb.bbbb.", "..........", ".R....R...", ".R....R...",
           "RRR..RRR..", ".R....R..."],
    "09": ["ssssssssss", "..G....G..", "..G....G..", ".GgG..GgG.", ".GgG..GgG.", "..G....G..",
           "......G...", ".....GgG..", "......G..."],
    "0A": ["...SS...", ".SSssSS.", ".SsSSsS.", "SsS..SsS", "SsS..SsS", ".SsSSsS.", ".SSssSS.",
           "...SS..."],
    "0B": ["....R.....", "...RRR....", "....R.....", "bbbbbbbbbb", "nnnnnnnnnn", "....R.....",
           "...RRR....", "....R....."],
    "0C": ["bbbbbbbbbb", "nnnnnnnnnn", "..........", ".R......R.", "RRRRRRRRRR", ".R......R."],
    "0D": ["bbbb......", "nnnn......", "......bbbb", "......nnnn", "..........", ".R......R.",
           "RRRRRRRRRR", ".R......R."],
    "10": ["rrrrrrrrrr", "rbbbrbbbbr", "rbbbrKbbbr", "rrrrrKrrrr", "rbbKKbbrbr", "rbbbKbbrbr",
           "rrrrrrrrrr"],
    "11": ["rrrrrrr", "rbbrbbr", "rbKrbbr", "rrKKrrr", "rbbKbbr", "rbbrKbr", "rrrrrrr",
           "rbbrbbr", "rrrrrrr"],
}

# The start point's figure, facing right; the picture of the other facing is its mirror.
PLAYER = [
    "....hhhh....", "...hhhhhh...", "..hhhhhhhh..", "..hhHHHHhh..", "..hHHHKHHh..",
    "...HHHHHH...", "....HHHH....", "...bbbbbb...", "..bbbbbbbb..", ".bbbbbbbbbbH",
    ".Hbbbbbbbb.S", ".Hbbbbbbbb.S", ".H.nnnnnn..S", "...bbbbbb..S", "...bbbbbb...",
    "...bbbbbb...", "...nn..nn...", "...nn..nn...", "...nn..nn...", "...nn..nn...",
    "...nn..nn...", "...nn..nn...", "..nnn..nnn..", "..nnn..nnnn.",
]

ARROW = [
    "K...........", "KK..........", "KWK.........", "KWWK........", "KWWWK.......",
    "KWWWWK......", "KWWWWWK.....", "KWWWWWWK....", "KWWWWWWWK...", "KWWWWWWWWK..",
    "KWWWWWKKKKK.", "KWWKWWK.....", "KWK.KWWK....", "KK..KWWK....", "K....KWWK...",
    ".....KKK....",
]
