#!/bin/bash
# The Debian package built from this build holds exactly what cmake
# --install puts under the prefix /usr, and depends on the Japanese font.
# Skipped (exit code 77) without the Debian package tools.
set -u
build="$1"
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$folder/package" >"$folder/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$folder/cpack.log")"
deb=$(ls "$folder"/package/tamble_*.deb) || fail "no package"
dpkg-deb -f "$deb" Depends | grep -q "fonts-ipafont-gothic" || fail "the font is no dependency"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "no dependencies from the binary"

cmake --install "$build" --prefix "$folder/usr" >/dev/null || fail "cmake --install"
(cd "$folder" && find usr ! -type d | sort) >"$folder/installed"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$folder/packaged"
diff "$folder/installed" "$folder/packaged" || fail "the package and the install differ"
echo "the package holds what install puts"
