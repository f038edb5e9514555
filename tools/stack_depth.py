#!/usr/bin/env python3
"""stack_depth.py - the deepest stack the library's own code can use in one
call of main, from the call graphs GCC writes with -fcallgraph-info=su.

  python3 tools/stack_depth.py BUILD_DIR

BUILD_DIR is a build of the library alone with the option, e.g. the
forms32.dll that goes to terminals:

  cmake --preset win32 -B build-stack -DCMAKE_C_FLAGS=-fcallgraph-info=su \
        -DCMAKE_CXX_FLAGS=-fcallgraph-info=su
  cmake --build build-stack --target forms

The option changes no code. Each function's frame is what GCC reports for
it; the depth is the largest sum of frames along a call chain from main,
plus one return address per call. The run-time's functions and the C
library's are counted as leaves of no size: their stack is the terminal's
to know. The library calls two tables of functions through pointers (the
commands by name, the steps of a field definition); both are read from the
sources, and each of their entries counts as called.
"""
import glob
import os
import re
import sys

NODE = re.compile(r'node: \{ title: "([^"]+)" label: "([^"]*)"')
EDGE = re.compile(r'edge: \{ sourcename: "([^"]+)" targetname: "([^"]+)"')
FRAME = re.compile(r"\\n(\d+) bytes \(([^)]*)\)")
INDIRECT = "__indirect_call"
ROOT = "main"
# Where a function calls through a table: the caller, the source that holds
# the table, and the pattern of the table's entries.
TABLES = {
    "forms_entry": ("src/entry/entry.cpp", r'\{"[A-Z_]{7}", (\w+)\}'),
    "set_field_command": ("src/fields/define.cpp", r"kSteps\[\]\)\(struct Definition \*\) = \{([^}]*)\}"),
}


def short_name(label):
    """The plain function name from a label's signature line."""
    signature = label.split("\\n")[0]
    before = signature.split("(")[0]
    return re.split(r"[\s*&:]+", before)[-1]


def read_graph(build):
    frames, names, calls, dynamic = {}, {}, {}, set()
    files = glob.glob(os.path.join(build, "CMakeFiles", "forms_core.dir", "**", "*.ci"), recursive=True)
    files += glob.glob(os.path.join(build, "CMakeFiles", "forms.dir", "**", "*.ci"), recursive=True)
    for path in files:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for title, label in NODE.findall(text):
            names.setdefault(short_name(label), set()).add(title)
            frame = FRAME.search(label)
            if frame:
                frames[title] = int(frame.group(1))
                if frame.group(2) != "static":
                    dynamic.add(title)
        for source, target in EDGE.findall(text):
            calls.setdefault(source, set()).add(target)
    return files, frames, names, calls, dynamic


def table_targets(source_root, names):
    """The callers of tables and the titles of the functions they may call."""
    result = {}
    for caller, (path, pattern) in TABLES.items():
        with open(os.path.join(source_root, path), encoding="utf-8") as f:
            found = re.findall(pattern, f.read(), re.S)
        entries = [w for group in found for w in re.findall(r"\w+", group)]
        titles = set()
        for entry in entries:
            titles |= names.get(entry, set())
        for title in names.get(caller, set()):
            result[title] = titles
    return result


def deepest(root, frames, calls, tables, pointer_size):
    memo, active = {}, set()

    def depth(title):
        if title in memo:
            return memo[title]
        if title in active:
            raise SystemExit(f"stack_depth: recursion through {title}; the depth has no bound")
        active.add(title)
        best, chain = 0, []
        for target in calls.get(title, ()):
            targets = tables.get(title, set()) if target == INDIRECT else {target}
            if target == INDIRECT and not targets:
                raise SystemExit(f"stack_depth: {title} calls through a pointer that no table here names")
            for t in targets:
                d, c = depth(t)
                if d + pointer_size > best:
                    best, chain = d + pointer_size, c
        active.discard(title)
        memo[title] = (frames.get(title, 0) + best, [title] + chain)
        return memo[title]

    return depth(root)


def pointer_size_of(build):
    """The return address's size: the build's pointer size, as CMake found it."""
    for path in glob.glob(os.path.join(build, "CMakeFiles", "*", "CMakeCXXCompiler.cmake")):
        with open(path, encoding="utf-8") as f:
            found = re.search(r'CMAKE_CXX_SIZEOF_DATA_PTR "(\d+)"', f.read())
        if found:
            return int(found.group(1))
    return 4


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().split("\n\n")[0], file=sys.stderr)
        return 2
    source_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files, frames, names, calls, dynamic = read_graph(argv[1])
    if not files:
        print(f"stack_depth: no .ci files under {argv[1]}; build with -fcallgraph-info=su", file=sys.stderr)
        return 2
    roots = names.get(ROOT, set())
    if len(roots) != 1:
        print(f"stack_depth: expected one {ROOT}, found {len(roots)}", file=sys.stderr)
        return 2
    pointer_size = pointer_size_of(argv[1])
    total, chain = deepest(next(iter(roots)), frames, calls, table_targets(source_root, names), pointer_size)
    titles = {t: n for n, ts in names.items() for t in ts}
    print(f"deepest stack of the library's own code: {total} bytes, {len(frames)} functions")
    for title in chain:
        note = " (dynamic)" if title in dynamic else ""
        print(f"  {frames.get(title, 0):5d}  {titles.get(title, title)}{note}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
