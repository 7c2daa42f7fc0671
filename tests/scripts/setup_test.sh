#!/bin/bash
# scripts/setup.sh against stand-in system commands: what it installs for whom, and what it
# says when it cannot install.
set -u
script="$1/scripts/setup.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A folder of stand-in commands. $1: user id; $2: "none" or "all" packages installed;
# $3: "sudo" to have sudo.
make_system() {
  rm -rf "$work/bin" "$work/log"
  mkdir -p "$work/bin"
  ln -s "$(command -v grep)" "$work/bin/grep"
  ln -s "$(command -v env)" "$work/bin/env"
  printf '#!/bin/sh\necho %s\n' "$1" >"$work/bin/id"
  if [ "$2" = all ]; then
    printf '#!/bin/sh\nprintf "install ok installed"\n' >"$work/bin/dpkg-query"
  else
    printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
  fi
  printf '#!/bin/sh\necho "apt-get $*" >>"%s/log"\n' "$work" >"$work/bin/apt-get"
  if [ "${3:-}" = sudo ]; then
    printf '#!/bin/sh\necho "sudo $1" >>"%s/log"\nexec "$@"\n' "$work" >"$work/bin/sudo"
  fi
  chmod +x "$work"/bin/*
}

run() { PATH="$work/bin" /bin/bash "$script" "$@" >"$work/out" 2>&1; }

# A user without sudo is told what is missing and that administrator rights are needed.
make_system 1000 none
run; rc=$?
[ $rc -eq 1 ] || fail "no rights: exit $rc"
grep -q "administrator rights" "$work/out" || fail "no rights: not said: $(cat "$work/out")"
grep -q "missing packages:.*libsdl2-dev.*libgtest-dev" "$work/out" || fail "no rights: list"
grep -q "not found" "$work/out" && fail "no rights: a command was not found: $(cat "$work/out")"
[ -e "$work/log" ] && fail "no rights: something was installed"

# --play leaves out the test tools.
run --play; rc=$?
[ $rc -eq 1 ] || fail "--play: exit $rc"
grep -q "libsdl2-dev" "$work/out" || fail "--play: the game's packages are missing from the list"
grep -q "libgtest-dev\|clang-format\|lintian" "$work/out" && fail "--play: test tools listed"

# Root installs directly; a user with sudo installs through it.
make_system 0 none
run --play; rc=$?
[ $rc -eq 0 ] || fail "root: exit $rc: $(cat "$work/out")"
grep -q "^apt-get install .*libsdl2-dev" "$work/log" || fail "root: no install: $(cat "$work/log")"
grep -q "^sudo" "$work/log" && fail "root: used sudo"
make_system 1000 none sudo
run; rc=$?
[ $rc -eq 0 ] || fail "sudo: exit $rc: $(cat "$work/out")"
grep -q "^sudo env" "$work/log" || fail "sudo: install not through sudo: $(cat "$work/log")"
grep -q "^apt-get install .*libgtest-dev.*lintian" "$work/log" || fail "sudo: test tools not installed"

# Everything present: nothing to do, no rights needed.
make_system 1000 all
run; rc=$?
[ $rc -eq 0 ] || fail "all present: exit $rc"
[ -e "$work/log" ] && fail "all present: something was installed"

# Unknown option.
run --everything; rc=$?
[ $rc -eq 2 ] || fail "unknown option: exit $rc"

[ $failures -eq 0 ] && echo "setup script: all cases passed"
exit $((failures > 0))
