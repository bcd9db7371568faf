#!/usr/bin/env bash
# Builds one test with ThreadSanitizer (clang 14) in build-tsan/ and runs it.
# Usage: scripts/tsan-test.sh <test target> [test arguments], e.g.
#   scripts/tsan-test.sh controls_tst_progressbar startStopStress
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?test target, e.g. controls_tst_progressbar}
shift
# The same build folder and settings as `make tsan`, which runs every test that starts threads.
if [ ! -f build-tsan/CMakeCache.txt ]; then
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLFEN_BENCH=OFF -DQUILLFEN_SANITIZE=thread >/dev/null
fi
cmake --build build-tsan -j2 --target "$target"
exe=$(find build-tsan/tests -type f -name "$target" -perm -u+x | head -n1)
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu \
  TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$PWD/scripts/sanitizers/tsan.supp" "$exe" "$@"
