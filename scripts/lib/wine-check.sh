# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The harness of scripts/check-windows, sourced inside the virtual X server: named checks,
# bounded waits, the practice world and its log, Gavelton's window, screenshots.
#
# The caller sets SCRATCH (scratch folder), WINE (the Wine loader of the arch under check) and
# HOST (the MinGW triplet) before sourcing. Every wait ends after TIMEOUT seconds, and at once
# when Gavelton or the world it depends on has ended; every screenshot is bounded too, because
# `import -window` on a window that has vanished waits for a mouse click.

TIMEOUT=${GV_CHECK_TIMEOUT:-30}
SHOT_TIMEOUT=10
CHECKS=0
WORLD_PID='' GAVELTON_PID='' GAVELTON_WHAT=Gavelton WORLD_LOG='' RUN='' WID=''
LAST_SHOT=''

say() { printf 'check-windows: %s\n' "$*" >&2; }
die() { say "FAIL: $*"; exit 1; }
ok() { CHECKS=$((CHECKS + 1)); printf 'check-windows: ok %2d  %s\n' "$CHECKS" "$*" >&2; }

# Ends the check with what a reader needs to see why: the world's log, both programs' error
# output (Wine prints a crashed program's backtrace there), and the screenshots.
fail() {
    trap - ERR
    say "FAIL: $*"
    if [[ -n $WORLD_LOG && -f $WORLD_LOG ]]; then
        say "last lines of the world's log ($WORLD_LOG):"
        tail -n 20 "$WORLD_LOG" | sed 's/^/    /' >&2
    fi
    if [[ -n $RUN ]]; then
        local f
        for f in "$RUN"/world.err "$RUN"/gavelton.err; do
            [[ -s $f ]] || continue
            say "$f:"
            if grep -q '^wine: Unhandled' "$f"; then
                # A crash: Wine names the fault, and its debugger adds the stack (when it
                # can walk it) and then a list of every thread in the prefix.
                { grep -m1 '^wine: Unhandled' "$f"; grep -m1 -A12 '^Backtrace:' "$f" || true; } | sed 's/^/    /' >&2
            else
                tail -n 30 "$f" | sed 's/^/    /' >&2
            fi
        done
    fi
    [[ -n $LAST_SHOT && -f $LAST_SHOT ]] && say "last screenshot of the main window: $LAST_SHOT"
    if snap root "$SCRATCH/shots/failure.png"; then say "screen at the failure: $SCRATCH/shots/failure.png"; fi
    stop_all
    exit 1
}

stop_all() {
    [[ -n $GAVELTON_PID ]] && kill "$GAVELTON_PID" 2>/dev/null
    [[ -n $WORLD_PID ]] && kill "$WORLD_PID" 2>/dev/null
    { exec 7>&-; } 2>/dev/null
    GAVELTON_PID='' WORLD_PID=''
    return 0
}

# A program the check depends on that has ended fails the check at once, instead of every
# later wait running into its deadline.
check_alive() {
    local rc=0
    if [[ -n $GAVELTON_PID ]] && ! kill -0 "$GAVELTON_PID" 2>/dev/null; then
        wait "$GAVELTON_PID" 2>/dev/null || rc=$?
        GAVELTON_PID=''
        fail "$GAVELTON_WHAT ended unexpectedly (status $rc)"
    fi
    if [[ -n $WORLD_PID ]] && ! kill -0 "$WORLD_PID" 2>/dev/null; then
        wait "$WORLD_PID" 2>/dev/null || rc=$?
        WORLD_PID=''
        fail "the practice world ended unexpectedly (status $rc)"
    fi
}

# Polls `"$@"` until it succeeds or TIMEOUT seconds have passed.
wait_until() {
    local deadline=$((SECONDS + TIMEOUT))
    until "$@"; do
        check_alive
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.2
    done
}

# Waits for process PID to end, at most TIMEOUT seconds; its status in WAITED_RC.
WAITED_RC=0
wait_exit() {
    local pid=$1 deadline=$((SECONDS + TIMEOUT))
    while kill -0 "$pid" 2>/dev/null; do
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.2
    done
    WAITED_RC=0
    wait "$pid" 2>/dev/null || WAITED_RC=$?
}

