#!/usr/bin/env python3
"""vscode_manifest.py EDITORS_VSCODE - the VS Code client's manifest is JSON
that names the help-file language, its entry file, and a client that starts
`formsterm lsp` through vscode-languageclient."""
import json
import os
import sys

folder = sys.argv[1]
with open(os.path.join(folder, "package.json")) as f:
    manifest = json.load(f)
languages = {lang["id"]: lang for lang in manifest["contributes"]["languages"]}
with open(os.path.join(folder, manifest["main"])) as f:
    client = f.read()
problems = [what for what, ok in [
    ("the language formshelp for .VAL files", ".VAL" in languages.get("formshelp", {}).get("extensions", [])),
    ("activation on the language", "onLanguage:formshelp" in manifest["activationEvents"]),
    ("vscode-languageclient as a dependency", "vscode-languageclient" in manifest["dependencies"]),
    ("the command formsterm", manifest["contributes"]["configuration"]["properties"]["formsterm.command"]["default"]
     == "formsterm"),
    ("a client that runs formsterm lsp for formshelp", "'lsp'" in client and "language: 'formshelp'" in client),
] if not ok]
for what in problems:
    print("vscode_manifest: missing " + what)
sys.exit(1 if problems else 0)
