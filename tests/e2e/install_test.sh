#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the program, its
# desktop entry, its icon and its help pages land where desktops look for them,
# and that the command-line calculator beside it runs without Qt.
#   install_test.sh <ombrel binary> [build dir] [cmake]
# The build dir defaults to $OMBREL_BUILD_DIR, else the binary's folder.
set -euo pipefail

binary=${1:?usage: install_test.sh <ombrel binary> [build dir] [cmake]}
build_dir=${2:-${OMBREL_BUILD_DIR:-$(dirname "$binary")}}
cmake_command=${3:-cmake}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

[[ -x $binary ]] || { echo "FAIL: $binary is not built" >&2; exit 1; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake_command" --install "$build_dir" --prefix "$prefix" >"$prefix.log" 2>&1 || {
    cat "$prefix.log" >&2
    rm -f "$prefix.log"
    echo "FAIL: cmake --install failed" >&2
    exit 1
}
rm -f "$prefix.log"

[[ -x $prefix/bin/ombrel ]] || fail "bin/ombrel is missing or not executable"

desktop=$prefix/share/applications/ombrel.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/ombrel.svg
help=$prefix/share/ombrel/help

if [[ -f $desktop ]]; then
    [[ $(head -n 1 "$desktop") == "[Desktop Entry]" ]] || fail "desktop entry does not start with [Desktop Entry]"
    for line in "Type=Application" "Name=Ombrel" "Exec=ombrel %f" "Icon=ombrel"; do
        grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
    done
    grep -qx 'Comment=..*' "$desktop" || fail "desktop entry has no Comment"
    categories=$(sed -n 's/^Categories=//p' "$desktop")
    [[ $categories == *";" ]] || fail "Categories must end with ';' (got '$categories')"
    for category in AudioVideo Video Utility; do
        [[ ";$categories" == *";$category;"* ]] || fail "Categories lacks $category"
    done
    # Every line is a group header, a comment, blank or key=value.
    if grep -vnE '^(\[.+\]|#.*|[A-Za-z0-9-]+(\[[^]]+\])?=.*|)$' "$desktop"; then
        fail "desktop entry has malformed lines (above)"
    fi
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
    fi
else
    fail "share/applications/ombrel.desktop is missing"
fi

if [[ -f $icon ]]; then
    grep -q '<svg' "$icon" || fail "the icon is not an SVG picture"
    grep -q 'viewBox="0 0 256 256"' "$icon" || fail "the icon is not drawn on a 256 by 256 view box"
else
    fail "share/icons/hicolor/scalable/apps/ombrel.svg is missing"
fi

if [[ -f $help/index.txt ]]; then
    pages=$(sed -n 's/^page \([^ ]*\).*/\1/p' "$help/index.txt")
    [[ -n $pages ]] || fail "the help index lists no pages"
    for page in $pages; do
        [[ -f $help/$page ]] || fail "help page $page is missing"
    done
    [[ -f $help/help.css ]] || fail "help.css is missing"
    # The pictures the pages show must be there for a web browser too.
    for picture in $(grep -ho 'src="[^"]*"' "$help"/*.html | sed 's/^src="//; s/"$//' | sort -u); do
        [[ -f $help/$picture ]] || fail "help picture $picture is missing"
    done
else
    fail "share/ombrel/help/index.txt is missing"
fi

calc=$prefix/bin/ombrel-calc
if [[ -x $calc ]]; then
    result=$("$calc" 01:00:00:00 + 00:00:10:12) || fail "ombrel-calc failed on a good expression"
    [[ $result == "01:00:10:12" ]] || fail "ombrel-calc printed '$result' for 01:00:00:00 + 00:00:10:12"
    result=$(printf '00:00:59:29 + 1\n00:09:59:29 + 1\n' | "$calc" --rate 29.97df) || fail "ombrel-calc failed on stdin"
    [[ $result == $'00;01;00;02\n00;10;00;00' ]] || fail "ombrel-calc printed '$result' for two drop-frame lines"
    if "$calc" --rate 29.97df 00:00:00:30 >"$prefix/out.txt" 2>"$prefix/err.txt"; then
        fail "ombrel-calc accepted frame 30 at 29.97df"
    fi
    [[ ! -s $prefix/out.txt ]] || fail "ombrel-calc printed a result for a bad expression"
    grep -qxF "ombrel-calc: frame 30 is out of range at 29.97df (00:00:00:30)" "$prefix/err.txt" ||
        fail "ombrel-calc's message for a bad frame is '$(cat "$prefix/err.txt")'"
    if ldd "$calc" | grep -q 'libQt'; then
        fail "ombrel-calc links Qt"
    fi
else
    fail "bin/ombrel-calc is missing or not executable"
fi

if ((failures > 0)); then
    echo "$failures install check(s) failed" >&2
    exit 1
fi
echo "install layout OK"
