#!/usr/bin/env python3
"""make_corpus.py - writes the transcript corpus's generated scripts into
tests/alike/corpus/ (the files named gen-*).

The scripts are in the entry fuzz target's form (fuzz/script.h). Families:
each command with good arguments and with each of its error codes, every
function code, every editor key on every input kind, every verify kind,
every panel ending, and every buffer at its limit and one past it (field
numbers, rows, columns, lengths, 40-character values, one-character
fields, 255-character user variables read by each command, message ranges
longer than a popup shows, counters, recent-value lists, group keys,
sensor records, command strings). Beside them the corpus holds the entry
fuzz seeds (seed-*) and what fuzzing found that adds coverage (fuzz-*);
./dev alike-corpus rebuilds it. Run this again after changing it.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "fuzz"))
from make_corpus import ENTRY, cmd, fixed, help_lines, script  # noqa: E402

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "alike", "corpus")
SCRIPTS = {}

INPUT_KINDS = ["AI", "AIALPHA", "ALPHA", "NUM", "AINUM", "DATE_AMER", "DATE_EURO", "TIME_STD", "PASSWORD"]
KEYS = {"enter": "~E", "cancel": "~C", "previous": "~P", "complete": "~O", "blank": "~B", "next": "~N",
        "left": "~L", "right": "~R", "backspace": "~K", "help": "~H"}
HELP_TEXTS = ["0020 Help line one", "0021 Help line two", "0030 nn-aa*", "0040 APPLE", "0041 PEAR",
              "0042 PLUM", "0050 10", "0051 200"]


def flat(parts):
    for part in parts:
        if isinstance(part, (list, tuple)):
            yield from flat(part)
        else:
            yield part


def add(name, *parts):
    SCRIPTS["gen-" + name] = script(list(flat(parts)))


def field(number, definition, var=40):
    """Defines a field through user variable var."""
    return ["V%d=FI=%d %s" % (var, number, definition), cmd("SET_FIE VAR=%d" % var)]


def panel(options, var=30):
    return ["V%d=%s" % (var, options), cmd("EXEC_PA VAR=%d" % var)]


def one_field_panel(definition, options, *inputs):
    return [help_lines(HELP_TEXTS)] + field(1, definition) + panel(options) + list(inputs)


# ---- function codes and the dispatcher ----
for code in ["0", "1", "2", "3", "4", "5", "6", "-1", "2147483647", "-2147483648"]:
    add("code-%s" % code.replace("-", "m"), "E" + code, "K~E", "Kx", "K~E", "E" + code, "K~E")
add("code-missing-string", "N", "C", "C9", "C0", "K~E")
add("code-debug-twice", help_lines(), "E4", field(1, "INPUT=ALPHA LEN=4 ROW=2 COL=1"), "E4",
    panel("REASON=9"), "KAB~O")
add("code-reset-banner", help_lines(), field(1, "INPUT=ALPHA LEN=4 ROW=2 COL=1"), "E0",
    field(2, "INPUT=ALPHA LEN=4 ROW=3 COL=1"), "E2", field(3, "INPUT=NUM LEN=4 ROW=4 COL=1"))
add("code-banner-cancelled", "K~C", field(1, "INPUT=ALPHA LEN=4 ROW=2 COL=1"))
for name in ["DICOUNT", "POPUPWN", "COMPARE", "CMP_INT", "INTMATH", "CHKUNIQ", "TM_DATE", "TRANMSG",
             "V_DELAY", "CLEAR_P", "SET_FIE", "EXEC_PA", "SET_HEL", "WAIT_UV"]:
    add("name-short-%s" % name.lower(), cmd(name[:6]), "K~E", cmd(name.lower()), "K~E", "X")
add("name-unknown", cmd("NOTHING"), "K~E", cmd("CLEAR"), "K~E", cmd("SET_FIELD VAR=1"), "K~E")

# ---- command strings at their limits ----
for length in [158, 159, 160, 161, 200]:
    body = "SET_FIE VAR=40 " + "x" * (length - 15)
    add("string-long-%d" % length, "V40=FI=1 INPUT=NUM LEN=3 ROW=1 COL=1", "C99" + body, "K~E",
        "C99" + "EXEC_PA VAR=41 " + "y" * (length - 15), "K~E")
for digits in ["00", "-1", "+9", " 9", "ab", "99"]:
    add("string-digits-%s" % digits.replace(" ", "b").replace("-", "m").replace("+", "p"),
        "C" + digits + "TRANMSG Y", "K~E", "C" + digits + "V_DELAY 1", "K~E")

# ---- field definitions: every keyword, its errors and its limits ----
GOOD = "INPUT=ALPHA LEN=6 ROW=3 COL=1"
FIELD_CASES = {
    "source-none": [cmd("SET_FIE")], "source-var-empty": [cmd("SET_FIE VAR=")],
    "source-var-unreadable": ["U7", cmd("SET_FIE VAR=7")], "source-var-missing": ["D7", cmd("SET_FIE VAR=7")],
    "source-help-0": [cmd("SET_FIE HELP=0")], "source-help-10000": [cmd("SET_FIE HELP=10000")],
    "source-help-9999": ["H9999 FI=1 " + GOOD, cmd("SET_FIE HELP=9999")],
    "source-help-missing": [cmd("SET_FIE HELP=77")], "source-help-empty": [cmd("SET_FIE HELP=")],
    "source-help-short": ["H0077", cmd("SET_FIE HELP=77")],
    "fi-missing": ["V40=" + GOOD, cmd("SET_FIE VAR=40")], "fi-empty": ["V40=FI= ", cmd("SET_FIE VAR=40")],
    "fi-0": ["V40=FI=0 " + GOOD, cmd("SET_FIE VAR=40")], "fi-20": field(20, GOOD), "fi-21": field(21, GOOD),
    "fi-25": field(25, GOOD),
    "input-missing": field(1, "LEN=4 ROW=1 COL=1"), "input-empty": field(1, "INPUT= "),
    "input-bad": field(1, "INPUT=NUMBER LEN=4 ROW=1 COL=1"), "input-case": field(1, "INPUT=alpha LEN=4 ROW=1 COL=1"),
    "len-missing": field(1, "INPUT=NUM ROW=1 COL=1"), "len-empty": field(1, "INPUT=NUM LEN= "),
    "len-0": field(1, "INPUT=NUM LEN=0 ROW=1 COL=1"), "len-39": field(1, "INPUT=NUM LEN=39 ROW=1 COL=1"),
    "len-40": field(1, "INPUT=NUM LEN=40 ROW=1 COL=1"), "len-m39": field(1, "INPUT=NUM LEN=-39 ROW=1 COL=1"),
    "len-m40": field(1, "INPUT=NUM LEN=-40 ROW=1 COL=1"), "len-comma": field(1, "INPUT=NUM LEN=5,2 ROW=1 COL=1"),
    "len-dot": field(1, "INPUT=NUM LEN=5. ROW=1 COL=1"),
    "row-missing": field(1, "INPUT=NUM LEN=4 COL=1"), "row-empty": field(1, "INPUT=NUM LEN=4 ROW= "),
    "row-0": field(1, "INPUT=NUM LEN=4 ROW=0 COL=1"), "row-20": field(1, "INPUT=NUM LEN=4 ROW=20 COL=1"),
    "row-21": field(1, "INPUT=NUM LEN=4 ROW=21 COL=1"),
    "col-missing": field(1, "INPUT=NUM LEN=4 ROW=1"), "col-empty": field(1, "INPUT=NUM LEN=4 ROW=1 COL= "),
    "col-0": field(1, "INPUT=NUM LEN=4 ROW=1 COL=0"), "col-39": field(1, "INPUT=NUM LEN=4 ROW=1 COL=39"),
    "col-40": field(1, "INPUT=NUM LEN=4 ROW=1 COL=40"),
    "vert-empty": field(1, GOOD + " VERT= "), "vert-bad": field(1, GOOD + " VERT=Q"),
    "vert-f-missing": field(1, GOOD + " VERT=F"), "vert-f-0": field(1, GOOD + " VERT=F,0"),
    "vert-f-10000": field(1, GOOD + " VERT=F,10000"), "vert-r-missing": field(1, GOOD + " VERT=R,10"),
    "vert-r-10000": field(1, GOOD + " VERT=R,10,10000"), "vert-r-joined": field(1, GOOD + " VERT=R10,20"),
    "vert-t-4": field(1, GOOD + " VERT=T123"), "vert-t-3": field(1, GOOD + " VERT=T12"),
    "puv-unreadable": ["U8"] + field(1, GOOD + " PUV=8"), "di-from-mandi": field(1, GOOD + " MANDI=Y"),
    "lower-keywords": field(1, "input=NUM len=4 row=1 col=1"),
    "separators": field(1, "INPUT==NUM LEN= ,4 ROW=,1 COL= 1"),
}
# Optional keywords: each without a value, and with the values named.
FIELD_VALUES = {"MODE": ["v"], "REQ": ["y"], "KEEPDI": ["X"], "MANDI": ["X"], "EDIT": ["X"],
                "RUV": ["0", "19", "20"], "PUV": [], "VERF": ["ABCDEFGH", "ABCDEFGHI"],
                "HELP": ["20", "0,1", "1,10000"], "SCRN": ["20", "10000,1", "1,0"], "DI": ["ABCD", "ABCDE"]}
for keyword, values in FIELD_VALUES.items():
    FIELD_CASES["%s-empty" % keyword.lower()] = field(1, GOOD + " %s= " % keyword)
    for value in values:
        FIELD_CASES["%s-%s" % (keyword.lower(), value.lower().replace(",", "-"))] = field(
            1, GOOD + " %s=%s" % (keyword, value))
for name, lines in FIELD_CASES.items():
    add("fie-" + name, help_lines(), lines, "K~E", "K~E")

# ---- panel options: every keyword, its errors and its limits ----
PANEL_CASES = {
    "source-none": [cmd("EXEC_PA TOE=N")], "source-var-empty": [cmd("EXEC_PA VAR=")],
    "source-var-unreadable": ["U31", cmd("EXEC_PA VAR=31")], "source-help-0": [cmd("EXEC_PA HELP=0")],
    "source-help-10000": [cmd("EXEC_PA HELP=10000")], "source-help-missing": [cmd("EXEC_PA HELP=55")],
    "source-help-record": ["H0055 REASON=9", cmd("EXEC_PA HELP=55"), "KAB~O"],
    "toe-empty": panel("TOE= "), "toe-bad": panel("TOE=Q"), "eret-empty": panel("ERET= "),
    "eret-bad": panel("ERET=Y"), "con-empty": panel("CON= "), "con-bad": panel("CON=y"),
    "mult-empty": panel("MULT= "), "mult-bad": panel("MULT=X"), "l-empty": panel("L= "), "l-bad": panel("L=X"),
    "cnp-empty": panel("CNP= "), "cnp-bad": panel("CNP=X"), "t-empty": panel("T= "),
    "hvr-empty": panel("HVR= "), "hvr-9": panel("HVR=9"), "hvr-10": panel("HVR=10") + ["KAB~O"],
    "hvr-19": panel("HVR=19") + ["KAB~O"], "hvr-20": panel("HVR=20"),
    "sf-empty": panel("SF= "), "sf-0": panel("SF=0"), "sf-20": panel("SF=20"), "sf-21": panel("SF=21"),
    "sf-undefined": panel("SF=5"),
    "reason-empty": panel("REASON= "), "reason-19": panel("REASON=19") + ["KAB~O"], "reason-20": panel("REASON=20"),
    "reason-65536": panel("REASON=65536") + ["KAB~O"],
    "t-after-eret": panel("ERET=S T=30"), "t-before-eret": panel("T=30 ERET=S") + ["W31000"],
    "timeout-word": panel("TOE=TIMEOUT CON=YES T=2") + ["W3000", "KAB~O"],
}
for name, lines in PANEL_CASES.items():
    add("pa-" + name, help_lines(), field(1, GOOD + " RUV=2"), lines, "K~E", "K~C", "K~E")
add("pa-no-fields", help_lines(), panel("REASON=9"), "K~E")
add("pa-field-20", help_lines(), field(20, GOOD + " RUV=2"), panel("REASON=9"), "KAB~N", "K~P", "K~O")
add("pa-all-fields", help_lines(), [field(i, "INPUT=ALPHA LEN=1 ROW=%d COL=%d RUV=%d" % (i, 2 * i, 1 + i % 19))
                                     for i in range(1, 21)],
    panel("REASON=9 SF=20"), "KA~N", "KB~N", "KC~P~P", "K~O")
add("pa-skip-filled", help_lines(), field(1, GOOD + " RUV=2"), field(3, GOOD + " RUV=3", 41),
    field(5, GOOD + " RUV=4", 42), panel("REASON=9 SF=3"), "KAB~N", "SZZ", "K~O", "K~N", "KCD~O")

# ---- panel endings ----
for eret in ["N", "S", "A"]:
    add("end-complete-eret-%s" % eret.lower(), one_field_panel(GOOD + " RUV=2", "REASON=9 ERET=" + eret, "KABC~O"))
    add("end-cancel-eret-%s" % eret.lower(), one_field_panel(GOOD + " RUV=2", "REASON=9 ERET=" + eret, "KAB~C"))
    for toe in ["A", "N", "S", "T"]:
        add("end-timeout-toe-%s-eret-%s" % (toe.lower(), eret.lower()),
            one_field_panel(GOOD + " RUV=2", "REASON=9 T=2 TOE=%s ERET=%s" % (toe, eret), "W3000", "KAB",
                            "W3000", "K~O"))
add("end-timeout-required-empty", one_field_panel(GOOD + " RUV=2", "REASON=9 T=1 TOE=T", "W2000", "W2000",
                                                  "KX~O"))
add("end-stop-request", one_field_panel(GOOD + " RUV=2", "REASON=9", "X"))
add("end-required-date", help_lines(), field(1, "INPUT=DATE_EURO LEN=10 ROW=2 COL=1 RUV=2"),
    field(2, "INPUT=TIME_STD LEN=8 ROW=3 COL=1 RUV=3", 41), field(3, "INPUT=DATE_AMER LEN=10 ROW=4 COL=1 RUV=4", 42),
    panel("REASON=9"), "K~O")
add("end-required-empty", help_lines(), field(1, GOOD + " RUV=2"), field(2, GOOD + " RUV=3", 41),
    panel("REASON=9"), "KA~O", "K~E", "KB~O")
add("end-store-errors", help_lines(), "L2=3", "D3", field(1, GOOD + " RUV=2"), field(2, GOOD + " RUV=3", 41),
    panel("REASON=9"), "KABCDEF~N", "KXY~O", "K~E", "K~E")
add("end-cnp-n-keeps", one_field_panel(GOOD + " RUV=2", "REASON=9", "KABC~O"), panel("CNP=N REASON=9"), "K~O")
add("end-prefill-again", help_lines(), "V5=PRE", field(1, GOOD + " RUV=2 PUV=5"), panel("REASON=9"), "KXY~O",
    panel("REASON=9"), "K~O")

# ---- the editor: every key on every input kind ----
TYPED = {"AI": "A1", "AIALPHA": "ab1 ", "ALPHA": "Hello z{", "NUM": "-12.5,/", "AINUM": "12.5-",
         "DATE_AMER": "12/31/2025", "DATE_EURO": "31.12.2025", "TIME_STD": "23:59:59", "PASSWORD": "secret"}
for kind in INPUT_KINDS:
    length = 10 if kind.startswith("DATE") else 8
    for mode in ["V", "F"]:
        add("edit-%s-%s" % (kind.lower(), mode.lower()),
            one_field_panel("INPUT=%s LEN=%d ROW=3 COL=2 RUV=2 MODE=%s REQ=N HELP=20,21" % (kind, length, mode),
                            "REASON=9", "K" + TYPED[kind], "K~L~L~K~R~R~R9", "K~H", "K~E", "K~B", "K~B",
                            "K~xFFFF~x0020~x007B~x007A", "K~N", "K~P", "K" + TYPED[kind] * 3, "K~E", "K~O", "K~E",
                            "K~C"))
    add("edit-one-char-%s" % kind.lower(),
        one_field_panel("INPUT=%s LEN=1 ROW=3 COL=39 RUV=2 REQ=N" % kind, "REASON=9", "K12", "K~K~K~L~R",
                        "K" + TYPED[kind], "K~O", "K~E", "K~C"))
    add("edit-signed-%s" % kind.lower(),
        one_field_panel("INPUT=%s LEN=-7.2 ROW=3 COL=1 RUV=2 REQ=N" % kind, "REASON=9", "K-1.25", "K~L~L~L~L~L~L~L-",
                        "K~O", "K~E", "K,5~O", "K~E", "K~C"))
for key, code in KEYS.items():
    add("key-%s" % key, one_field_panel("INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 HELP=20,21", "REASON=9",
                                        "KAB" + code, "K~E", "KC~O", "K~E", "K~C"))
add("edit-full-39", one_field_panel("INPUT=ALPHA LEN=39 ROW=3 COL=1 RUV=2", "REASON=9", "K" + "A" * 39,
                                    "KB~L~L~KC", "K~O"))
add("edit-full-39-fixed", one_field_panel("INPUT=NUM LEN=39 ROW=4 COL=1 RUV=2 MODE=F", "REASON=9",
                                          "K" + "1" * 38 + "~O", "K~E", "K12~O", "K~E", "K~C"))
add("edit-not-editable", help_lines(), "V5=PRE", field(1, GOOD + " RUV=2 PUV=5 EDIT=N"), panel("REASON=9"),
    "KXY~L~K", "K~O")
add("edit-debug-inspection", help_lines(), "E4", field(1, GOOD + " RUV=2 DI=P VERF=PARTS HELP=20,21"),
    panel("REASON=9"), "K~E", "KAB~O", "K~E")
add("edit-multi-screen", help_lines(["0060 Screen one", "0061 second line", "0062 Screen two"]),
    field(1, GOOD + " RUV=2 SCRN=60,61"), field(2, GOOD + " RUV=3 SCRN=62,62", 41),
    panel("REASON=9 MULT=Y"), "KAB~N", "KCD~O")

# ---- sensor input ----
add("scan-macros", one_field_panel("INPUT=AIALPHA LEN=6 ROW=3 COL=1 RUV=2", "REASON=9", "S$RT$", "S$LT$",
                                   "S$CLR$", "S$CLR$", "S$ENT$", "SAB", "K~E", "S$XYZ$", "S$OK$"))
add("scan-cancel", one_field_panel("INPUT=AIALPHA LEN=6 ROW=3 COL=1 RUV=2", "REASON=9", "S$CAN$"))
for data_length in [38, 39, 40, 41, 97]:
    add("scan-length-%d" % data_length,
        one_field_panel("INPUT=AIALPHA LEN=39 ROW=3 COL=1 RUV=2 REQ=N", "REASON=9", "S" + "9" * data_length, "K~O",
                        "K~E", "K~C"))
for length_byte in ["00", "01", "61", "62", "63", "7f", "80", "ff"]:
    add("scan-raw-length-%s" % length_byte,
        one_field_panel("INPUT=AIALPHA LEN=6 ROW=3 COL=1 RUV=2", "REASON=9",
                        "R\\x00\\x00\\x%s" % length_byte + "A" * 100, "K~C"))
add("scan-raw-short", one_field_panel("INPUT=AI LEN=6 ROW=3 COL=1 RUV=2", "REASON=9", "R", "R\\x00", "R\\x00\\x00",
                                      "R\\x05\\x00\\x02AB", "K~C"))
add("scan-data-ids", help_lines(HELP_TEXTS), field(1, "INPUT=AI LEN=6 ROW=3 COL=1 RUV=2 DI=P"),
    field(2, "INPUT=AINUM LEN=4 ROW=4 COL=1 RUV=3 DI=QQQQ KEEPDI=Y", 41),
    field(3, "INPUT=AIALPHA LEN=8 ROW=5 COL=1 RUV=4 DI=SN MANDI=Y", 42), panel("REASON=9"),
    "SQQQQ12", "SPABC", "SSN1234", "SXYZ", "SPTOOLONGVALUE", "K~O", "K~E", "K~C")
add("scan-into-num", one_field_panel("INPUT=NUM LEN=5 ROW=3 COL=1 RUV=2", "REASON=9", "S123", "K~O", "K~C"))

# ---- verify kinds ----
VERIFY = {"n": ("VERT=N", "ANY"), "0": ("VERT=0", "ANY"), "b-good": ("VERT=B", "012345678903"),
          "b-bad": ("VERT=B", "012345678904"), "t-good": ("VERT=T12", "123456789015"),
          "t-bad": ("VERT=T12", "223456789015"), "t-none": ("VERT=T", "123456789015"),
          "f-good": ("VERT=F,30", "12-AB9"), "f-bad": ("VERT=F,30", "1A-AB"), "f-missing": ("VERT=F,31", "X"),
          "s-good": ("VERT=S,40,42", "PEAR"), "s-bad": ("VERT=S,40,42", "FIG"), "s-gap": ("VERT=S,40,45", "FIG"),
          "r-good": ("VERT=R,50,51", "150"), "r-low": ("VERT=R,50,51", "5"), "r-high": ("VERT=R,50,51", "201"),
          "r-text": ("VERT=R,50,51", "ABC"), "r-missing": ("VERT=R,52,53", "5")}
for name, (vert, value) in VERIFY.items():
    add("vert-%s" % name, one_field_panel("INPUT=ALPHA LEN=12 ROW=3 COL=1 RUV=2 " + vert, "REASON=9",
                                          "K" + value + "~O", "K~E", "K~E", "K~C"))
for letter in ["I", "i", "E", "e"]:
    for answer in ["0", "1", "4", "16", "7"]:
        add("vert-file-%s-%s" % ("upper" if letter.isupper() else "lower", letter.lower() + answer),
            one_field_panel("INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=PARTS VERT=" + letter, "REASON=9",
                            "QPARTS.VAL=" + answer, "KA1~O", "K~E", "K~E", "K~C"))
add("vert-file-local", help_lines(), "FB_LOC=A-01", "FB_LOC=B-02", field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=B_LOC"),
    field(2, "INPUT=ALPHA LEN=6 ROW=4 COL=1 RUV=3 VERF=B_LOC VERT=E", 41),
    field(3, "INPUT=ALPHA LEN=6 ROW=5 COL=1 RUV=4 VERF=B_NONE VERT=i", 42), panel("REASON=9"),
    "KA-01~N", "KB-02~N", "KX~O", "K~E", "K~P~KZ~O", "K~E", "K~C")
add("vert-file-one-letter", one_field_panel("INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=Z", "REASON=9", "QZ=1",
                                            "KA~O", "K~E", "K~C"))
add("vert-file-separate", one_field_panel("INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=S_PART", "REASON=9 CON=Y",
                                          "QS_PART.VAL=1", "KA~O", "K~E", "K~C"))
for answer in ["0", "1", "4", "16"]:
    add("vert-group-%s" % answer, help_lines(), field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=PARTS"),
        field(2, "INPUT=ALPHA LEN=6 ROW=4 COL=1 RUV=3 VERF=PARTS VERT=i", 41),
        field(3, "INPUT=ALPHA LEN=6 ROW=5 COL=1 RUV=4 VERF=PARTS VERT=E", 42), panel("REASON=9 CON=Y"),
        "QPARTS.VAL=" + answer, "KA~N", "KB~N", "KC~O", "K~E", "KD~O", "K~E", "K~C")
for total in [114, 115, 116]:
    # three fields of one group whose values and separators make total characters
    first = total - 2 - 39 - 39
    add("vert-group-key-%d" % total, help_lines(),
        field(1, "INPUT=ALPHA LEN=39 ROW=3 COL=1 RUV=2 VERF=PARTS"),
        field(2, "INPUT=ALPHA LEN=39 ROW=4 COL=1 RUV=3 VERF=PARTS", 41),
        field(3, "INPUT=ALPHA LEN=39 ROW=5 COL=1 RUV=4 VERF=PARTS", 42), panel("REASON=9 CON=Y"),
        "QPARTS.VAL=0", "K" + "A" * first + "~N", "K" + "B" * 39 + "~N", "K" + "C" * 39 + "~O", "K~E", "K~C")
# The same key one too long where the help file lacks message 2's closing
# line (record 16): the report of that lack must leave the key as it is.
add("vert-group-key-116-no-closing-line", [line for line in help_lines() if not line.startswith("H0016")],
    field(1, "INPUT=ALPHA LEN=39 ROW=3 COL=1 RUV=2 VERF=PARTS"),
    field(2, "INPUT=ALPHA LEN=39 ROW=4 COL=1 RUV=3 VERF=PARTS", 41),
    field(3, "INPUT=ALPHA LEN=39 ROW=5 COL=1 RUV=4 VERF=PARTS", 42), panel("REASON=9 CON=Y"),
    "QPARTS.VAL=0", "K" + "A" * 36 + "~N", "K" + "B" * 39 + "~N", "K" + "C" * 39 + "~O", "K~E", "K~E", "K~C")
add("vert-date-time", help_lines(), "T991231235958", field(1, "INPUT=DATE_EURO LEN=10 ROW=2 COL=1 RUV=2"),
    field(2, "INPUT=DATE_AMER LEN=10 ROW=3 COL=1 RUV=3", 41), field(3, "INPUT=TIME_STD LEN=8 ROW=4 COL=1 RUV=4", 42),
    panel("REASON=9"), "K31022025~N", "K02292024~N", "K245960~O", "K~E", "K~P~P~B~B~O", "K~E", "K~C")
for name, value in {"help-range": "20,21", "help-range-bad": "20", "help-range-long": "1,30", "help-0": "0,5",
                    "help-none": "", "help-10000": "20,10000", "help-word": "NOTHING"}.items():
    add("hvr-%s" % name, help_lines(HELP_TEXTS), "V12=HELP=%s" % value,
        field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERT=S,40,41"), panel("REASON=9 HVR=12"),
        "KFIG~O", "K~E", "K~E", "KPEAR~O", "K~E", "K~C")

RANGES = ["0052 -50.5", "0053 0.5", "0054 10.25", "0055 10.250"]
for low, high, values in [("52", "53", ["-50.6", "-50.5", "-0.5", "0.25", "0.6", "-0", "0"]),
                          ("53", "54", ["0.5", "10.3", "10.25", "5.125"]), ("54", "55", ["10.25", "10.2501"])]:
    add("vert-range-%s-%s" % (low, high), help_lines(RANGES),
        field(1, "INPUT=NUM LEN=-9.4 ROW=3 COL=1 RUV=2 VERT=R,%s,%s" % (low, high)), panel("REASON=9"),
        [["K~K" * 10 + "K" + v + "~O", "K~E"] for v in values], "K~C")
add("vert-mask-blank", help_lines(["0032 bbbb", "0033 b", "0034 ?n-a*"]), field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERT=F,32 REQ=N"),
    field(2, "INPUT=ALPHA LEN=6 ROW=4 COL=1 RUV=3 VERT=F,34 REQ=N", 41), panel("REASON=9"), "K    ~N", "KX1-B~O",
    "K~E", "K~P~B~O", "K~E", "K~C")
for size in [14, 15, 16]:
    add("vert-check-digit-%d" % size, one_field_panel("INPUT=ALPHA LEN=20 ROW=3 COL=1 RUV=2 VERT=B", "REASON=9",
                                                      "K0" + "1" * (size - 1) + "~O", "K~E", "K~E", "K~C"))
add("edit-decimal-first", one_field_panel("INPUT=NUM LEN=6.2 ROW=3 COL=1 RUV=2", "REASON=9", "K.5~O", "K~E",
                                          "K~B,7.~O", "K~E", "K~C"))
add("edit-not-editable-num", help_lines(), "V5=12.5", field(1, "INPUT=NUM LEN=6.2 ROW=3 COL=1 RUV=2 PUV=5 EDIT=N"),
    panel("REASON=9"), "K~R3~O", "K~E", "K~C")
add("edit-right-first", help_lines(), "V5=AB", field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 PUV=5"),
    panel("REASON=9"), "K~R~R~R~RZ~O")

# ---- messages: ranges longer than a popup shows ----
LONG_HELP = ["%04d Line %d of the help text, long enough" % (n, n) for n in range(100, 140)]
for last in [114, 115, 116, 117, 139]:
    add("msg-help-range-%d" % (last - 99), help_lines(LONG_HELP),
        field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 HELP=100,%d" % last), panel("REASON=9"),
        "K~H", "K~E", "KA~O")
    add("msg-screen-range-%d" % (last - 99), help_lines(LONG_HELP),
        field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 SCRN=100,%d" % last), panel("REASON=9 MULT=Y"), "KA~O")
add("msg-record-widths", help_lines(["0100 " + "W" * 21, "0101 " + "W" * 22, "0102 " + "W" * 23, "0103 " + "W" * 40,
                                     "0104 " + "W" * 41, "0105", "0106 "]),
    field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 HELP=100,106 SCRN=100,106"), panel("REASON=9"), "K~H", "K~E",
    "KA~O", panel("REASON=9 MULT=Y"), "K~O")
add("msg-no-help-file", field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 REQ=Y HELP=20,21"), panel("REASON=9"),
    "K~H", "K~E", "K~O", "K~E", "K~C")

# ---- help file and clear commands ----
for name, lines in {"file": [cmd("SET_HEL FILE=MINE.VAL")], "none": [cmd("SET_HEL")], "empty": [cmd("SET_HEL FILE=")],
                    "15": [cmd("SET_HEL FILE=ABCDEFGHIJKLMNO")], "16": [cmd("SET_HEL FILE=ABCDEFGHIJKLMNOP")],
                    "list": [cmd("SET_HEL FILE= MINE.VAL,X")]}.items():
    add("hel-%s" % name, "FMINE.VAL=0001 Mine", "FMINE.VAL=0008 Fill it", "FMINE.VAL=0016 Press it", lines, "K~E",
        field(1, "INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2"), panel("REASON=9"), "K~O", "K~E", "K~C")
add("clear-p", help_lines(), field(1, GOOD + " RUV=2"), cmd("CLEAR_P"), panel("REASON=9"), "K~E",
    cmd("CLEAR_P and more"), cmd("CLEAR_P"[:7]))

# ---- 255-character user variables read by each command ----
LONG = {254: "A" * 254, 255: "A" * 255, 256: "A" * 256}
for size, text in LONG.items():
    capacity = ["L5=%d" % size, "L6=%d" % size, "L12=%d" % size, "L31=%d" % size, "L40=%d" % size]
    add("uv-%d-set-fie" % size, help_lines(), capacity, "V40=FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 " + text[39:],
        cmd("SET_FIE VAR=40"), "K~E", "K~E")
    add("uv-%d-exec-pa" % size, help_lines(), capacity, field(1, GOOD, 41),
        "V31=REASON=9 " + text[13:], cmd("EXEC_PA VAR=31"), "KA~O", "K~E", "K~C")
    add("uv-%d-puv" % size, help_lines(), capacity, "V5=" + text, field(1, GOOD + " RUV=2 PUV=5", 41),
        panel("REASON=9"), "K~O", "K~E", "K~C")
    add("uv-%d-hvr" % size, help_lines(HELP_TEXTS), capacity, "V12=HELP=20,21 " + text[15:],
        field(1, GOOD + " RUV=2 VERT=S,40,41", 41), panel("REASON=9 HVR=12"), "KFIG~O", "K~E", "K~E", "K~C")
    for command, fields in [("COMPARE", (36, [(14, "05"), (18, "E"), (25, "06"), (37, "S")])),
                            ("CMP_INT", (29, [(12, "05"), (16, "E"), (21, "06"), (30, "A")])),
                            ("INTMATH", (21, [(12, "05"), (16, "+"), (20, "06")]))]:
        add("uv-%d-%s" % (size, command.lower().replace("_", "-")), capacity, "V5=" + text, "V6=" + text,
            fixed(command, *fields), "K~E", "V6=1" + "0" * (size - 1), fixed(command, *fields), "K~E")
    add("uv-%d-chkuniq" % size, capacity, "V5=" + text, fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")]),
        fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")]), "K~E")
    add("uv-%d-wait-uv" % size, capacity, "V5=", fixed("WAIT_UV", 22, [(14, "05"), (21, "5")]), "W1000",
        "V5=" + text, "W1000")
    add("uv-%d-set-hel" % size, capacity, "V5=" + text, cmd("SET_HEL FILE=" + "B" * 80), "K~E")

# ---- 40-character values ----
for size in [39, 40, 41]:
    add("value-puv-%d" % size, help_lines(), "V5=" + "P" * size, field(1, "INPUT=ALPHA LEN=39 ROW=3 COL=1 RUV=2 PUV=5"),
        panel("REASON=9"), "K~O", "K~E", "K~C")
    add("value-puv-short-field-%d" % size, help_lines(), "V5=" + "P" * size,
        field(1, "INPUT=ALPHA LEN=4 ROW=3 COL=1 RUV=2 PUV=5"), panel("REASON=9"), "K~O", "K~E", "K~C")
    add("value-typed-%d" % size, one_field_panel("INPUT=PASSWORD LEN=39 ROW=3 COL=1 RUV=2", "REASON=9",
                                                 "K" + "p" * size + "~O", "K~E", "K~C"))

# ---- counters ----
add("count-basic", [fixed("DICOUNT", 21, [(10, op), (20, "01")]) for op in "IIIDdiR"],
    fixed("DICOUNT", 32, [(10, "S"), (20, "01"), (31, "05")]))
for counter in ["00", "01", "32", "33", "AB"]:
    add("count-counter-%s" % counter.lower(), fixed("DICOUNT", 21, [(10, "I"), (20, counter)]),
        fixed("DICOUNT", 32, [(10, "s"), (20, counter), (31, "19")]), "K~E", "K~E")
for var in ["00", "01", "19", "20"]:
    add("count-store-%s" % var, fixed("DICOUNT", 21, [(10, "i"), (20, "32")]),
        fixed("DICOUNT", 32, [(10, "S"), (20, "32"), (31, var)]), "K~E")
add("count-all", [fixed("DICOUNT", 21, [(10, "I"), (20, "%02d" % c)]) for c in range(1, 33)],
    [fixed("DICOUNT", 32, [(10, "S"), (20, "%02d" % c), (31, "%02d" % (c % 19 + 1))]) for c in (1, 31, 32)])
add("count-errors", fixed("DICOUNT", 20, [(10, "I"), (20, "1")]), "K~E",
    fixed("DICOUNT", 31, [(10, "S"), (20, "01"), (30, "5")]), "K~E",
    fixed("DICOUNT", 21, [(10, "X"), (20, "01")]), "K~E", fixed("DICOUNT", 21, [(10, "D"), (20, "01")]),
    "L5=1", fixed("DICOUNT", 32, [(10, "S"), (20, "01"), (31, "05")]), "K~E")

# ---- popups ----
for lines in ["00", "01", "16", "17"]:
    add("popup-lines-%s" % lines, "E5", "K~E", fixed("POPUPWN", 23, [(10, "C"), (16, lines), (24, "N")]), "K~E",
        fixed("POPUPWN", 23, [(10, "c"), (16, lines), (24, "y")]), fixed("POPUPWN", 9, [(10, "R")]),
        fixed("POPUPWN", 9, [(10, "r")]))
add("popup-errors", fixed("POPUPWN", 22, [(10, "C"), (16, "04")]), "K~E", "C08POPUPWN R", "K~E", "C08POPUPWN r", "K~E",
    fixed("POPUPWN", 9, [(10, "Q")]), fixed("POPUPWN", 9, [(10, "R")]))
add("popup-nested", [fixed("POPUPWN", 23, [(10, "C"), (16, "%02d" % n), (24, "N")]) for n in (3, 5, 16)],
    [fixed("POPUPWN", 9, [(10, "R")])] * 4)

# ---- transaction flag ----
add("tranmsg", [fixed("TRANMSG", 10, [(10, c)]) for c in "nNY0 "], fixed("TRANMSG", 9, [(10, "N")]), "K~E")

# ---- recent-value lists ----
for size in [24, 25, 26, 40]:
    add("uniq-value-%d" % size, "V5=" + "U" * size,
        [fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")])] * 2)
add("uniq-full-list", [["V5=VALUE%02d" % n, fixed("CHKUNIQ", 24, [(10, "v"), (14, "05"), (25, "1")])]
                       for n in range(12)],
    "V5=VALUE00", fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")]),
    "V5=VALUE11", fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")]))
add("uniq-full-both", [["V5=%s%02d" % (c, n), fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, l)])]
                       for n in range(10) for c, l in (("A", "1"), ("B", "2"))][:36],
    fixed("CHKUNIQ", 22, [(10, "R"), (23, "1")]), "V5=", fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "1")]))
add("uniq-errors", "V5=X", fixed("CHKUNIQ", 23, [(10, "V"), (14, "05")]), "K~E", "U6",
    fixed("CHKUNIQ", 24, [(10, "V"), (14, "06"), (25, "1")]), "K~E",
    fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "3")]), "K~E", fixed("CHKUNIQ", 21, [(10, "R")]), "K~E",
    fixed("CHKUNIQ", 22, [(10, "R"), (23, "0")]), "K~E", fixed("CHKUNIQ", 24, [(10, "Q"), (14, "05")]),
    "V5=", fixed("CHKUNIQ", 24, [(10, "V"), (14, "05"), (25, "2")]))

# ---- comparisons and arithmetic ----
PAIRS = [("APPLE", "PEAR"), ("PEAR", "APPLE"), ("SAME", "SAME"), ("", "X"), ("12", "9"), ("-5", "3"),
         ("2147483647", "1"), ("-2147483648", "-1"), ("abc", "12")]
for i, (a, b) in enumerate(PAIRS):
    add("cmp-%d" % i, "V5=" + a, "V6=" + b,
        [fixed("COMPARE", 36, [(14, "05"), (18, rel), (25, "06"), (37, style)])
         for rel, style in (("E", "S"), ("N", "n"), ("GT", "S"), ("GE", "N"), ("LT", "s"), ("le", "N"))],
        [fixed("CMP_INT", 29, [(12, "05"), (16, rel), (21, "06"), (30, style)])
         for rel, style in (("E", "A"), ("N", "N"), ("GT", "S"), ("ge", "a"), ("LT", "n"), ("LE", "S"))],
        [fixed("INTMATH", 21, [(12, "05"), (16, op), (20, "06")]) for op in "+-*/"], "K~E")
add("cmp-errors", "V5=1", "V6=2", "U7", "D8",
    [fixed("COMPARE", n, [(14, a), (18, rel), (25, b), (37, style)]) for n, a, rel, b, style in
     ((35, "05", "E", "06", "S"), (36, "07", "E", "06", "S"), (36, "05", "E", "08", "S"), (36, "05", "X", "06", "S"),
      (36, "05", "GX", "06", "S"), (36, "05", "E", "06", "X"), (36, "AB", "E", "06", "S"))],
    [fixed("CMP_INT", n, [(12, a), (16, rel), (21, b), (30, style)]) for n, a, rel, b, style in
     ((28, "05", "E", "06", "A"), (29, "07", "E", "06", "A"), (29, "05", "E", "08", "A"), (29, "05", "Q", "06", "A"),
      (29, "05", "LX", "06", "A"), (29, "05", "E", "06", "X"))],
    [fixed("INTMATH", n, [(12, a), (16, op), (20, b)]) for n, a, op, b in
     ((20, "05", "+", "06"), (21, "07", "+", "06"), (21, "05", "+", "08"), (21, "05", "%", "06"))],
    "V6=0", fixed("INTMATH", 21, [(12, "05"), (16, "/"), (20, "06")]), "L1=2",
    fixed("INTMATH", 21, [(12, "05"), (16, "*"), (20, "05")]), "K~E")

# ---- time and waiting ----
for hours, style in [("12", "AMER"), ("24", "EURO"), ("12", "euro"), ("24", "aMeR")]:
    add("tm-%s-%s" % (hours, style.lower()), "T991231235958",
        fixed("TM_DATE", 52, [(10, hours), (30, "03"), (35, style), (52, "04")]), "T000101000000",
        fixed("TM_DATE", 52, [(10, hours), (30, "19"), (35, style), (52, "01")]))
add("tm-errors", fixed("TM_DATE", 51, [(10, "12"), (30, "03"), (35, "AMER"), (50, "04")]), "K~E",
    fixed("TM_DATE", 52, [(10, "12"), (30, "20"), (35, "AMER"), (52, "04")]), "K~E",
    fixed("TM_DATE", 52, [(10, "12"), (30, "03"), (35, "AMER"), (52, "00")]), "K~E",
    fixed("TM_DATE", 52, [(10, "13"), (30, "03"), (35, "AMER"), (52, "04")]), "K~E",
    fixed("TM_DATE", 52, [(10, "24"), (30, "03"), (35, "ISO "), (52, "04")]), "K~E",
    "L3=4", fixed("TM_DATE", 52, [(10, "24"), (30, "03"), (35, "EURO"), (52, "04")]), "K~E")
for n in ["0", "1", "12", "999", "-3", "12345", "123456"]:
    add("delay-%s" % n.replace("-", "m"), cmd("V_DELAY " + n), "K~E")
add("delay-cancel", cmd("V_DELAY 999"), "K~C", cmd("V_DELAY 999"), "X")
for seconds in ["0", "1", "5", "900", "65535", "65536"]:
    add("wait-%s" % seconds, "V5=", fixed("WAIT_UV", 24, [(14, "05"), (21, seconds.rjust(3))]), "W2000", "Kx",
        "V5=here", "W1000")
add("wait-errors", "U5", fixed("WAIT_UV", 21, [(14, "05"), (21, "5")]), "K~E",
    fixed("WAIT_UV", 22, [(14, "05"), (21, "5")]), "K~E", "D6", fixed("WAIT_UV", 22, [(14, "06"), (21, "5")]), "K~E")
add("wait-cancel", "V5=", fixed("WAIT_UV", 22, [(14, "05"), (21, "9")]), "K~C",
    fixed("WAIT_UV", 22, [(14, "05"), (21, "9")]), "X")


def main():
    os.makedirs(CORPUS, exist_ok=True)
    for file in os.listdir(CORPUS):
        if file.startswith(("gen-", "seed-")):
            os.remove(os.path.join(CORPUS, file))
    for name, text in list(SCRIPTS.items()) + [("seed-" + k, v) for k, v in ENTRY.items()]:
        with open(os.path.join(CORPUS, name), "wb") as f:
            f.write(text.encode("latin-1"))
    print("make_corpus: %d scripts written to %s" % (len(SCRIPTS) + len(ENTRY), os.path.normpath(CORPUS)))


if __name__ == "__main__":
    main()
