#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR, prefix /usr) and runs the installed programs
# as a new user would: with an empty HOME and no XDG_* folders.
#   - exactly the expected files are installed, and the programs load no library from the build;
#   - every program's --version names the project's version;
#   - orrerion-cli computes a chart identical to the approved one, runs a short scan that fills the
#     user's data folder from the installed data and writes its reports there, and finds the
#     installed atlas program;
#   - the desktop program reports the installed atlas program and the user's data folder, and on
#     its first start, offscreen, creates that folder and fills it from the installed data
#     without overwriting a file already there.
# Usage: staged_install_test.sh SOURCE_DIR BUILD_DIR WORK_DIR VERSION
set -euo pipefail
# shellcheck source=install_test_common.sh
source "$(dirname "$0")/install_test_common.sh" "$@"

rm -rf "$WORK"
mkdir -p "$WORK"
STAGE="$WORK/stage"
PREFIX="$STAGE/usr"
echo "== DESTDIR=$STAGE cmake --install $BUILD_DIR --prefix /usr"
DESTDIR="$STAGE" cmake --install "$BUILD_DIR" --prefix /usr >"$WORK/install.log" ||
  { cat "$WORK/install.log"; fail "cmake --install failed"; }

echo "== installed files"
(cd "$PREFIX" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) >"$WORK/installed.txt"
expected_files >"$WORK/expected.txt"
diff -u "$WORK/expected.txt" "$WORK/installed.txt" ||
  fail "the installed files differ from tests/install/installed_files.txt (- expected, + installed)"

echo "== library paths of the installed programs"
for program in bin/orrerion bin/orrerion-cli libexec/orrerion/ATLAS.EXE; do
  runpath=$(readelf -d "$PREFIX/$program" | grep -E 'RUNPATH|RPATH' || true)
  case "$runpath" in
    *"$BUILD_DIR"* | *"$SOURCE_DIR"*) fail "$program keeps a library path into the build: $runpath" ;;
  esac
  if ldd "$PREFIX/$program" | grep -q 'not found'; then
    ldd "$PREFIX/$program" >&2
    fail "$program needs a library that is not found"
  fi
done

# A new user: an empty home, no XDG folders but a private runtime folder for the single-copy lock.
# Sets AS_USER to the env command that runs a program as that user.
as_new_user() {
  local home=$1
  mkdir -p "$home" "$home.run"
  chmod 700 "$home.run"
  AS_USER=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_DIRS -u XDG_CONFIG_DIRS
    -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_RUNTIME_DIR="$home.run" LC_ALL=C.UTF-8
    QT_QPA_PLATFORM=offscreen)
}
new_user() {
  as_new_user "$1"
  "${AS_USER[@]}" "${@:2}"
}

echo "== --version"
for program in bin/orrerion bin/orrerion-cli libexec/orrerion/ATLAS.EXE; do
  got=$(new_user "$WORK/home-version" "$PREFIX/$program" --version)
  [ "$got" = "$(basename "$program") $VERSION" ] || fail "$program --version printed '$got', not '$(basename "$program") $VERSION'"
done
[ ! -e "$WORK/home-version/.local" ] || fail "--version wrote into the home folder"

echo "== orrerion-cli chart (approved case john_smith_placidus)"
CASE="$SOURCE_DIR/tests/golden/chart/john_smith_placidus"
mapfile -t args <"$CASE/args"
for i in "${!args[@]}"; do
  [ "${args[$i]}" = "--options" ] && args[i + 1]="$SOURCE_DIR/tests/golden/${args[$((i + 1))]}"
done
status=0
new_user "$WORK/home-cli" "$PREFIX/bin/orrerion-cli" "${args[@]}" >"$WORK/chart.out" 2>"$WORK/chart.err" || status=$?
[ "$status" = "$(cat "$CASE/status")" ] || { cat "$WORK/chart.err"; fail "chart ended with $status"; }
cmp "$WORK/chart.out" "$CASE/stdout.txt" || fail "the installed orrerion-cli's chart differs from $CASE/stdout.txt"
cmp "$WORK/chart.err" "$CASE/stderr.txt" || fail "the installed orrerion-cli's messages differ from $CASE/stderr.txt"

