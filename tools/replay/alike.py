#!/usr/bin/env python3
"""alike.py - replays the corpus on several builds of the library and
compares their transcripts byte for byte, and the first build's with the
committed ones.

    alike.py [--update] CORPUS TRANSCRIPTS NAME=BUILD[:LIBRARY]...

Each BUILD folder holds the file replay-command (written by CMake): the
emulator, if any, the replayer built by that build's toolchain and its
library, one word a line; LIBRARY, when given, replaces that library. The
first build is the reference. Prints a line per build (its scripts and the
sha256 of its transcripts), then "identical" or the first differing step of
the first differing script, with both sides. --update writes the reference's
transcripts into TRANSCRIPTS (one NAME.txt per script) instead of comparing
with them. The exit status is 1 on a difference, a crash or a time-out.
"""
import hashlib
import os
import subprocess
import sys

RUN_TIME_LIMIT = 900  # seconds for one build's whole run
SCRIPT_TIME_LIMIT = 30  # seconds for one script, enforced by the replayer
END = "=== end"


class Failed(Exception):
    pass


def split_stream(text):
    """{script name: transcript} of a replayer's output, in script order."""
    scripts, name, lines = {}, None, []
    for line in text.splitlines(keepends=True):
        if line.startswith("=== "):
            if name is not None:
                scripts[name] = "".join(lines)
            name, lines = line[4:].rstrip("\n"), []
        else:
            lines.append(line)
    if name is not None and name != END[4:]:
        scripts[name] = "".join(lines)
    return scripts


def digest(scripts):
    h = hashlib.sha256()
    for name, transcript in scripts.items():
        h.update(("=== %s\n" % name).encode("latin-1"))
        h.update(transcript.encode("latin-1"))
    return h.hexdigest()


def last_position(text):
    """The script and step that a broken-off output ended in."""
    script, step = "(before the first script)", "(before the first step)"
    for line in text.splitlines():
        if line.startswith("=== "):
            script, step = line[4:], "(before the first step)"
        elif line.startswith("step "):
            step = line
    return script, step


def replay(name, build, library, corpus):
    try:
        with open(os.path.join(build, "replay-command")) as f:
            command = [w for w in f.read().split("\n") if w]
    except OSError:
        raise Failed("%s: %s/replay-command is missing; configure and build %s first" % (name, build, build))
    *prefix, built_library = command
    command = prefix + ["--time-limit", str(SCRIPT_TIME_LIMIT), library or built_library, corpus]
    try:
        run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=RUN_TIME_LIMIT)
    except subprocess.TimeoutExpired as e:
        text = (e.stdout or b"").decode("latin-1")
        script, step = last_position(text)
        raise Failed("%s: script %s, %s: no end after %d s" % (name, script, step, RUN_TIME_LIMIT))
    text = run.stdout.decode("latin-1")
    if run.returncode != 0 or not text.endswith(END + "\n"):
        script, step = last_position(text)
        why = "signal %d" % -run.returncode if run.returncode < 0 else "status %d" % run.returncode
        errors = run.stderr.decode("latin-1").strip().splitlines()[-12:]
        raise Failed("%s: script %s, %s: the replayer ended with %s\n%s" % (name, script, step, why,
                                                                            "\n".join(errors)))
    return split_stream(text)


def steps(transcript):
    """The transcript cut into its steps (the part before step 1 first)."""
    parts = [[]]
    for line in transcript.splitlines(keepends=True):
        if line.startswith("step "):
            parts.append([])
        parts[-1].append(line)
    return ["".join(p) for p in parts]


def first_difference(ref_name, ref, other_name, other):
    """A report of where other first differs from ref, or None."""
    for script in ref:
        if script not in other:
            return "script %s: only %s has it" % (script, ref_name)
        if ref[script] == other[script]:
            continue
        a, b = steps(ref[script]), steps(other[script])
        for i in range(max(len(a), len(b))):
            left = a[i] if i < len(a) else "(no such step)\n"
            right = b[i] if i < len(b) else "(no such step)\n"
            if left != right:
                where = (left if i < len(a) else right).splitlines()[0]
                return "script %s, %s differs\n--- %s\n%s--- %s\n%s" % (script, where, ref_name, left,
                                                                         other_name, right)
    for script in other:
        if script not in ref:
            return "script %s: only %s has it" % (script, other_name)
    return None


def read_committed(folder):
    scripts = {}
    if os.path.isdir(folder):
        for name in sorted(f[:-4] for f in os.listdir(folder) if f.endswith(".txt")):
            with open(os.path.join(folder, name + ".txt"), encoding="latin-1", newline="") as f:
                scripts[name] = f.read()
    return scripts


def write_committed(folder, scripts):
    os.makedirs(folder, exist_ok=True)
    for file in os.listdir(folder):
        if file.endswith(".txt") and file[:-4] not in scripts:
            os.remove(os.path.join(folder, file))
    for name, transcript in scripts.items():
        with open(os.path.join(folder, name + ".txt"), "w", encoding="latin-1", newline="") as f:
            f.write(transcript)


def main(argv):
    update = "--update" in argv
    args = [a for a in argv if a != "--update"]
    if len(args) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    corpus, committed_folder, builds = args[0], args[1], args[2:]
    results = []
    try:
        for spec in builds:
            name, _, where = spec.partition("=")
            build, _, library = where.partition(":")
            scripts = replay(name, build, library, corpus)
            print("%s: %d scripts, transcript sha256 %s" % (name, len(scripts), digest(scripts)), flush=True)
            results.append((name, scripts))
    except Failed as e:
        print(e, flush=True)
        return 1
    ref_name, ref = results[0]
    if update:
        write_committed(committed_folder, ref)
        print("alike: %d transcripts written to %s" % (len(ref), committed_folder))
    else:
        committed = read_committed(committed_folder)
        print("committed: %d scripts, transcript sha256 %s" % (len(committed), digest(committed)))
        results.append(("committed", committed))
    for name, scripts in results[1:]:
        report = first_difference(ref_name, ref, name, scripts)
        if report:
            print("alike: %s and %s differ: %s" % (ref_name, name, report), flush=True)
            if name == "committed":
                print("alike: after a deliberate change of behaviour, ./dev alike --update", flush=True)
            return 1
    print("identical")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
