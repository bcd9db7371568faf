#!/usr/bin/env bash
# Runs a command on a private headless Weston: its own XDG_RUNTIME_DIR and socket, so it never
# meets the session's compositor, and the compositor ends with the command.
# Usage: run-under-weston.sh COMMAND [ARGS...]
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
socket=quillfen-test
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --width=1280 --height=1024 \
  >"$runtime/weston.log" 2>&1 &
weston_pid=$!
cleanup() { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null || true; rm -rf "$runtime"; }
trap cleanup EXIT
# Weston creates the socket once it listens.
for _ in $(seq 200); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log"; exit 1; }
  sleep 0.05
done
[ -S "$runtime/$socket" ] || { echo "weston did not start"; cat "$runtime/weston.log"; exit 1; }
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
