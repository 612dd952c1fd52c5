#!/usr/bin/env bash
# Runs the editor with every display variable removed, as on a build server: --help, -h and
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

# Help is answered even with files named, which are not opened.
for option in --help -h; do
    run "$option" a.vrx
    status=$?
    [[ $status -eq 0 ]] || fail "$option exited $status: $(cat "$scratch/err")"
    for part in '--quit-after <MS>' '--version' '--autosave-interval <SECONDS>' '[FILE.vrx ...]'; do
        grep -qF -- "$part" "$scratch/out" || fail "$option does not list $part"
    done
    [[ ! -s $scratch/err ]] || fail "$option wrote to standard error: $(cat "$scratch/err")"
done

run --version
status=$?
[[ $status -eq 0 ]] || fail "--version exited $status"
printf 'Talkwright %s\n' "$version" | cmp -s - "$scratch/out" ||
    fail "--version said '$(cat "$scratch/out")'"

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
