#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it declares and
# holds, then unpacks it into a scratch root and runs ombrel-calc from there.
#   debian_package_test.sh <build dir> [cpack]
set -euo pipefail

build_dir=${1:?usage: debian_package_test.sh <build dir> [cpack]}
cpack_command=${2:-cpack}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! "$cpack_command" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack -G DEB failed" >&2
    exit 1
fi
packages=("$work"/out/ombrel_*.deb)
[[ -f ${packages[0]} ]] || { echo "FAIL: cpack made no ombrel_*.deb" >&2; exit 1; }
package=${packages[0]}

info=$(dpkg-deb --info "$package")
depends=$(dpkg-deb --field "$package" Depends)
# Worked out by dpkg-shlibdeps from the programs, not written by hand.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 libc6 libstdc++6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
for field in Package Version Architecture Maintainer Description Section; do
    grep -q "^ $field: ." <<<"$info" || fail "the package has no $field"
done

contents=$(dpkg-deb --contents "$package" | awk '{print $6}')
for file in ./usr/bin/ombrel ./usr/bin/ombrel-calc \
    ./usr/share/applications/ombrel.desktop \
    ./usr/share/mime/packages/ombrel.xml \
    ./usr/share/metainfo/com.brontel.ombrel.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/ombrel.svg \
    ./usr/share/icons/hicolor/48x48/apps/ombrel.png \
    ./usr/share/icons/hicolor/256x256/apps/ombrel.png \
    ./usr/share/ombrel/screenshots/main-window.png \
    ./usr/share/man/man1/ombrel.1.gz ./usr/share/man/man1/ombrel-calc.1.gz \
    ./usr/share/bash-completion/completions/ombrel-calc \
    ./usr/share/ombrel/help/index.txt; do
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done

root=$work/root
dpkg-deb -x "$package" "$root"
version=$("$root/usr/bin/ombrel-calc" --version) || fail "the unpacked ombrel-calc --version failed"
[[ $version == "ombrel-calc $(dpkg-deb --field "$package" Version)" ]] ||
    fail "the unpacked ombrel-calc printed '$version'"
result=$("$root/usr/bin/ombrel-calc" --rate 29.97df 00:00:59:29 + 1) || fail "the unpacked ombrel-calc failed"
[[ $result == "00;01;00;02" ]] || fail "the unpacked ombrel-calc printed '$result'"
version=$(env -u DISPLAY "$root/usr/bin/ombrel" --version) || fail "the unpacked ombrel --version failed"
[[ $version == "ombrel $(dpkg-deb --field "$package" Version)" ]] || fail "the unpacked ombrel printed '$version'"

if ((failures > 0)); then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
echo "debian package OK: $(basename "$package")"
