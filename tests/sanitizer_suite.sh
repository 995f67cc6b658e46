#!/usr/bin/env bash
# The fault-finding suite continuous integration runs after the plain one: the core, orrerion-cli
# and their tests built with AddressSanitizer and UndefinedBehaviorSanitizer and run (a finding
# stops the program it happens in, so its test fails), then every fuzz target built with clang and
# run for a fixed number of inputs so that the targets keep building and run clean.
# Usage: tests/sanitizer_suite.sh [BUILD_ROOT] [FUZZ_RUNS]
#   BUILD_ROOT  where the two builds go (default: build-sanitize/ beside the sources)
#   FUZZ_RUNS   inputs per fuzz target (default 20000)
# Prints "sanitizers: N passed, N failed" last; the exit status is 1 when anything failed.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-sanitize}"
runs="${2:-20000}"
mkdir -p "$out"
without_windows=(-DORRERION_BUILD_GUI=OFF -DORRERION_BUILD_ATLAS=OFF -DORRERION_BUILD_BENCH=OFF)
passed=0
failed=0

# 1. The core and command-line tests with the sanitizers. Leaks count as findings too.
if cmake -S "$root" -B "$out/asan" -G Ninja -DORRERION_SANITIZE=ON "${without_windows[@]}" &&
   cmake --build "$out/asan"; then
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir "$out/asan" --output-on-failure 2>&1 | tee "$out/asan-ctest.log"
  summary="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out/asan-ctest.log" | tail -1)"
  if [ -n "$summary" ]; then
    total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")"
    bad="$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    echo "sanitizer build: ctest printed no summary" >&2
    failed=$((failed + 1))
  fi
else
  echo "sanitizer build failed" >&2
  failed=$((failed + 1))
fi

# 2. Each fuzz target for a fixed number of inputs (clang's libFuzzer, with the same sanitizers).
if cmake -S "$root" -B "$out/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORRERION_FUZZ=ON \
     -DORRERION_BUILD_TESTS=OFF "${without_windows[@]}" &&
   cmake --build "$out/fuzz"; then
  bash "$root/tests/fuzz/run_fuzzers.sh" "$out/fuzz" "runs=$runs" | tee "$out/fuzz.log"
  fuzz_status=${PIPESTATUS[0]}
  clean="$(awk '/^fuzz_/ && $3 == "0" {n++} END {print n+0}' "$out/fuzz.log")"
  found="$(awk '/^fuzz_/ && $3 != "0" {n++} END {print n+0}' "$out/fuzz.log")"
  # A target that could not run at all (no row, or no "Done" line) fails the step as one.
  if [ "$fuzz_status" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  passed=$((passed + clean))
  failed=$((failed + found))
else
  echo "fuzz build failed" >&2
  failed=$((failed + 1))
fi

echo "sanitizers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