echo "== orrerion-cli scan --days 5 (the user's data folder, filled from the installed data)"
USER_DATA="$WORK/home-cli/.local/share/Orrerion/Orrerion"
new_user "$WORK/home-cli" "$PREFIX/bin/orrerion-cli" scan \
  --natal "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43" --diurnal ",07 Dec 2026,12.00,P,5,074.00,40.43" \
  --date-order 0 --days 5 >"$WORK/scan.out" 2>"$WORK/scan.err" || { cat "$WORK/scan.err"; fail "scan failed"; }
for shipped in "$PREFIX/share/orrerion/data/"*; do
  cmp "$shipped" "$USER_DATA/$(basename "$shipped")" || fail "the data folder lacks $(basename "$shipped")"
done
reports=$(find "$USER_DATA/reports" -type f -name 'John_*' | wc -l)
[ "$reports" = 16 ] || fail "the scan wrote $reports report files into $USER_DATA/reports, not 16"
grep -q "John Smith" "$WORK/scan.out" || fail "the scan printed no listing"

echo "== orrerion-cli atlas"
new_user "$WORK/home-cli" "$PREFIX/bin/orrerion-cli" atlas Boston --date 1950-07-01 --time 12:00 >"$WORK/atlas.out" ||
  fail "orrerion-cli atlas failed"
grep -q '^Boston | Massachusetts | .* | America/New_York | zone 4 ' "$WORK/atlas.out" ||
  { cat "$WORK/atlas.out"; fail "orrerion-cli atlas did not list Boston at zone 4"; }

echo "== orrerion --folders"
GUI_HOME="$WORK/home-gui"
GUI_DATA="$GUI_HOME/.local/share/Orrerion/Orrerion"
new_user "$GUI_HOME" "$PREFIX/bin/orrerion" --folders >"$WORK/folders.out"
printf 'data: %s\nshipped data: %s\natlas program: %s\n' "$GUI_DATA" "$PREFIX/share/orrerion/data" \
  "$PREFIX/libexec/orrerion/ATLAS.EXE" >"$WORK/folders.expected"
diff -u "$WORK/folders.expected" "$WORK/folders.out" || fail "orrerion --folders"
[ ! -e "$GUI_DATA" ] || fail "--folders created the data folder"

echo "== orrerion, first start offscreen"
# A names file of the user's own, there before the first start, must survive it.
mkdir -p "$GUI_DATA"
printf 'Mine,01 Jan 2000,1.00,A,0,000.00,00.00\r\n' >"$GUI_DATA/NAMES.FIL"
as_new_user "$GUI_HOME"
"${AS_USER[@]}" timeout 120 "$PREFIX/bin/orrerion" >"$WORK/gui.log" 2>&1 &
pid=$!
filled=no
for _ in $(seq 1 60); do
  if [ -d "$GUI_DATA/reports" ] && [ -f "$GUI_DATA/OPTIONS.OPT" ]; then
    filled=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
# Let it show its windows: a program that fails there ends within these seconds.
[ "$filled" = yes ] && sleep 3
running=no
if kill -0 "$pid" 2>/dev/null; then running=yes; fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ "$filled" = yes ] || { cat "$WORK/gui.log"; fail "the desktop program did not fill $GUI_DATA"; }
[ "$running" = yes ] || { cat "$WORK/gui.log"; fail "the desktop program ended on its own after starting"; }
for shipped in "$PREFIX/share/orrerion/data/"*; do
  name=$(basename "$shipped")
  [ "$name" = NAMES.FIL ] && continue
  cmp "$shipped" "$GUI_DATA/$name" || fail "the data folder lacks $name"
done
[ "$(cat "$GUI_DATA/NAMES.FIL")" = "$(printf 'Mine,01 Jan 2000,1.00,A,0,000.00,00.00\r\n')" ] ||
  fail "the first start overwrote the user's NAMES.FIL"

echo "PASS: the staged install works from an empty home"