# --- screenshots -----------------------------------------------------------------------------
# snap WINDOW|root FILE [import options...]
snap() {
    local win=$1 file=$2
    shift 2
    timeout -k 2 "$SHOT_TIMEOUT" import -window "$win" "$@" "$file" 2>/dev/null
}
shoot() { snap "${WID:-root}" "$SCRATCH/shots/$1.png"; }

# --- the world's log -------------------------------------------------------------------------
# Lines of one kind, topic and item, data (column 5) only, in arrival order.
log_data() { awk -F'\t' -v k="$1" -v t="$2" -v i="$3" '$1 == k && $2 == t && $3 == i { print $5 }' "$WORLD_LOG"; }
log_count() { awk -F'\t' -v k="$1" -v t="$2" '$1 == k && $2 == t' "$WORLD_LOG" | wc -l; }
count_at_least() { [[ $(log_count "$1" "$2") -ge $3 ]]; }
# The data of the plain-text pokes: CF_TEXT is format 1, anything else is a fault.
check_formats() {
    local bad
    bad=$(awk -F'\t' '($1 == "POKE" || $1 == "REQUEST") && $4 != "1"' "$WORLD_LOG")
    [[ -z $bad ]] || fail "DDE transactions not in CF_TEXT (format 1): $bad"
}

