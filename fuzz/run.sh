#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for a set time each.
#   fuzz/run.sh BUILD_DIR SECONDS [OUT_DIR]
# Each target starts from its seed corpus (fuzz/corpus/<target>) plus what earlier runs found
# (OUT_DIR/corpus/<target>), with its dictionary when there is one and the libFuzzer flags of
# fuzz/<target>.options (one a line) when it has them. A crash, a timeout (5 s per
# input) or running out of memory (2 GB) is a finding: the input is kept in OUT_DIR/crashes/ and
# the command fails once every target has had its turn. Prints executions per second per target.
# OUT_DIR defaults to BUILD_DIR.
set -uo pipefail
build=${1:?build folder}
seconds=${2:-60}
out=${3:-$build}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out/crashes"
export QT_QPA_PLATFORM=offscreen
export QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../scripts/sanitizers/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
summary=()
for exe in "$build"/fuzz/fuzz_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  name=$(basename "$exe")
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  args=(-max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -malloc_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$out/crashes/$name-" "$corpus")
  [ -d "$here/corpus/$name" ] && args+=("$here/corpus/$name")
  dict="$here/dict/${name#fuzz_}.dict"
  [ -f "$dict" ] && args=(-dict="$dict" "${args[@]}")
  options="$here/$name.options"
  if [ -f "$options" ]; then
    mapfile -t extra < <(grep -v '^[[:space:]]*\(#\|$\)' "$options")
    args=("${extra[@]}" "${args[@]}")
  fi
  log="$out/$name.log"
  echo "== $name: ${seconds}s"
  "$exe" "${args[@]}" >"$log" 2>&1
  status=$?
  execs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  summary+=("$(printf '%-24s %8s exec/s  %s' "$name" "${execs:-?}" "$([ $status -eq 0 ] && echo ok || echo FINDING)")")
  if [ $status -ne 0 ]; then
    failed+=("$name")
    grep -E 'ERROR|SUMMARY|Test unit written|timeout|out-of-memory' "$log" | head -n 8
  fi
done
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $out/crashes/, logs in $out/<target>.log)" >&2
  exit 1
fi
