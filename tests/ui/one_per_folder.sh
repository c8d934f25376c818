#!/usr/bin/env bash
# One Gavelton per working folder: a second start there brings the first to the front and
# ends; a start in another folder, or after the first was killed, runs as ever.
set -euo pipefail
gavelton="$1"
work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$1"; exit 1; }
mkdir -m 700 "$work/runtime" "$work/tmp" "$work/a" "$work/b"
export XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"  # no practice world; locks of its own
log() { cat "$1"/Gavelton\ log\ *.txt 2>/dev/null || true; }
# How often the folder's evening log says it, once that reaches `count` within 30 s.
logged() {
  local folder="$1" text="$2" count="${3:-1}"
  for _ in $(seq 1 300); do
    [ "$(log "$folder" | grep -cF "$text")" -ge "$count" ] && return 0
    sleep 0.1
  done
  return 1
}
start() { (cd "$1" && exec "$gavelton") & pids+=($!); }

start "$work/a"
first=${pids[-1]}
logged "$work/a" "Gavelton started in" || fail "the first start did not start"
(cd "$work/a" && timeout 30 "$gavelton") || fail "the second start in the folder ended with $?"
logged "$work/a" "Started again in this folder: this window brought to the front instead" ||
  fail "the first window was not asked to the front"
kill -0 "$first" 2>/dev/null || fail "the first Gavelton ended"
[ "$(log "$work/a" | grep -cF "Gavelton started in")" -eq 1 ] || fail "a second window started in the folder"

start "$work/b"
logged "$work/b" "Gavelton started in" || fail "a start in another folder did not start"
kill -0 "${pids[-1]}" 2>/dev/null || fail "the Gavelton of another folder ended"

# A killed Gavelton's lock blocks nothing.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
start "$work/a"
logged "$work/a" "Gavelton started in" 2 || fail "a start after a kill did not start"
kill -0 "${pids[-1]}" 2>/dev/null || fail "the start after a kill ended"
echo ok
