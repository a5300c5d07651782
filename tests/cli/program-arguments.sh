#!/usr/bin/env bash
# program-arguments.sh QUILLMERE VERSION — help, version and a mistyped argument are
# answered without a display, as from a login over ssh: exit code, standard output and
# standard error each compared whole.
set -uo pipefail
exe=$1 version=$2
status=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

matches() {  # matches FILE PATTERN — the whole file matches; an empty pattern: the file is empty
  if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Pzq -- "$2" "$1"; fi
}

check() {  # check EXPECTED_CODE STDOUT_PATTERN STDERR_PATTERN ARGUMENT…
  local code=$1 stdout=$2 stderr=$3
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" "$@" >"$out" 2>"$err"
  local got=$?
  if [ "$got" -ne "$code" ] || ! matches "$out" "$stdout" || ! matches "$err" "$stderr"; then
    echo "quillmere $*: exit $got (want $code)"; echo "stdout:"; cat "$out"; echo "stderr:"; cat "$err"
    status=1
  fi
}

# The help names both ways to run the program.
help='^Quillmere：.*\n\n用法：\n  quillmere\n .*窗口.*\n  quillmere print \[选项\] 输入\n .*\n  quillmere --help\n.*\n  quillmere --version\n.*\n\z'
check 0 "$help" '' --help
check 0 "$help" '' -h
check 0 "^quillmere ${version//./\\.}\n\z" '' --version
check 0 "^quillmere ${version//./\\.}\n\z" '' print --version
check 2 '' '^quillmere：不认识的参数“prnt”。用 quillmere --help 查看用法。\n\z' prnt
check 2 '' '^quillmere：不认识的参数“--versoin”。.*\n\z' --versoin
exit $status
