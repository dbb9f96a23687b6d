#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the program, its
# desktop entry, the file type of calculation files, its icons, metainfo,
# manual pages, shell completion and help pages land where desktops look for
# them and are taken by the desktop's own tools, and that the command-line
# calculator beside it runs without Qt.
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
    for line in "Type=Application" "Name=Ombrel" "Exec=ombrel %f" "Icon=ombrel" "MimeType=application/x-ombrel;"; do
        grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
    done
    grep -qx 'Comment=..*' "$desktop" || fail "desktop entry has no Comment"
    categories=$(sed -n 's/^Categories=//p' "$desktop")
    [[ $categories == *";" ]] || fail "Categories must end with ';' (got '$categories')"
    # One main category, or menus list the program once under each.
    main_categories=0
    for category in AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings \
        System Utility; do
        [[ ";$categories" == *";$category;"* ]] && main_categories=$((main_categories + 1))
    done
    ((main_categories == 1)) || fail "Categories names $main_categories main categories (got '$categories')"
    [[ ";$categories" == *";AudioVideo;"* ]] || fail "Categories lacks AudioVideo"

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

for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/ombrel.png
    if [[ -f $png ]]; then
        [[ $(identify -format '%m %wx%h' "$png") == "PNG ${size}x${size}" ]] ||
            fail "$png is not a $size by $size PNG picture"
    else
        fail "share/icons/hicolor/${size}x${size}/apps/ombrel.png is missing"
    fi
done

# The program answers --help and --version without a display.
if help_text=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/ombrel" --help); then
    [[ $help_text == "Usage: ombrel "* ]] || fail "ombrel --help printed '$help_text'"
else
    fail "ombrel --help failed"
fi
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/ombrel" --version) || fail "ombrel --version failed"
[[ $version =~ ^ombrel\ [0-9]+\.[0-9]+$ ]] || fail "ombrel --version printed '$version'"

# A calculation file, named .obr and also without a name that says so.
sample=$prefix/sample
mkdir -p "$sample"
printf 'OmbrelSheet\r\n0\r\n' >"$sample/work.obr"
cp "$sample/work.obr" "$sample/work-without-extension"
# The desktop's tools, run as a package's triggers would, on the prefix only.
if XDG_DATA_DIRS=$prefix/share:/usr/share update-mime-database "$prefix/share/mime" &&
    update-desktop-database "$prefix/share/applications"; then
    (
        failures=0
        export HOME=$prefix/home XDG_DATA_HOME=$prefix/home/.local/share XDG_CONFIG_HOME=$prefix/home/.config
        export XDG_DATA_DIRS=$prefix/share:/usr/share XDG_CURRENT_DESKTOP=X-Generic
        unset DE XDG_CONFIG_DIRS KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
        for file in "$sample/work.obr" "$sample/work-without-extension"; do
            type=$(xdg-mime query filetype "$file") || fail "xdg-mime query filetype failed on $file"
            [[ $type == application/x-ombrel ]] || fail "xdg-mime names $(basename "$file") '$type'"
        done
        default=$(xdg-mime query default application/x-ombrel) || fail "xdg-mime query default failed"
        [[ $default == ombrel.desktop ]] || fail "the default program of a calculation file is '$default'"
        exit "$failures"
    ) || failures=$((failures + $?))
else
    fail "update-mime-database or update-desktop-database rejects the installed files"
fi

metainfo=$prefix/share/metainfo/com.brontel.ombrel.metainfo.xml
if [[ -f $metainfo ]]; then
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metainfo"
    grep -qF '<launchable type="desktop-id">ombrel.desktop</launchable>' "$metainfo" ||
        fail "the metainfo does not name the desktop entry"
    screenshot=$prefix/share/ombrel/screenshots/main-window.png
    [[ -f $screenshot && $(identify -format '%m' "$screenshot") == PNG ]] || fail "the screenshot is missing"
else
    fail "share/metainfo/com.brontel.ombrel.metainfo.xml is missing"
fi

for program in ombrel ombrel-calc; do
    page=$prefix/share/man/man1/$program.1.gz
    if [[ -f $page ]]; then
        text=$(MANWIDTH=80 man -l "$page" 2>"$prefix/man-errors.txt") || fail "man -l $program.1 failed"
        [[ ! -s $prefix/man-errors.txt ]] || fail "man -l $program.1 complains: $(cat "$prefix/man-errors.txt")"
        [[ $text == *--version* && $text == *--help* ]] || fail "the $program page lacks its options"
    else
        fail "share/man/man1/$program.1.gz is missing"
    fi
done

# complete_calc WORD...: what bash completion offers for the last word.
complete_calc() {
    PATH=$prefix/bin:$PATH bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$0"
        COMP_WORDS=(ombrel-calc "$@")
        COMP_CWORD=$#
        COMP_LINE="ombrel-calc $*"
        COMP_POINT=${#COMP_LINE}
        _ombrel_calc ombrel-calc "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' "$prefix/share/bash-completion/completions/ombrel-calc" "$@"
}
if [[ -f $prefix/share/bash-completion/completions/ombrel-calc ]]; then
    rates=$(complete_calc --rate '')
    for rate in 23.976 25 29.97 29.97df 59.94df 60; do
        grep -qxF "$rate" <<<"$rates" || fail "completion of --rate lacks $rate (offers: $(echo $rates))"
    done
    [[ $(complete_calc --to 29.97d) == 29.97df ]] || fail "completion of --to 29.97d is not 29.97df"
    [[ $(complete_calc --format d) == dropframe ]] || fail "completion of --format d is not dropframe"
    options=$(complete_calc --s)
    for option in --sheet --sum; do
        grep -qxF -- "$option" <<<"$options" || fail "completion of --s lacks $option"
    done
    sheets=$(cd "$sample" && complete_calc --sheet w)
    [[ $sheets == work.obr ]] || fail "completion of --sheet offers '$sheets', not the calculation file"
else
    fail "share/bash-completion/completions/ombrel-calc is missing"
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
