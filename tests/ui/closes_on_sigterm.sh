#!/usr/bin/env bash
# The desktop ending the session (or a plain kill) must close Gavelton normally: both setup
# files written, the program gone.
set -euo pipefail
gavelton="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"  # no practice world answers here
cd "$work"
printf 'Oak chest - 500\r\n' > Items.TXT
XDG_RUNTIME_DIR="$work/runtime" "$gavelton" &
pid=$!
# Started once its window is on the screen (start-up loads both files before it shows). The
# waits are long enough for a slow machine under the sanitizers; each ends as soon as it can.
shown=0
for _ in $(seq 1 600); do
  if xdotool search --onlyvisible --name '^Gavelton' >/dev/null 2>&1; then shown=1; break; fi
  sleep 0.1
done
if ((shown == 0)); then
  kill -KILL "$pid"
  echo "no window within 60 s"; exit 1
fi
rm Items.TXT
kill -TERM "$pid"
for _ in $(seq 1 240); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  echo "still running 60 s after SIGTERM"; exit 1
fi
wait "$pid" || { echo "exit status $?"; exit 1; }
[ "$(wc -l < BIDS.TXT)" -eq 18 ] || { echo "BIDS.TXT is not 18 lines"; exit 1; }
[ "$(cat Items.TXT)" = $'Oak chest - 500\r' ] || { echo "Items.TXT not rewritten"; exit 1; }
echo ok
