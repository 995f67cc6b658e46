#!/usr/bin/env bash
# Builds the Debian package with cpack from the build's own CPack configuration, prints its control
# fields and contents (dpkg-deb -I, -c), and checks its name, version, dependencies and that it
# holds exactly the installed files. Skips (77) on a machine without the Debian tools.
# Usage: deb_package_test.sh SOURCE_DIR BUILD_DIR WORK_DIR VERSION
set -euo pipefail
# shellcheck source=install_test_common.sh
source "$(dirname "$0")/install_test_common.sh" "$@"

for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages dpkg-dev, file); the package is not built"
    exit 77
  fi
done

rm -rf "$WORK"
mkdir -p "$WORK"
echo "== cpack -G DEB --config $BUILD_DIR/CPackConfig.cmake -B $WORK"
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log"; fail "cpack failed"; }
ARCH=$(dpkg --print-architecture)
DEB="$WORK/orrerion_${VERSION}_${ARCH}.deb"
[ -f "$DEB" ] || { ls "$WORK"; fail "cpack wrote no $(basename "$DEB")"; }

echo "== dpkg-deb -I $(basename "$DEB")"
dpkg-deb -I "$DEB"
echo "== dpkg-deb -c $(basename "$DEB")"
dpkg-deb -c "$DEB"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = orrerion ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', not $VERSION"
[ "$(field Architecture)" = "$ARCH" ] || fail "Architecture is '$(field Architecture)'"
# Libraries from dpkg-shlibdeps, and what the programs read at run time.
depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libqt6widgets6 libqt6printsupport6 libgeonames0 libdate-tz3 libstdc++6 fonts-liberation fonts-dejavu-core fonts-symbola libgeonames-common tzdata; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# Exactly the installed files, under /usr; directories and files owned by root.
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' | LC_ALL=C sort >"$WORK/contents.txt"
expected_files >"$WORK/expected.txt"
diff -u "$WORK/expected.txt" "$WORK/contents.txt" ||
  fail "the package's files differ from tests/install/installed_files.txt (- expected, + packaged)"
if dpkg-deb -c "$DEB" | awk '{ print $2 }' | grep -qv '^root/root$'; then
  fail "the package holds files not owned by root"
fi
echo "PASS: $(basename "$DEB") built with its dependencies and the installed files"
