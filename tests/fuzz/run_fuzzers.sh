#!/usr/bin/env bash
# Runs every fuzz target of a build for SECONDS seconds each (or, given as runs=N, for N inputs
# each, as continuous integration does so that a run takes the same work on any machine), starting
# from seed corpora made of the shipped data files and the approved outputs, and prints each
# target's executions and findings. Usage: tests/fuzz/run_fuzzers.sh BUILD_DIR SECONDS|runs=N [TARGET...]
# BUILD_DIR is a build configured with -DORRERION_FUZZ=ON (clang). Findings (crash-*, leak-*,
# timeout-*) are left in BUILD_DIR/fuzz/TARGET/; the exit status is 1 when any target found one.
set -uo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS|runs=N [TARGET...]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
case "$2" in
  runs=[0-9]*) limit="-runs=${2#runs=}" ;;
  [0-9]*) limit="-max_total_time=$2" ;;
  *) echo "$0: '$2' is neither a number of seconds nor runs=N" >&2; exit 2 ;;
esac
shift 2
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_names_reader fuzz_cities_reader fuzz_time_zone_reader fuzz_options_reader
           fuzz_record_parser fuzz_names_round_trip)
fi

# Seeds: the file kinds each target reads, from data/ and tests/golden/.
seed() {
  local target="$1" dir="$2"
  mkdir -p "$dir"
  case "$target" in
    fuzz_names_reader|fuzz_names_round_trip)
      cp "$root"/data/*.FIL "$dir"/ 2>/dev/null
      find "$root/tests/golden" -iname '*.fil' -exec cp {} "$dir"/ \; ;;
    fuzz_cities_reader) cp "$root"/data/*.LL "$dir"/ 2>/dev/null ;;
    fuzz_time_zone_reader) cp "$root"/data/TZ.DAT "$dir"/ ;;
    fuzz_options_reader)
      cp "$root"/data/OPTIONS.* "$dir"/
      find "$root/tests/golden" -iname '*.opt' -exec cp {} "$dir"/ \; ;;
    fuzz_record_parser)
      # One record per seed: the records of the shipped names file and the approved cases' args.
      local n=0
      while IFS= read -r line; do
        line="${line%$'\r'}"
        [ -n "$line" ] && printf '\001%s' "$line" > "$dir/record_$((n++))"
      done < <(cat "$root"/data/*.FIL; find "$root/tests/golden" -name args -exec cat {} \; | grep ',')
      ;;
  esac
}

status=0
printf '%-24s %12s %10s %s\n' target executions findings corpus
for target in "${targets[@]}"; do
  exe="$build/bin/$target"
  [ -x "$exe" ] || exe="$build/tests/fuzz/$target"
  if [ ! -x "$exe" ]; then
    echo "$target: not built in $build (configure with -DORRERION_FUZZ=ON)" >&2
    status=1
    continue
  fi
  work="$build/fuzz/$target"
  mkdir -p "$work/corpus"
  seed "$target" "$work/seeds"
  log="$work/run.log"
  (cd "$work" && "$exe" "$limit" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 corpus seeds > "$log" 2>&1)
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
  findings="$(find "$work" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)"
  printf '%-24s %12s %10s %s\n' "$target" "${runs:-?}" "$findings" "$(ls "$work/corpus" | wc -l) inputs"
  if [ "$findings" -ne 0 ] || ! grep -q 'Done [0-9]* runs' "$log"; then
    status=1
    echo "  see $log" >&2
  fi
done
exit $status
