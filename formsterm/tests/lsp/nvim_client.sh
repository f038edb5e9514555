#!/usr/bin/env bash
# nvim_client.sh FORMSTERM EXAMPLE_DIR - Neovim, headless, with its built-in
# LSP client against `formsterm lsp` on a copy of the example (see
# nvim_client.lua). Skipped (77) without Neovim.
set -euo pipefail
formsterm=$(realpath "$1")
example=$2
command -v nvim >/dev/null || { echo "nvim_client: Neovim is not installed"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$example"/*.VAL "$folder"
FORMSTERM=$formsterm FOLDER=$folder HOME=$folder XDG_STATE_HOME=$folder XDG_DATA_HOME=$folder \
  nvim --headless -u NONE -i NONE -n -c "luafile $(dirname "$0")/nvim_client.lua"
