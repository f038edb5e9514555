#!/usr/bin/env python3
"""check_guides.py - the guides (README.md and docs/*.md) tested like code.

  check_guides.py guides  SOURCE_DIR FORMSTERM
      Every fenced block names its language. Each `sh` block runs with bash
      (-euo pipefail) and each `lua` block runs as a formsterm test script,
      unless its info string says `no-run: REASON`. Every link to a file, a
      folder or a section (#anchor) of a guide must lead somewhere.
  check_guides.py imports SOURCE_DIR
      The run-time functions listed in docs/integration.md (the `c` blocks of
      its section "Run-time functions") are exactly those that
      src/platform/termrt.h declares, with the same signatures; the key codes
      of that section's table (| Key | Code |) are those of
      src/platform/key_codes.h.

Shell blocks run in a scratch copy of the source tree (without its build
folders), so whatever a command writes stays out of the tree; build/formsterm/formsterm there is the formsterm under test,
and nothing else of a build is, so a command cannot touch a build folder. Lua blocks run in a scratch copy of examples/receiving, so
operate("receiving.lua", ...) and the example's data files are at hand.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

BLOCK_TIMEOUT_SECONDS = 30
RUNNABLE = {"sh", "lua"}
NO_RUN = "no-run:"
FENCE = re.compile(r"^(\s*)(```+|~~~+)(.*)$")
LINK = re.compile(r"\[[^\]]*\]\(([^)\s]+)\)")
INLINE_CODE = re.compile(r"`[^`]*`")
HEADING = re.compile(r"^(#{1,6})\s+(.*?)\s*#*\s*$")
RUNTIME_SECTION = "## Run-time functions"
KEY_ROW = re.compile(r"^\|\s*([^|]+?)\s*\|\s*(\d+)\s*\|\s*$", re.M)
KEY_CODE = re.compile(r"X\((\w+),\s*\w+,\s*(\d+)\)")
DECLARATION = re.compile(r"\bint\s+(_\w+)\s*\(([^;]*?)\)\s*;", re.S)


class Block:
    def __init__(self, path, line, info, text):
        self.path, self.line, self.info, self.text = path, line, info, text
        self.language = info.split()[0] if info.split() else ""

    def where(self):
        return f"{self.path}:{self.line}"


def guide_files(source):
    files = [os.path.join(source, "README.md")]
    docs = os.path.join(source, "docs")
    files += sorted(os.path.join(docs, f) for f in os.listdir(docs) if f.endswith(".md"))
    return files


def read_text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def split_blocks(path, text):
    """The fenced blocks of a guide, and its prose lines (number, text) outside them."""
    blocks, prose = [], []
    fence = None
    for number, line in enumerate(text.splitlines(), 1):
        match = FENCE.match(line)
        if fence is None:
            if match:
                fence = (match.group(1), match.group(2), number, match.group(3).strip(), [])
            else:
                prose.append((number, line))
        elif match and match.group(2).startswith(fence[1]) and not match.group(3).strip():
            indent, _, start, info, body = fence
            blocks.append(Block(path, start, info, "\n".join(l[len(indent):] if l.startswith(indent) else l.lstrip()
                                                            for l in body) + "\n"))
            fence = None
        else:
            fence[4].append(line)
    if fence is not None:
        blocks.append(Block(path, fence[2], "unclosed", ""))
    return blocks, prose


def slug(heading):
    """The anchor a heading gets on the usual Markdown hosts."""
    text = INLINE_CODE.sub(lambda m: m.group(0)[1:-1], heading)
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", text).strip().lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path, cache={}):
    if path not in cache:
        seen, result = {}, set()
        _, prose = split_blocks(path, read_text(path))
        for _, line in prose:
            match = HEADING.match(line)
            if not match:
                continue
            base = slug(match.group(2))
            count = seen.get(base, 0)
            seen[base] = count + 1
            result.add(base if count == 0 else f"{base}-{count}")
        for _, line in prose:  # explicit anchors: <a id="name"></a>
            result.update(re.findall(r'<a (?:id|name)="([^"]+)"', line))
        cache[path] = result
    return cache[path]


def check_links(path, prose):
    problems = []
    for number, line in prose:
        for target in LINK.findall(INLINE_CODE.sub("", line)):
            if re.match(r"^[a-z]+:", target):
                continue  # a web address or mail: not ours to check
            file_part, _, anchor = target.partition("#")
            resolved = os.path.normpath(os.path.join(os.path.dirname(path), file_part)) if file_part else path
            if not os.path.exists(resolved):
                problems.append(f"{path}:{number}: link to {target}: no such file or folder")
            elif anchor and resolved.endswith(".md") and anchor not in anchors(resolved):
                problems.append(f"{path}:{number}: link to {target}: no section #{anchor} in {file_part or 'this file'}")
    return problems


def scratch_tree(source, formsterm, scratch):
    """A copy of the source tree, with the formsterm under test where a build puts it."""
    tree = os.path.join(scratch, "tree")
    skipped = shutil.ignore_patterns("build", "build-*", "dist", ".git")
    shutil.copytree(source, tree, symlinks=True, ignore=lambda folder, names: (
        skipped(folder, names) if os.path.samefile(folder, source) else []))
    os.makedirs(os.path.join(tree, "build", "formsterm"))
    os.symlink(formsterm, os.path.join(tree, "build", "formsterm", "formsterm"))
    return tree


def run(command, cwd, stdin_text=None):
    """Runs a command in a session of its own, so that a block that runs too
    long is stopped with everything it started."""
    process = subprocess.Popen(command, cwd=cwd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True, start_new_session=True,
                               env=dict(os.environ, TERM="dumb"))
    try:
        output, _ = process.communicate(stdin_text, timeout=BLOCK_TIMEOUT_SECONDS)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        return None, f"still running after {BLOCK_TIMEOUT_SECONDS} s"


def run_block(block, source, tree, formsterm, scratch, number):
    if block.language == "sh":
        status, output = run(["bash", "-euo", "pipefail", "-s"], tree, block.text)
    else:
        folder = os.path.join(scratch, f"lua{number}")
        shutil.copytree(os.path.join(source, "examples", "receiving"), folder)
        script = os.path.join(folder, "snippet_test.lua")
        with open(script, "w", encoding="utf-8") as f:
            f.write(block.text)
        status, output = run([formsterm, "test", script], folder)
    if status == 0:
        return []
    said = "did not finish" if status is None else f"exit status {status}"
    return [f"{block.where()}: the {block.language} block failed ({said}):\n{block.text}---- output:\n{output}"]


def check_guides(source, formsterm):
    problems, runnable = [], []
    for path in guide_files(source):
        blocks, prose = split_blocks(path, read_text(path))
        problems += check_links(path, prose)
        for block in blocks:
            if block.info == "unclosed":
                problems.append(f"{block.where()}: a fenced block that is never closed")
            elif not block.language:
                problems.append(f"{block.where()}: a fenced block without a language (sh, lua, text, ...)")
            elif block.language in RUNNABLE:
                reason = block.info.partition(NO_RUN)[2].strip()
                if NO_RUN in block.info and not reason:
                    problems.append(f"{block.where()}: no-run without a reason")
                elif NO_RUN not in block.info:
                    runnable.append(block)
    with tempfile.TemporaryDirectory(prefix="guides-") as scratch:
        tree = scratch_tree(source, formsterm, scratch)
        for number, block in enumerate(runnable):
            problems += run_block(block, source, tree, formsterm, scratch, number)
    return problems, len(runnable)


def normalized(name, arguments):
    return f"int {name}(" + re.sub(r"\s+", " ", arguments).replace("( ", "(").strip() + ")"


def declarations(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    return {name: normalized(name, arguments) for name, arguments in DECLARATION.findall(text)}


def check_imports(source):
    header = declarations(read_text(os.path.join(source, "src", "platform", "termrt.h")))
    guide_path = os.path.join(source, "docs", "integration.md")
    text = read_text(guide_path)
    start = text.find("\n" + RUNTIME_SECTION + "\n")
    if start < 0:
        return [f"{guide_path}: no section '{RUNTIME_SECTION}'"], 0
    end = text.find("\n## ", start + 1)
    section = text[start:] if end < 0 else text[start:end]
    blocks, _ = split_blocks(guide_path, section)
    guide = declarations("".join(b.text for b in blocks if b.language == "c"))
    problems = []
    for name in sorted(header.keys() - guide.keys()):
        problems.append(f"{guide_path}: {name} is declared in src/platform/termrt.h but not listed: {header[name]};")
    for name in sorted(guide.keys() - header.keys()):
        problems.append(f"{guide_path}: {name} is listed but src/platform/termrt.h does not declare it")
    for name in sorted(header.keys() & guide.keys()):
        if header[name] != guide[name]:
            problems.append(f"{guide_path}: {name} differs:\n  termrt.h: {header[name]}\n  guide:    {guide[name]}")
    if not header:
        problems.append("src/platform/termrt.h: no declaration found")
    return problems + check_key_codes(source, guide_path, section), len(header)


def check_key_codes(source, guide_path, section):
    header = {int(code): name for name, code in KEY_CODE.findall(read_text(
        os.path.join(source, "src", "platform", "key_codes.h")))}
    guide = {int(code): name for name, code in KEY_ROW.findall(section)}
    problems = [f"{guide_path}: key code {code} ({header[code]}) of src/platform/key_codes.h is not in the table"
                for code in sorted(header.keys() - guide.keys())]
    problems += [f"{guide_path}: key code {code} ({guide[code]}) is not in src/platform/key_codes.h"
                 for code in sorted(guide.keys() - header.keys())]
    if not header:
        problems.append("src/platform/key_codes.h: no key code found")
    return problems


def main(argv):
    if len(argv) == 4 and argv[1] == "guides":
        source, formsterm = (os.path.abspath(a) for a in argv[2:])
        problems, count = check_guides(source, formsterm)
        what = f"{count} runnable blocks"
    elif len(argv) == 3 and argv[1] == "imports":
        problems, count = check_imports(os.path.abspath(argv[2]))
        what = f"{count} run-time functions"
    else:
        print(__doc__.strip().split("\n\n")[0], file=sys.stderr)
        return 2
    root = os.path.abspath(argv[2]) + os.sep
    for problem in problems:
        print(problem.replace(root, ""))
    print(f"{what}: {'no problems' if not problems else f'{len(problems)} problems'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