# Compares the lines of $SCRATCH/last.lines from index `from` on with the expected ones, in
# order. A line "*" matches any text (the rules' credit line is the implementer's wording).
# EXPECT_SUFFIX ends every other expected line: over DDE, plain text carries its NUL.
EXPECT_SUFFIX=
expect_lines() {
    local what=$1 from=$2; shift 2
    local -a got
    mapfile -t got < <(sed -n "$((from + 1)),\$p" "$SCRATCH/last.lines")
    if [[ ${#got[@]} -ne $# ]]; then
        printf '    got:      %s\n' "${got[@]}" >&2
        printf '    expected: %s\n' "$@" >&2
        fail "$what: ${#got[@]} lines instead of $#"
    fi
    local i=0 want
    for want in "$@"; do
        if [[ $want != "*" && ${got[$i]} != "$want$EXPECT_SUFFIX" ]]; then
            want+=$EXPECT_SUFFIX
            printf '    got:      %s\n    expected: %s\n' "${got[$i]}" "$want" >&2
            fail "$what: line $((i + 1)) differs"
        fi
        i=$((i + 1))
    done
    ok "$what"
}

# --- the practice world ----------------------------------------------------------------------
# start_world [windowed] [EXE]: runs the world in RUN, headless unless "windowed" is asked for.
start_world() {
    local headless=--headless exe=${2:-$RUN/practice-world.exe}
    [[ ${1:-} == windowed ]] && headless=
    WORLD_LOG=$RUN/world.log
    rm -f "$RUN/script"
    mkfifo "$RUN/script"
    (cd "$RUN" && exec "$WINE" "$exe" $headless --log world.log --script - \
        --host Host --transcript-file transcript.txt <"$RUN/script" >"$RUN/world.out" 2>"$RUN/world.err") &
    WORLD_PID=$!
    exec 7>"$RUN/script"
    wait_until grep -qs '^READY' "$RUN/world.out" || fail "the practice world did not print READY"
    ok "practice-world.exe serves WorldsApi under Wine"
}
post() { printf '%s\n' "$@" >&7; }

# Waits until the headless world has taken every line posted so far: the script runner takes
# lines in order and reports a malformed "!wait" on its error output, so such a line with a
# fresh mark is a barrier.
SYNC=0
sync_world() {
    SYNC=$((SYNC + 1))
    post "!wait sync-$SYNC"
    # Wine writes the error output with CR LF.
    synced() { tr -d '\r' <"$RUN/world.err" | grep -q "sync-$SYNC\$"; }
    wait_until synced || fail "the practice world did not take the posted lines"
}

stop_world() {
    post '!quit'
    exec 7>&-
    local pid=$WORLD_PID
    WORLD_PID=''
    wait_exit "$pid" || { WORLD_PID=$pid; fail "the practice world did not end on !quit"; }
}

# --- Gavelton and its window -----------------------------------------------------------------
# start_gavelton [EXE [FOLDER]]: runs Gavelton with FOLDER (RUN unless given) as its working
# folder; its output goes to RUN.
start_gavelton() {
    local exe=${1:-$RUN/gavelton.exe} dir=${2:-$RUN}
    (cd "$dir" && exec "$WINE" "$exe" >"$RUN/gavelton.out" 2>"$RUN/gavelton.err") &
    GAVELTON_PID=$! GAVELTON_WHAT=Gavelton
}
find_window() {
    WID=$(xdotool search --onlyvisible --name '^Gavelton$' 2>/dev/null | head -n1)
    [[ -n $WID ]]
}
# Counts the pixels of one colour in the main window (busy: red; idle: cyan). The picture is
# kept: the last one is what a reader of a failure wants to see.
idle() {
    local shot red cyan
    snap "$WID" "$SCRATCH/shots/last.png" || return 1
    LAST_SHOT=$SCRATCH/shots/last.png
    shot=$(convert "$LAST_SHOT" -depth 8 txt:- 2>/dev/null) || return 1
    red=$(grep -c '#FF0000' <<<"$shot" || true)
    cyan=$(grep -c '#00FFFF' <<<"$shot" || true)
    [[ $red -lt 50 && $cyan -gt 500 ]]
}
wait_idle() { wait_until idle || fail "the main window stayed busy (red) after $1"; }

focus_main() {
    check_alive
    # --sync waits for the focus to arrive, forever if the window has gone.
    timeout -k 1 5 xdotool windowfocus --sync "$WID" 2>/dev/null ||
        xdotool windowfocus "$WID" 2>/dev/null || fail "cannot focus the main window"
    sleep 0.3
}
# Presses the button `n` steps after Dummy in the designed tab order. Every command leaves the
# focus on Dummy, so each press starts from there.
press() {
    local n=$1
    focus_main
    local keys=() i
    for ((i = 0; i < n; i++)); do keys+=(Tab); done
    xdotool key --delay 60 "${keys[@]}" space
}
STATE_RULES=1 STATE_ITEM=2 GET_BIDS=3 NEXT_ITEM=4 SOLD=8

close_gavelton() {
    focus_main
    xdotool key alt+F4
    local pid=$GAVELTON_PID
    GAVELTON_PID=''
    wait_exit "$pid" || { GAVELTON_PID=$pid; fail "Gavelton did not end after Alt+F4"; }
    WID=''
    [[ $WAITED_RC -eq 0 ]] || fail "Gavelton ended with status $WAITED_RC"
    ok "Gavelton closed on Alt+F4"
}

# Closes the message box titled $1 (other than the main window) with Return.
close_box() {
    local box
    box=$(xdotool search --onlyvisible --name "^$1\$" | grep -vx "${WID:-none}" | head -n1)
    [[ -n $box ]] || fail "the box \"$1\" has no window of its own"
    timeout -k 1 5 xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    box_gone() { ! xdotool search --onlyvisible --name "^$1\$" | grep -qvx "${WID:-none}"; }
    wait_until box_gone "$1" || fail "the box \"$1\" did not close on Return"
}

# --- files -----------------------------------------------------------------------------------
# The file's bytes as one escaped line, the way the world's log writes data.
escaped() { od -An -v -tu1 "$1" | awk '
    { for (i = 1; i <= NF; i++) { b = $i + 0
        if (b == 92) s = s "\\\\"; else if (b == 12) s = s "\\f"; else if (b == 13) s = s "\\r"
        else if (b == 10) s = s "\\n"; else if (b == 9) s = s "\\t"
        else if (b < 32 || b >= 127) s = s sprintf("\\x%02X", b); else s = s sprintf("%c", b) } }
    END { print s }'; }
expect_file() {
    local file=$1 want=$2
    [[ -f $file ]] || fail "$(basename "$file") was not written"
    local got
    got=$(escaped "$file")
    [[ $got == "$want" ]] || { printf '    got:      %s\n    expected: %s\n' "$got" "$want" >&2; fail "$(basename "$file") differs"; }
    ok "$(basename "$file") written with CR LF: $want"
}

# --- Windows-side helpers --------------------------------------------------------------------
build_helpers() {
    local helper
    for helper in wintext crash accnames accevents hotkey menubar textfit; do
        "$HOST-gcc" -O1 -Wall -Wextra -Werror -o "$SCRATCH/$helper.exe" "$LIB_DIR/$helper.c" -luuid -loleacc -lole32 -loleaut32 ||
            die "cannot build the helper $helper.exe"
    done
    # Loaded into Gavelton by menubar.exe's and textfit.exe's hooks; their exports by bare names.
    "$HOST-gcc" -O1 -Wall -Wextra -Werror -shared -Wl,--kill-at -o "$SCRATCH/menuhook.dll" "$LIB_DIR/menuhook.c" ||
        die "cannot build the helper menuhook.dll"
    "$HOST-gcc" -O1 -Wall -Wextra -Werror -shared -Wl,--kill-at -o "$SCRATCH/textfithook.dll" "$LIB_DIR/textfithook.c" \
        -luxtheme -lgdi32 || die "cannot build the helper textfithook.dll"
    "$HOST-gcc" -O1 -Wall -Wextra -Werror -mwindows -o "$SCRATCH/cutcaptions.exe" "$LIB_DIR/cutcaptions.c" ||
        die "cannot build the helper cutcaptions.exe"
}
# The texts of the windows titled $1; nothing when there is none yet.
window_texts() { { timeout -k 2 "$TIMEOUT" "$WINE" "$SCRATCH/wintext.exe" "$1" 2>/dev/null || true; } | tr -d '\r'; }
# listen_spoken: from now on, the name changes a screen reader hears go to $SCRATCH/heard.txt;
# heard_spoken ends the listening, with what was heard in HEARD.
listen_spoken() {
    rm -f "$SCRATCH/accevents.stop" "$SCRATCH/heard.txt"
    (cd "$SCRATCH" && exec timeout -k 2 150 "$WINE" accevents.exe accevents.stop >heard.txt 2>/dev/null) &
    LISTENER_PID=$!
    listening() { [[ $(head -n1 "$SCRATCH/heard.txt" 2>/dev/null | tr -d '\r') == READY ]]; }
    wait_until listening || fail "the WinEvent listener (accevents.exe) did not start: $(head -c 200 "$SCRATCH/heard.txt" 2>/dev/null)"
}
heard_spoken() {
    touch "$SCRATCH/accevents.stop"
    wait_exit "$LISTENER_PID" || { kill "$LISTENER_PID" 2>/dev/null; fail "the WinEvent listener did not end"; }
    HEARD=$(tr -d '\r' <"$SCRATCH/heard.txt" | tail -n +2)
}
# What a screen reader reads of the controls of the windows titled $1, through MSAA.
spoken_texts() { { timeout -k 2 "$TIMEOUT" "$WINE" "$SCRATCH/accnames.exe" "$1" 2>/dev/null || true; } | tr -d '\r'; }
# window_has TITLE LINE: a window titled TITLE holds a control whose "class<TAB>text" is LINE.
window_has() { local texts; texts=$(window_texts "$1"); grep -qxF -- "$2" <<<"$texts"; }

# A fresh prefix of the arch under check. A crashing program must end rather than wait in
# Wine's crash dialog, and Start-menu entries must not reach the desktop of whoever runs this.
init_prefix() {
    timeout -k 5 180 "$WINE" wineboot -i >"$SCRATCH/wineboot.log" 2>&1 ||
        { tail -n 20 "$SCRATCH/wineboot.log" >&2; die "wineboot -i failed with $WINE"; }
    timeout -k 5 60 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 || die "cannot turn off Wine's crash dialog"
    ok "Wine prefix initialised ($WINEARCH, $(basename "$WINE"))"
}
