#!/usr/bin/env python3
"""make_corpus.py - writes the seed corpora of the fuzz targets into corpus/.

The seeds are the typical inputs of the tests: field definitions, panel
options, help files with operator messages, masks, lists and ranges, value
and validation files, keys and scans for whole panels, and every utility
command with good and bad arguments. Run it again after changing it; the
files it writes are kept in the repository. The transcript corpus
(tools/replay/make_corpus.py) builds on its helpers and entry seeds.
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

MESSAGES = [
    "0001 Checking", "0002 Key too long", "0003 Not in the file", "0004 Not allowed",
    "0005 Bad number", "0006 Bad prefix", "0007 File not available", "0008 Field required",
    "0009 Fill the field", "0010 Key refused", "0011 Time is up", "0012 Scan does not fit",
    "0013 No scans here", "0015 Data ID needed", "0016 Press ENTER", "0017 Bad date",
    "0018 Bad format",
]


def cmd(body):
    """A C line: the two length digits and the body."""
    return "C%02d%s" % (len(body) % 100, body)


def fixed(name, length, pieces):
    """The body of a fixed-position command; positions count from the first length digit."""
    body = list(name.ljust(length))
    for pos, text in pieces:
        at = pos - 2
        if len(body) < at + len(text):
            body.extend(" " * (at + len(text) - len(body)))
        body[at:at + len(text)] = list(text)
    return cmd("".join(body))


def help_lines(extra=()):
    return ["H" + m for m in MESSAGES] + ["H" + e for e in extra]


def script(*parts):
    lines = []
    for p in parts:
        lines.extend(p if isinstance(p, list) else [p])
    return "\n".join(lines) + "\n"


ENTRY = {}

ENTRY["panel_two_fields"] = script(
    help_lines(),
    "V40=FI=1 INPUT=NUM LEN=-5 ROW=3 COL=1 RUV=2",
    "V41=FI=2 INPUT=ALPHA LEN=8 ROW=4 COL=1 RUV=3",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"),
    "V30=REASON=9 ERET=A", cmd("EXEC_PA VAR=30"),
    "K42", "K~E", "Kabc", "K~O")

ENTRY["panel_from_help_records"] = script(
    help_lines(["0040 FI=1 INPUT=ALPHA LEN=6 ROW=2 COL=2", "0041 REASON=9 ERET=A T=30"]),
    cmd("SET_FIE HELP=40"), cmd("EXEC_PA HELP=41"), "KHELLO~O")

ENTRY["panel_decimals_dates_times"] = script(
    help_lines(),
    "T040305091500",
    "V40=FI=1 INPUT=NUM LEN=-7.2 ROW=3 COL=1 RUV=2",
    "V41=FI=2 INPUT=DATE_EURO LEN=10 ROW=4 COL=1 RUV=4",
    "V42=FI=3 INPUT=TIME_STD LEN=8 ROW=5 COL=1 RUV=5 REQ=N",
    "V43=FI=4 INPUT=DATE_AMER LEN=10 ROW=6 COL=1 RUV=6",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"), cmd("SET_FIE VAR=42"), cmd("SET_FIE VAR=43"),
    "V30=REASON=9 CNP=Y", cmd("EXEC_PA VAR=30"),
    "K-12.5~N", "K3103~N", "K12~L~R~K~N", "K1299~O", "K0229~O")

ENTRY["panel_masks_lists_ranges"] = script(
    help_lines(["0030 nn-aa*", "0031 ?n", "0040 APPLE", "0041 bbbb", "0042 PEAR", "0050 10.5", "0051 20"]),
    "V40=FI=1 INPUT=ALPHA LEN=10 ROW=3 COL=1 RUV=2 VERT=F,30",
    "V41=FI=2 INPUT=ALPHA LEN=8 ROW=4 COL=1 RUV=3 VERT=S,40,42",
    "V42=FI=3 INPUT=NUM LEN=6.2 ROW=5 COL=1 RUV=4 VERT=R,50,51",
    "V43=FI=4 INPUT=AIALPHA LEN=4 ROW=6 COL=1 RUV=5 VERT=F,31 REQ=N",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"), cmd("SET_FIE VAR=42"), cmd("SET_FIE VAR=43"),
    "V44=REASON=9", cmd("EXEC_PA VAR=44"),
    "K12-AB9~N", "KPEAR~N", "K15.25~N", "Kx1~O",
    cmd("EXEC_PA VAR=44"),
    "K1A-AB~N", "KPLUM~N", "K25~O", "K~E", "K12-CD~O", "K~E", "K~K~K~K~KAPPLE~O", "K~E", "K~K~K~K~K~K10~O")

ENTRY["panel_check_digits"] = script(
    help_lines(),
    "V40=FI=1 INPUT=ALPHA LEN=12 ROW=3 COL=1 RUV=2 VERT=B",
    "V41=FI=2 INPUT=AIALPHA LEN=12 ROW=4 COL=1 RUV=3 VERT=T12 MODE=F",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"),
    "V30=REASON=9", cmd("EXEC_PA VAR=30"),
    "K012345678903~N", "K123456789015~O",
    "V31=SF=2 T=5 TOE=T", cmd("EXEC_PA VAR=31"),
    "K012345678904~N", "K223456789015~O", "K~E", "W6000", "K~E", "K~C")

ENTRY["panel_validation_files"] = script(
    help_lines(["0020 Ask the office", "0021 about this part"]),
    "FPARTS.VAL=A1", "FPARTS.VAL=B2;C3", "FB_BAD=X9", "FB_BAD=Y8",
    "V40=FI=1 INPUT=AIALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=PARTS",
    "V41=FI=2 INPUT=AIALPHA LEN=6 ROW=4 COL=1 RUV=3 VERF=PARTS VERT=E",
    "V42=FI=3 INPUT=ALPHA LEN=6 ROW=5 COL=1 RUV=4 VERF=B_BAD VERT=e",
    "V43=FI=4 INPUT=ALPHA LEN=6 ROW=6 COL=1 RUV=5 VERF=OTHER VERT=i",
    "V12=HELP=20,21",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"), cmd("SET_FIE VAR=42"), cmd("SET_FIE VAR=43"),
    "V30=CON=Y HVR=12 REASON=9 ERET=S", cmd("EXEC_PA VAR=30"),
    "KB2~N", "KC3~N", "KQ7~N", "KQQ~O",
    cmd("EXEC_PA VAR=30"),
    "KB2~N", "KC4~N", "KX9~N", "KQQ~O", "K~E", "K~K~K5~O", "K~E", "QOTHER.VAL=16", "K~O", "K~E",
    "Q=4", "K~O", "K~E", "K~C")

ENTRY["panel_scans_and_macros"] = script(
    help_lines(),
    "V40=FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 DI=P",
    "V41=FI=2 INPUT=NUM LEN=4 ROW=4 COL=1 RUV=3 DI=Q KEEPDI=Y",
    "V42=FI=3 INPUT=AI LEN=8 ROW=5 COL=1 RUV=4 DI=SN MANDI=Y",
    "V43=FI=4 INPUT=AIALPHA LEN=5 ROW=6 COL=1 RUV=5 MODE=F",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"), cmd("SET_FIE VAR=42"), cmd("SET_FIE VAR=43"),
    "SP-discarded", "V30=REASON=9", cmd("EXEC_PA VAR=30"),
    "SQ12", "SPABC", "SSN1234", "SXYZ", "R\\x00\\x00\\x05ABCDE", "R\\x15\\x00\\x03ABC",
    "R\\x00\\x00\\xffABC", "R\\x00\\x00\\x7fAB", "R\\x00\\x00", "S$RT$", "S$LT$", "S$CLR$", "S$ENT$",
    "K1~K", "S$CAN$", "S$OK$")

ENTRY["panel_prefill_help_debug"] = script(
    help_lines(["0020 Type the part number", "0021 as printed on the box", "0050 Screen of field one"]),
    "E4",
    "V5=PREFILLED-TEXT",
    "V40=FI=1 INPUT=ALPHA LEN=10 ROW=3 COL=1 RUV=2 PUV=5 EDIT=N HELP=20,21 SCRN=50,50",
    "V41=FI=2 INPUT=PASSWORD LEN=8 ROW=4 COL=1 RUV=3 REQ=N",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"),
    "V30=MULT=Y CNP=N L=Y", cmd("EXEC_PA VAR=30"),
    "K~H", "K~E", "KX~B~B~N", "Ksecret~P", "K~O", "K~E", "E4", "K~C")

ENTRY["panel_timeouts"] = script(
    help_lines(),
    "V40=FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2",
    cmd("SET_FIE VAR=40"), "K~E",
    "V30=T=3 TOE=N REASON=9", cmd("EXEC_PA VAR=30"), "W4000",
    "V31=T=2 TOE=T REASON=9", cmd("EXEC_PA VAR=31"), "KAB", "W9000", "K~E")

ENTRY["field_definition_errors"] = script(
    help_lines(["0009 FI=2 INPUT=NUM LEN=4 ROW=1 COL=1"]),
    cmd("SET_FIE"), "K~E", cmd("SET_FIE VAR=99"), "K~E", "U7", cmd("SET_FIE VAR=7"), "K~E",
    cmd("SET_FIE HELP=77"), "K~E", cmd("SET_FIE HELP=9"), "K~E",
    "V1=FI=21 INPUT=NUM", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=3 INPUT=NOPE LEN=4", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=3 INPUT=NUM LEN=40 ROW=1 COL=1", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=3 INPUT=NUM LEN=4 ROW=0 COL=40", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=3 INPUT=NUM LEN=4 ROW=1 COL=1 VERT=Q", cmd("SET_FIE VAR=1"), "K~E",
    "V1=DI=AB12 FI=20 INPUT=Date_Euro LEN=-7.2 ROW=20 COL=39 VERT=R,10,20 MODE=F REQ=N KEEPDI=Y "
    "MANDI=Y EDIT=N RUV=19 PUV=5 VERF=PARTS HELP=3,4 SCRN=7,8", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=4 INPUT=AI LEN=5 ROW=1 COL=1 VERT=T123", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=4 INPUT=AI LEN=5 ROW=1 COL=1 VERF=TOOLONGNAME", cmd("SET_FIE VAR=1"), "K~E",
    "V1=FI=4 INPUT=AI LEN=5 ROW=1 COL=1 DI=ABCDE", cmd("SET_FIE VAR=1"), "K~E",
    cmd("set_fie var=1"), "K~E")

ENTRY["panel_option_errors"] = script(
    help_lines(),
    cmd("EXEC_PA"), "K~E", cmd("EXEC_PA VAR="), "K~E", cmd("EXEC_PA HELP=0"), "K~E",
    cmd("EXEC_PA HELP=55"), "K~E",
    "V30=TOE=Q", cmd("EXEC_PA VAR=30"), "K~E", "V30=ERET=", cmd("EXEC_PA VAR=30"), "K~E",
    "V30=CON=y", cmd("EXEC_PA VAR=30"), "K~E", "V30=HVR=9", cmd("EXEC_PA VAR=30"), "K~E",
    "V30=SF=21", cmd("EXEC_PA VAR=30"), "K~E", "V30=REASON=65536", cmd("EXEC_PA VAR=30"), "K~E",
    "V30=REASON=20", cmd("EXEC_PA VAR=30"), "K~E", "V30=", cmd("EXEC_PA VAR=30"), "K~E")

ENTRY["store_errors"] = script(
    help_lines(),
    "V40=FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2", "L2=3", "D3",
    "V41=FI=2 INPUT=ALPHA LEN=6 ROW=4 COL=1 RUV=3",
    cmd("SET_FIE VAR=40"), cmd("SET_FIE VAR=41"),
    "V30=", cmd("EXEC_PA VAR=30"), "KABCDEF~N", "KXY~O", "K~E", "K~E")

ENTRY["help_and_clear"] = script(
    "FMINE.VAL=0001 Mine", "FMINE.VAL=0016 Press it",
    cmd("SET_HEL FILE=MINE.VAL"), cmd("SET_HEL FILE= OTHER.VAL,X"), cmd("SET_HEL"), "K~E",
    cmd("SET_HEL FILE="), "K~E", cmd("SET_HEL FILE=ABCDEFGHIJKLMNOPQRST"), cmd("CLEAR_P and anything after"),
    cmd("EXEC_PA VAR=1"), "K~E")

ENTRY["counters_popup_transaction"] = script(
    fixed("DICOUNT", 21, [(10, "I"), (20, "04")]),
    fixed("DICOUNT", 32, [(10, "I"), (20, "01"), (31, "05")]),
    fixed("DICOUNT", 32, [(10, "D"), (20, "01"), (31, "05")]),
    fixed("DICOUNT", 32, [(10, "S"), (20, "01"), (31, "05")]),
    "L6=1", fixed("DICOUNT", 32, [(10, "s"), (20, "01"), (31, "06")]), "K~E",
    fixed("DICOUNT", 32, [(10, "R"), (20, "32"), (31, "05")]),
    fixed("DICOUNT", 20, [(10, "I"), (20, "1")]), "K~E",
    fixed("DICOUNT", 32, [(10, "X"), (20, "33"), (31, "99")]), "K~E",
    fixed("POPUPWN", 23, [(10, "C"), (16, "04"), (24, "N")]),
    fixed("POPUPWN", 9, [(10, "r")]),
    fixed("POPUPWN", 23, [(10, "c"), (16, "16"), (24, "Y")]),
    fixed("POPUPWN", 22, [(10, "C"), (16, "04")]), "K~E",
    fixed("POPUPWN", 23, [(10, "C"), (16, "17"), (24, "N")]), "K~E",
    fixed("POPUPWN", 9, [(10, "R")]),
    fixed("TRANMSG", 10, [(10, "n")]), fixed("TRANMSG", 10, [(10, "Y")]),
    fixed("TRANMSG", 9, [(10, "N")]), "K~E", "E0", "E2", "E1", "E7", "E-1", "N")

ENTRY["compare_and_math"] = script(
    "V5=APPLE", "V6=PEAR",
    fixed("COMPARE", 36, [(14, "05"), (18, "LT"), (25, "06"), (37, "S")]),
    fixed("COMPARE", 36, [(14, "05"), (18, "E"), (25, "06"), (37, "N")]),
    fixed("COMPARE", 35, [(14, "05"), (18, "E"), (25, "06")]), "K~E",
    fixed("COMPARE", 36, [(14, "05"), (18, "GX"), (25, "06"), (37, "A")]), "K~E",
    "V5=-2147483648", "V6=-1",
    fixed("CMP_INT", 28, [(12, "05"), (16, "GE"), (21, "06"), (30, "A")]),
    fixed("CMP_INT", 28, [(12, "05"), (16, "LX"), (21, "06"), (30, "S")]), "K~E",
    fixed("INTMATH", 21, [(12, "05"), (16, "/"), (20, "06")]),
    fixed("INTMATH", 21, [(12, "05"), (16, "*"), (20, "06")]),
    fixed("INTMATH", 21, [(12, "05"), (16, "-"), (20, "06")]),
    "V6=0", fixed("INTMATH", 21, [(12, "05"), (16, "/"), (20, "06")]), "K~E",
    fixed("INTMATH", 21, [(12, "05"), (16, "%"), (20, "06")]), "K~E", "U5",
    fixed("INTMATH", 21, [(12, "05"), (16, "+"), (20, "06")]), "K~E")

ENTRY["unique_time_wait"] = script(
    "T991231235958", "V8=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123",
    fixed("CHKUNIQ", 24, [(10, "V"), (14, "08"), (25, "1")]),
    fixed("CHKUNIQ", 24, [(10, "V"), (14, "08"), (25, "1")]),
    fixed("CHKUNIQ", 22, [(10, "R"), (23, "1")]),
    fixed("CHKUNIQ", 24, [(10, "v"), (14, "08"), (25, "7")]), "K~E",
    fixed("TM_DATE", 52, [(10, "12"), (30, "03"), (35, "AMER"), (52, "04")]),
    fixed("TM_DATE", 52, [(10, "24"), (30, "03"), (35, "euro"), (52, "04")]),
    fixed("TM_DATE", 52, [(10, "13"), (30, "03"), (35, "EURO"), (52, "04")]), "K~E",
    cmd("V_DELAY 12"), cmd("V_DELAY -3"), cmd("V_DELAY 123456"), "K~E",
    "D7", fixed("WAIT_UV", 22, [(14, "07"), (21, "5")]), "K~E",
    fixed("WAIT_UV", 22, [(14, "09"), (21, "3")]), "W1000", "V9=filled",
    fixed("WAIT_UV", 22, [(14, "10"), (21, "2")]), "W3000",
    fixed("WAIT_UV", 22, [(14, "10"), (21, "900")]), "K~C")

ENTRY["display_test_and_reset"] = script(
    "E5", "K~xABCD", "Ka", "K~E", "E4", "E4", "E0",
    "V1=FI=1 INPUT=NUM LEN=3 ROW=1 COL=1", cmd("SET_FIE VAR=1"), "K~C", "E2", cmd("SET_FIE VAR=1"),
    cmd("CLEAR"), "K~E", "C", "C9", "C\\xff\\xfeSET_FIE")

ENTRY["stop_requests"] = script(
    help_lines(),
    "V40=FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2",
    cmd("SET_FIE VAR=40"), "X", "x", cmd("EXEC_PA VAR=30"), "X",
    cmd("V_DELAY 99"), "X", fixed("WAIT_UV", 22, [(14, "10"), (21, "5")]), "X", "K~E")

LOOKUP = {}


def lookup(choices, key, image):
    return bytes([choices, len(key)]) + key + image


HELP_IMAGE = b"".join((m.encode() + b"\0") for m in MESSAGES)
LOOKUP["help_prefix"] = lookup(0x02, b"0016", HELP_IMAGE)
LOOKUP["help_missing"] = lookup(0x02, b"0014", HELP_IMAGE)
LOOKUP["values_exact"] = lookup(0x00, b"P200", b"P100\0P200\0P300\0")
LOOKUP["values_no_last_zero"] = lookup(0x00, b"P300", b"P100\0P200\0P300")
LOOKUP["unsorted"] = lookup(0x00, b"B", b"C\0\0A\0B")
LOOKUP["numbered_file"] = lookup(0x01 | (4 << 3), b"\x00\x10", HELP_IMAGE)
LOOKUP["numbered_wide"] = lookup(0x01 | (7 << 3) | 0x80, b"\x01", HELP_IMAGE)
LOOKUP["listed_file"] = lookup(0x03, b"P200", b"P100\0P200\0P300\0")
LOOKUP["checked_file"] = lookup(0x07 | 0x40, b"P250", b"P100\0P200\0P300\0")

FORMAT = {}


def fmt(size, row, col, text, values=b""):
    return bytes([size, row, col]) + text + b"\0" + values


def num(v):
    return struct.pack(">i", v)


FORMAT["key_code"] = fmt(128, 16, 0, b"Key code = 0x%X  ", num(0x1234))
FORMAT["numbers"] = fmt(80, 17, 2, b"%d|%+5i|% 05d|%-6u|%o|%x|%X|%c", b"".join(
    num(v) for v in (-2147483648, 42, -7, 4000000000 - 2**32, 8, 255, 48879, 65)))
FORMAT["texts"] = fmt(60, 18, 0, b"[%s][%10s][%-10s][%.3s][%5,2s]", b"hello\0ab\0cd\0abcdef\0xyz\0")
FORMAT["too_long"] = fmt(8, 19, 35, b"%s and more", b"a long text\0")
FORMAT["bad_width"] = fmt(40, 1, 0, b"%123d", num(5))
FORMAT["bad_precision"] = fmt(40, 0, 0, b"%.123s", b"x\0")
FORMAT["odd_directives"] = fmt(40, 0, 0, b"%lhLd%n%p%%%q%", num(1))
FORMAT["no_buffer"] = fmt(0, 5, 0, b"", b"")


def write(name, entries, binary):
    folder = os.path.join(HERE, "corpus", name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for key, content in entries.items():
        data = content if binary else content.encode("latin-1")
        with open(os.path.join(folder, key), "wb") as f:
            f.write(data)


def check_seeds():
    """The help-file check's seeds: the example's help file and the check's
    own test files; a value file B_FUZZ.VAL follows a byte 0x1E."""
    def read(*path):
        with open(os.path.join(HERE, "..", *path), "rb") as f:
            return f.read()
    tests = ("formsterm", "tests", "check")
    return {
        "receiving": read("examples", "receiving", "HELP.VAL"),
        "delivery": read(*tests, "delivery.VAL").replace(b"VERF=B_ROUTE", b"VERF=B_FUZZ")
        + b"\x1e" + read(*tests, "B_ROUTE.VAL"),
        "multi_panel": read(*tests, "multi_panel.VAL"),
    }


if __name__ == "__main__":
    write("check", check_seeds(), True)
    write("entry", ENTRY, False)
    write("lookup", LOOKUP, True)
    write("format", FORMAT, True)
