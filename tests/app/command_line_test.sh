#!/usr/bin/env bash
# Runs the editor with every display variable removed, as on a build server: --help and
# --version answer on standard output with status 0, an unknown option gives the usage on
# standard error with status 2. Usage: command_line_test.sh TALKWRIGHT VERSION
set -uo pipefail
editor=$1
version=$2
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" "$@" \
        >"$scratch/out" 2>"$scratch/err"
}

run --help
status=$?
[[ $status -eq 0 ]] || fail "--help exited $status: $(cat "$scratch/err")"
grep -q -- '--quit-after <MS>' "$scratch/out" || fail "--help does not list --quit-after"
grep -q -- '--version' "$scratch/out" || fail "--help does not list --version"
[[ ! -s $scratch/err ]] || fail "--help wrote to standard error: $(cat "$scratch/err")"

run --version
status=$?
[[ $status -eq 0 ]] || fail "--version exited $status"
[[ $(cat "$scratch/out") == "Talkwright $version" ]] || fail "--version said '$(cat "$scratch/out")'"

run --no-such-option file.vrx
status=$?
[[ $status -eq 2 ]] || fail "an unknown option exited $status, not 2"
[[ ! -s $scratch/out ]] || fail "an unknown option wrote to standard output"
head -n 1 "$scratch/err" | grep -qx "talkwright: Unknown option 'no-such-option'." ||
    fail "unknown option message: $(head -n 1 "$scratch/err")"
grep -q -- '--quit-after <MS>' "$scratch/err" || fail "the usage is missing after the error"

if ((failures > 0)); then
    exit 1
fi
echo "talkwright answers --help, --version and unknown options without a display"
