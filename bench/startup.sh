#!/usr/bin/env bash
# Start-up time from process start to the first painted frame on the offscreen platform, against
# a minimal Qt Widgets program measured in the same run (alternating), as medians over several
# runs:
#   designer  the designer's main window against one window with one QScintilla view (goal 1.5)
#   show      "quillfen show" of a message against a QMessageBox with the same texts (goal 1.2)
#
#   bench/startup.sh [designer|show] [path/to/quillfen] [runs]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
what="${1:-designer}"
quillfen="${2:-$here/../build/app/quillfen}"
runs="${3:-15}"
[ -x "$quillfen" ] || { echo "startup.sh: no quillfen binary at $quillfen (build it first)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
build_minimal() {
    g++ -std=c++20 -O2 -fPIC -I"$here/../app" "$here/startup_minimal.cpp" -o "$work/minimal" \
        $(pkg-config --cflags Qt6Widgets) "$@" $(pkg-config --libs Qt6Widgets)
}
case "$what" in
designer)
    qsci_inc="$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)"
    build_minimal -I"$qsci_inc" -lqscintilla2_qt6
    program=("$quillfen") reference="QScintilla window" goal=1.50 ;;
show)
    build_minimal -DQUILLFEN_MESSAGE_BOX
    program=("$quillfen" show --title Confirm --instruction 'Save changes?' --main-icon Warning
             --content 'The document has been modified.' --buttons Yes,No,Cancel)
    reference="QMessageBox" goal=1.20 ;;
*) echo "startup.sh: measure 'designer' or 'show', not '$what'" >&2; exit 2 ;;
esac

export QT_QPA_PLATFORM=offscreen
export QUILLFEN_STARTUP_PROBE=1

# Milliseconds from starting the program to its reported first paint.
measure() {
    local start end
    start=$(date +%s%N)
    end=$("$@" 2>/dev/null | sed -n 's/^first-paint //p')
    [ -n "$end" ] || { echo "startup.sh: $1 reported no first paint" >&2; exit 1; }
    echo $(( (end - start) / 1000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up each, so both start from a warm file cache.
measure "${program[@]}" >/dev/null
measure "$work/minimal" >/dev/null
: >"$work/q"; : >"$work/m"
for _ in $(seq "$runs"); do
    measure "${program[@]}" >>"$work/q"
    measure "$work/minimal" >>"$work/m"
done

q=$(median <"$work/q")
m=$(median <"$work/m")
awk -v q="$q" -v m="$m" -v n="$runs" -v what="$what" -v ref="$reference" -v goal="$goal" 'BEGIN {
    printf "runs: %d\nquillfen %s median: %.1f ms\n%s median: %.1f ms\nratio: %.2f (goal <= %s)\n",
           n, what, q / 1000, ref, m / 1000, q / m, goal }'
