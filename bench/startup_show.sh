#!/usr/bin/env bash
# Start-up time of "quillfen show": from process start to the dialog's first paint on the
# offscreen platform, against a minimal Qt Widgets program that shows a QMessageBox with the same
# texts, measured in the same run (alternating), as medians over several runs.
#
#   bench/startup_show.sh [path/to/quillfen] [runs]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
quillfen="${1:-$here/../build/app/quillfen}"
runs="${2:-15}"
[ -x "$quillfen" ] || { echo "startup_show.sh: no quillfen binary at $quillfen (build it first)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -fPIC "$here/startup_show_minimal.cpp" -o "$work/minimal" \
    $(pkg-config --cflags Qt6Widgets) $(pkg-config --libs Qt6Widgets)

export QT_QPA_PLATFORM=offscreen
export QUILLFEN_STARTUP_PROBE=1
show=("$quillfen" show --title Confirm --instruction 'Save changes?' --main-icon Warning
      --content 'The document has been modified.' --buttons Yes,No,Cancel)

# Milliseconds from starting the program to its reported first paint.
measure() {
    local start end
    start=$(date +%s%N)
    end=$("$@" 2>/dev/null | sed -n 's/^first-paint //p')
    [ -n "$end" ] || { echo "startup_show.sh: $1 reported no first paint" >&2; exit 1; }
    echo $(( (end - start) / 1000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up each, so both start from a warm file cache.
measure "${show[@]}" >/dev/null
measure "$work/minimal" >/dev/null
: >"$work/q"; : >"$work/m"
for _ in $(seq "$runs"); do
    measure "${show[@]}" >>"$work/q"
    measure "$work/minimal" >>"$work/m"
done

q=$(median <"$work/q")
m=$(median <"$work/m")
awk -v q="$q" -v m="$m" -v n="$runs" 'BEGIN {
    printf "runs: %d\nquillfen show median: %.1f ms\nQMessageBox median:   %.1f ms\nratio: %.2f (goal <= 1.20)\n",
           n, q / 1000, m / 1000, q / m }'
