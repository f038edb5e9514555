#!/bin/sh
# package_test.sh - the Debian package, unpacked with dpkg -x into a scratch
# root outside the source tree, used the way its users use it:
#
#   package_test.sh formsterm DEB
#       the installed formsterm runs the installed example's test and checks
#       its help file, from a scratch folder; the man page holds the Lua API;
#       without its library, or with one of another version, formsterm names
#       the file and exits 2
#   package_test.sh consumer DEB SOURCE CMAKE GENERATOR MAKE_PROGRAM CXX
#       the host program at SOURCE builds against the installed CMake package
#       (and against pkg-config termrt where pkg-config is installed) and
#       prints the first row of the screen
set -eu
what=$1 deb=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"
cd "$scratch"

fail() {
  echo "package_test: $*" >&2
  exit 1
}

# expect_failure TEXT COMMAND...: the command exits 2 saying TEXT.
expect_failure() {
  text=$1
  shift
  status=0
  "$@" >out.txt 2>&1 || status=$?
  cat out.txt
  [ "$status" -eq 2 ] || fail "exit status $status, not 2: $*"
  grep -qF "$text" out.txt || fail "no \"$text\" in what $* said"
}

installed_formsterm() {
  formsterm=$root/usr/bin/formsterm
  example=$root/usr/share/doc/forms/examples/receiving
  library=$(find "$root/usr/lib" -name libforms.so)
  "$formsterm" --version
  "$formsterm" test "$example/receiving_test.lua"
  (cd "$example" && "$formsterm" check HELP.VAL)
  zcat "$root/usr/share/man/man1/formsterm.1.gz" | grep -q '^.SH .*LUA API' || fail "the man page has no Lua API"

  mv "$library" "$library.away"
  expect_failure "$library is missing" "$formsterm" test "$example/receiving_test.lua"
  cp "$(dirname "$library")/libtermrt.so" "$library"
  expect_failure "$library carries no version" "$formsterm" --version
  mv "$library.away" "$library"
}

consumer() {
  source=$1 cmake=$2 generator=$3 make_program=$4 cxx=$5
  "$cmake" -S "$source" -B build -G "$generator" -DCMAKE_MAKE_PROGRAM="$make_program" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
  grep -q "^forms_DIR:PATH=$root/" build/CMakeCache.txt || fail "forms was not found in $root"
  "$cmake" --build build >/dev/null
  build/consumer | tee out.txt
  grep -q '^row 0: Bad CZEB(M1):07NOTHING' out.txt || fail "not the report of the unknown command"
  if command -v pkg-config >/dev/null; then
    export PKG_CONFIG_PATH
    PKG_CONFIG_PATH=$(dirname "$(find "$root" -name termrt.pc)")
    # shellcheck disable=SC2046 # the flags are words
    "$cxx" -std=c++17 -o consumer-pc "$source/consumer.cpp" $(pkg-config --cflags --libs termrt) \
      -DFORMS_LIBRARY="\"$(find "$root" -name libforms.so)\""
    ./consumer-pc | grep -q '^row 0: Bad CZEB' || fail "the consumer built with pkg-config does not run"
  fi
}

case $what in
  formsterm) installed_formsterm ;;
  consumer)
    shift 2
    consumer "$@"
    ;;
  *) fail "unknown test $what" ;;
esac
