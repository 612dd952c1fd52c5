#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop sees there: the file
# list, the desktop entry, the AppStream metainfo, the .vrx file type (by name and by its
# magic number) with the editor as its handler, the icons, the manual pages and the shell
# completion. Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION MIME_LOOKUP
set -uo pipefail
build=$1
source=$2
version=$3
mime_lookup=$4
app_id=org.talkwright.Talkwright
mime_type=application/x-talkwright-dialogue
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr
share=$prefix/share

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expected_files() {
    echo bin/talkwright
    echo bin/talkwright-cli
    echo share/applications/$app_id.desktop
    echo share/metainfo/$app_id.metainfo.xml
    echo share/mime/packages/$app_id.xml
    echo share/icons/hicolor/scalable/apps/$app_id.svg
    for size in 16 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    done
    echo share/man/man1/talkwright.1
    echo share/man/man1/talkwright-cli.1
    echo share/bash-completion/completions/talkwright-cli
}

check_file_list() {
    (cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$scratch/installed"
    expected_files | sort >"$scratch/expected"
    diff -u "$scratch/expected" "$scratch/installed" >"$scratch/diff" ||
        fail "installed files differ from the expected list:$(printf '\n')$(cat "$scratch/diff")"
    [[ -x $prefix/bin/talkwright && -x $prefix/bin/talkwright-cli ]] ||
        fail "the programs are not executable"
}

check_validators() {
    desktop-file-validate "$share/applications/$app_id.desktop" >"$scratch/log" 2>&1 ||
        fail "desktop-file-validate: $(cat "$scratch/log")"
    [[ ! -s $scratch/log ]] || fail "desktop-file-validate warns: $(cat "$scratch/log")"
    grep -qx 'Exec=talkwright %F' "$share/applications/$app_id.desktop" ||
        fail "the desktop entry does not run 'talkwright %F'"
    appstreamcli validate --no-net --pedantic "$share/metainfo/$app_id.metainfo.xml" \
        >"$scratch/log" 2>&1 || fail "appstreamcli validate: $(cat "$scratch/log")"
    grep -q "<release version=\"$version\"" "$share/metainfo/$app_id.metainfo.xml" ||
        fail "the metainfo has no release entry for version $version"
    xmllint --noout "$share/mime/packages/$app_id.xml" >"$scratch/log" 2>&1 ||
        fail "the MIME definition is not well-formed XML: $(cat "$scratch/log")"
}

# A dialogue from the samples, the same bytes without an extension (only the magic number
# can tell), and a text file, with the scratch tree before the system's own types.
check_file_type() {
    XDG_DATA_DIRS=$share update-mime-database "$share/mime" >"$scratch/log" 2>&1 ||
        fail "update-mime-database: $(cat "$scratch/log")"
    [[ ! -s $scratch/log ]] || fail "update-mime-database warns: $(cat "$scratch/log")"
    [[ -f $share/mime/${mime_type}.xml ]] || fail "update-mime-database did not take $mime_type"
    cp "$source/samples/innkeeper.vrx" "$scratch/innkeeper.vrx"
    cp "$source/samples/innkeeper.vrx" "$scratch/no-extension"
    printf 'plain words\n' >"$scratch/notes.txt"
    XDG_DATA_HOME=$scratch/home XDG_DATA_DIRS=$share:/usr/share "$mime_lookup" "$scratch/innkeeper.vrx" "$scratch/no-extension" \
        "$scratch/notes.txt" >"$scratch/types"
    printf '%s\n' "$mime_type" "$mime_type" text/plain | diff -u - "$scratch/types" \
        >"$scratch/diff" || fail "file types seen by the desktop: $(cat "$scratch/diff")"
    update-desktop-database "$share/applications" >"$scratch/log" 2>&1 ||
        fail "update-desktop-database: $(cat "$scratch/log")"
    grep -qx "$mime_type=$app_id.desktop;" "$share/applications/mimeinfo.cache" ||
        fail "the editor is not the handler of $mime_type"
}

# The PNG header holds the width and height as big-endian 32-bit numbers at byte 16.
check_icons() {
    for size in 16 32 48 64 128 256; do
        local png="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
        local header
        header=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')
        local expected
        expected=$(printf ' 0 0 %d %d 0 0 %d %d' $((size >> 8)) $((size & 255)) \
            $((size >> 8)) $((size & 255)))
        [[ $header == "$expected" ]] || fail "$png is not ${size}x${size} (header$header)"
    done
    xmllint --noout "$share/icons/hicolor/scalable/apps/$app_id.svg" ||
        fail "the SVG icon is not well-formed XML"
}

# Every command of the program's help has its usage line in the manual page.
check_manual_pages() {
    for page in talkwright talkwright-cli; do
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" \
            >/dev/null 2>"$scratch/log" || fail "man $page: $(cat "$scratch/log")"
        [[ ! -s $scratch/log ]] || fail "man $page warns: $(cat "$scratch/log")"
    done
    "$prefix/bin/talkwright-cli" --help | sed -n 's/^  talkwright-cli //p' >"$scratch/usages"
    [[ -s $scratch/usages ]] || fail "talkwright-cli --help lists no commands"
    sed 's/\\-/-/g' "$share/man/man1/talkwright-cli.1" >"$scratch/page"
    while IFS= read -r usage; do
        grep -qxF ".B talkwright-cli $usage" "$scratch/page" ||
            fail "the manual page of talkwright-cli lacks '$usage'"
    done <"$scratch/usages"
}

# Completion as bash runs it: the words typed so far in, the candidates out.
complete_words() {
    PATH=$prefix/bin:$PATH bash -c '
        source "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _talkwright_cli
        printf "%s\n" "${COMPREPLY[@]}" | sort' \
        complete "$share/bash-completion/completions/talkwright-cli" "$@"
}

check_completion() {
    sed 's/ .*//' "$scratch/usages" | sort >"$scratch/commands"
    complete_words talkwright-cli "" | grep -v -e '^-' -e '^help$' >"$scratch/completed"
    diff -u "$scratch/commands" "$scratch/completed" >"$scratch/diff" ||
        fail "completion of the command name: $(cat "$scratch/diff")"
    [[ $(complete_words talkwright-cli ge) == generate ]] || fail "'ge' does not complete"
    [[ $(complete_words talkwright-cli help ch) == check ]] || fail "'help ch' does not complete"
    complete_words talkwright-cli generate --n | grep -qx -- --nodes ||
        fail "'generate --n' does not complete to --nodes"
    complete_words talkwright-cli script --s | grep -qx -- --state ||
        fail "'script --s' does not complete to --state"
    touch "$scratch/walk-through.vrx"
    [[ $(complete_words talkwright-cli check "$scratch/walk-") == "$scratch/walk-through.vrx" ]] ||
        fail "file names do not complete"
}

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; exit 1; }
check_file_list
check_validators
check_file_type
check_icons
check_manual_pages
check_completion

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the installed tree is complete and every validator accepts it"
