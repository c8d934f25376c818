# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The scenarios of scripts/check-windows about the program as a host gets it: the installer round
# trip, the caption with its icon, and the harness failing on a crash. Sourced inside the virtual
# X server.

# =============================================================================================
# The installer: silent per-user install, Gavelton started from the Start-menu shortcut in its
# working folder in Documents, silent uninstall that leaves the host's files there.
# =============================================================================================
# The unix path of a Windows path in the prefix.
unix_path() { timeout -k 2 "$TIMEOUT" "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
win_env() { timeout -k 2 "$TIMEOUT" "$WINE" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
# The texts a shortcut holds (target, working folder) are UTF-16 strings.
lnk_strings() { strings -el "$1"; }

scenario_installer() {
    local appdata docs menu instdir work lnk practice_lnk
    appdata=$(unix_path "$(win_env LOCALAPPDATA)")
    docs=$(unix_path "$(win_env USERPROFILE)\\Documents")
    menu=$(unix_path "$(win_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
    [[ -n $appdata && -n $docs && -n $menu ]] || fail "cannot find the prefix's user folders"
    instdir=$appdata/Programs/Gavelton work=$docs/Gavelton
    lnk=$menu/Gavelton/Gavelton.lnk practice_lnk="$menu/Gavelton/Gavelton Practice World.lnk"

    # A host's files from an earlier install stay; the installer must not replace them.
    mkdir -p "$work"
    printf 'Host note\r\n' >"$work/Sales.csv"
    local t0=$SECONDS
    timeout -k 5 120 "$WINE" "$INSTALLER" /S >"$SCRATCH/install.log" 2>&1 || fail "the silent install failed (status $?)"
    for f in gavelton.exe README.txt Uninstall.exe practice/practice-world.exe practice/wadapi.dll; do
        [[ -f $instdir/$f ]] || fail "the install lacks $f in $instdir"
    done
    [[ ! -e $instdir/wadapi.dll ]] || fail "the installer put the stand-in wadapi.dll beside gavelton.exe"
    cmp -s "$instdir/gavelton.exe" "$DIST/gavelton.exe" || fail "the installed gavelton.exe is not the one built"
    ok "silent per-user install into LOCALAPPDATA\\Programs\\Gavelton in $((SECONDS - t0)) s, stand-ins in practice\\"
    [[ -d $work ]] || fail "the install made no Gavelton folder in Documents"
    [[ $(cat "$work/Sales.csv") == $'Host note\r' ]] || fail "the install touched the host's Sales.csv"
    [[ -f $lnk ]] || fail "no Start-menu shortcut $lnk"
    [[ -f $practice_lnk ]] || fail "no Start-menu shortcut for the practice world"
    # A shortcut keeps its target in ANSI, its working folder as a UTF-16 string (after a
    # length, which `strings` may show as one more character).
    local texts start_in
    grep -qai 'Programs\\Gavelton\\gavelton\.exe' "$lnk" || fail "the shortcut does not start the installed gavelton.exe"
    texts=$(lnk_strings "$lnk")
    start_in=$(sed -n 's/^.*\([A-Za-z]:\\.*\\Documents\\Gavelton\)$/\1/p' <<<"$texts" | head -n1)
    [[ -n $start_in ]] || fail "the shortcut's working folder is not Documents\\Gavelton: $(tr '\n' '|' <<<"$texts")"
    start_in=$(unix_path "$start_in")
    [[ $start_in -ef $work ]] || fail "the shortcut starts in $start_in, not in $work"
    grep -qai 'Programs\\Gavelton\\practice\\practice-world\.exe' "$practice_lnk" ||
        fail "the practice shortcut does not start practice\\practice-world.exe"
    texts=$(lnk_strings "$practice_lnk")
    grep -qi 'Programs\\Gavelton\\practice$' <<<"$texts" || fail "the practice shortcut does not start in practice\\"
    timeout -k 2 "$TIMEOUT" "$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gavelton' /v UninstallString \
        >/dev/null 2>&1 || fail "no per-user uninstall entry"
    ok "Start-menu shortcuts (Gavelton in Documents\\Gavelton, the practice world), uninstall entry"

    # Gavelton started as its shortcut says reads and writes its files in Documents\Gavelton.
    RUN=$SCRATCH/installed
    mkdir -p "$RUN"
    printf 'Ann: 550\r\n' >"$RUN/transcript.txt"
    write_setup "$work"
    # Only the six lines of the tiers: the full eighteen that come back prove the write.
    printf '0\r\n999\r\n10\r\n1000\r\n9999999\r\n100\r\n' >"$work/BIDS.TXT"
    printf 'VZones 3.0\r\n0\r\n0\r\n' >"$work/SCONTROL.TXT"
    start_world headless "$instdir/practice/practice-world.exe"
    start_gavelton "$instdir/gavelton.exe" "$start_in"
    GAVELTON_WHAT="the installed Gavelton"
    EXPECT_SUFFIX='\x00'
    wait_until count_at_least POKE WorldsApi_Register 1 || fail "the installed Gavelton did not register"
    wait_until find_window || fail "the main window of the installed Gavelton did not appear"
    wait_idle "start"
    next_item
    state_item_over_dde "the installed Gavelton read Items.TXT in Documents\\Gavelton" 0
    close_gavelton
    expect_file "$work/BIDS.TXT" "$BIDS_SAVED"
    [[ ! -e $instdir/BIDS.TXT ]] || fail "the installed Gavelton wrote BIDS.TXT beside gavelton.exe"
    stop_world

    t0=$SECONDS
    timeout -k 5 60 "$WINE" "$instdir/Uninstall.exe" /S >"$SCRATCH/uninstall.log" 2>&1 || fail "the silent uninstall failed (status $?)"
    # The uninstaller runs on from a copy of itself in TEMP; it is done when the folder is gone.
    gone() { [[ ! -e $instdir && ! -e $lnk && ! -e $practice_lnk ]]; }
    wait_until gone || fail "the uninstall left $(find "$instdir" "$menu/Gavelton" 2>/dev/null | tr '\n' ' ')"
    ! timeout -k 2 "$TIMEOUT" "$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gavelton' \
        >/dev/null 2>&1 || fail "the uninstall left its uninstall entry"
    for f in BIDS.TXT Items.TXT SCONTROL.TXT Sales.csv; do
        [[ -f $work/$f ]] || fail "the uninstall removed the host's $f from Documents\\Gavelton"
    done
    ok "silent uninstall in $((SECONDS - t0)) s removed the program and its shortcuts, kept Documents\\Gavelton"
}

# =============================================================================================
# The window's icon in a caption: with no window manager nobody draws captions, so Gavelton
# runs alone on a small Wine desktop, which draws them itself. No chat client answers there;
# Gavelton starts anyway. The picture is for the hosts' documentation.
# =============================================================================================
scenario_caption() {
    RUN=$SCRATCH/caption
    mkdir -p "$RUN"
    write_setup "$RUN"
    local name=GaveltonCaption desk
    (cd "$RUN" && exec "$WINE" explorer /desktop=$name,300x260 "$DIST/gavelton.exe" \
        >"$RUN/gavelton.out" 2>"$RUN/gavelton.err") &
    GAVELTON_PID=$! GAVELTON_WHAT="Gavelton on a Wine desktop"
    on_desk() { xdotool search --onlyvisible --name "^$name - Wine desktop\$" >/dev/null; }
    wait_until on_desk || fail "the Wine desktop for the caption did not appear"
    desk=$(xdotool search --onlyvisible --name "^$name - Wine desktop\$" | head -n1)
    # Shown once the window's colour fills most of the desktop: cyan, or amber when it says
    # that no chat client answers (none runs on this desktop).
    painted() {
        snap "$desk" "$SCRATCH/shots/windows-caption.png" || return 1
        [[ $(convert "$SCRATCH/shots/windows-caption.png" -depth 8 txt:- | grep -cE '#(00FFFF|FFBF00)') -gt 8000 ]]
    }
    wait_until painted || fail "Gavelton did not show on the Wine desktop"
    ok "Gavelton pictured with its caption and window icon on a Wine desktop"
    # Keys do not reach a window inside a Wine desktop; a close request from the same desktop does.
    timeout -k 2 "$TIMEOUT" "$WINE" explorer /desktop=$name taskkill /im gavelton.exe >/dev/null 2>&1 ||
        fail "cannot ask Gavelton on the Wine desktop to close"
    local pid=$GAVELTON_PID
    GAVELTON_PID=''
    wait_exit "$pid" || { GAVELTON_PID=$pid; fail "Gavelton on the Wine desktop did not end when asked to close"; }
}

# =============================================================================================
# The harness itself: Gavelton crashing in the middle of a check (an access violation in a
# thread of its own, started by crash.exe) must fail that check within a minute, with Wine's
# report of the fault, the world's log and the last screenshot named in the output, instead of
# waiting on.
# =============================================================================================
scenario_crash() {
    prepare_run crash
    start_world
    local out=$SCRATCH/crash.out rc=0 t0=$SECONDS
    (
        exec 2>"$out"
        start_gavelton
        wait_until find_window || exit 3
        wait_idle "start"
        timeout -k 2 "$TIMEOUT" "$WINE" "$SCRATCH/crash.exe" Gavelton 2>/dev/null || exit 5
        press "$STATE_ITEM"
        wait_until count_at_least POKE "$DDE" 3
        exit 4
    ) || rc=$?
    local took=$((SECONDS - t0))
    # The subshell's failure ended the world it shared; start afresh for what follows.
    WORLD_PID=''
    { exec 7>&-; } 2>/dev/null
    if [[ $rc -ne 1 ]]; then sed 's/^/    /' "$out" >&2; fail "a crashed Gavelton did not fail the check (status $rc)"; fi
    [[ $took -lt 60 ]] || fail "a crashed Gavelton failed the check only after $took s"
    local want
    for want in "FAIL: Gavelton ended unexpectedly" "last lines of the world's log" "wine: Unhandled page fault" \
        "last screenshot of the main window: $SCRATCH/shots/last.png"; do
        grep -qF -- "$want" "$out" || { sed 's/^/    /' "$out" >&2; fail "the crash report lacks \"$want\""; }
    done
    ok "a crashed Gavelton failed the check in $took s with Wine's report, the world's log and the last screenshot"
}


# =============================================================================================
# The menu bar: its captions on one row at the designed width, at 96, 144 and 192 DPI, each
# item named for screen readers, and the keyboard's ways into it (a mnemonic with Alt, F10
# then the arrows and Enter) still running the commands. menubar.exe reads the bar from
# another process and, through menuhook.dll, from inside Gavelton's (Wine has no MSAA object
# for a menu bar; what Windows' menu proxy reads is the MSAAMENUINFO in each item's data).
# =============================================================================================
# The captions as the command table gives them, left to right, without their "&".
menu_captions() {
    sed -n 's/^ *\.menuCaption = "\(.*\)",$/\1/p' "$ROOT/src/ui/command_table.cpp" | tr -d '&' | paste -sd ' '
}
MENU_NAMES=$(menu_captions) MENU_ROW=0
[[ -n $MENU_NAMES ]] || fail "no menu captions found in src/ui/command_table.cpp"
MENU_COUNT=$(wc -w <<<"$MENU_NAMES")

# check_menu_bar WHAT: one row, the designed proportions, the captions' names. Sets
# MENU_CLIENT_WIDTH.
check_menu_bar() {
    local what=$1 out height row width client_height tops names
    out=$(cd "$SCRATCH" && timeout -k 2 "$TIMEOUT" "$WINE" menubar.exe Gavelton 2>/dev/null | tr -d '\r') ||
        fail "menubar.exe could not read the menu bar ($what, status $?): $out"
    printf '%s\n' "$out" >"$SCRATCH/menubar-$what.txt"
    read -r height row < <(awk -F'\t' '$1 == "bar" { print $2, $3 }' <<<"$out")
    read -r width client_height < <(awk -F'\t' '$1 == "client" { print $2, $3 }' <<<"$out")
    tops=$(awk -F'\t' '$1 == "item" { print $2 }' <<<"$out" | sort -u | wc -l)
    names=$(awk -F'\t' '$1 == "item" { printf "%s%s", sep, $5; sep = " " }' <<<"$out")
    [[ $names == "$MENU_NAMES" ]] || fail "$what: the menu bar's items are named \"$names\", not \"$MENU_NAMES\" ($SCRATCH/menubar-$what.txt)"
    [[ $tops -eq 1 && $height -le $((row + 1)) ]] ||
        fail "$what: the menu bar takes more than one row: $height px high (a row is $row), items on $tops rows ($SCRATCH/menubar-$what.txt)"
    # The designed client area is 3450 by 2640 twips, scaled as a whole.
    local designed=$(((width * 2640 + 1725) / 3450))
    [[ $client_height -ge $((designed - 1)) && $client_height -le $((designed + 1)) ]] ||
        fail "$what: the client area is ${width}x$client_height, not the designed proportions (height $designed)"
    local named="through MSAA"
    if grep -q '^msaa	' <<<"$out"; then
        [[ $(awk -F'\t' '$1 == "msaa" { printf "%s%s", sep, $2; sep = " " }' <<<"$out") == "$MENU_NAMES" ]] ||
            fail "$what: MSAA does not read the $MENU_COUNT menu items by their captions ($SCRATCH/menubar-$what.txt)"
    else
        named="in each item's MSAAMENUINFO (this Wine has no MSAA object for a menu bar: $(awk -F'\t' '$1 == "msaa-none" { print $2 }' <<<"$out"))"
    fi
    MENU_CLIENT_WIDTH=$width MENU_ROW=$row
    ok "$what: the $MENU_COUNT menu items on one row ($height px, a row is $row), client ${width}x$client_height as designed, each named by its caption $named"
}

# bar_row FILE: a picture of the main window in FILE; prints a digest of the menu bar's row.
bar_row() { snap "$WID" "$1" && convert "$1" -crop "x$MENU_ROW+0+0" +repage -depth 8 rgb:- | md5sum; }
# menu_panel_shows LINE: the main window's control LINE ("role<TAB>name") is visible to MSAA.
menu_panel_shows() { spoken_texts Gavelton | grep -q "^$1	.*	visible\$"; }

scenario_menu() {
    prepare_run menu
    start_world
    start_gavelton
    wait_until find_window || fail "the main window did not appear (menu bar)"
    wait_idle "start"
    check_menu_bar "96 DPI"
    local width96=$MENU_CLIENT_WIDTH log='Gavelton - Floor log'
    focus_main
    xdotool key alt+g
    wait_until xdotool search --onlyvisible --name "^$log\$" >/dev/null || fail "Alt+G did not open \"$log\""
    focus_main
    xdotool key alt+g
    log_gone() { ! xdotool search --onlyvisible --name "^$log\$" >/dev/null; }
    wait_until log_gone || fail "Alt+G again did not close \"$log\""
    ok "Alt+G (the mnemonic of the drawn item Log) opens and closes \"$log\""
    # F10 and Right select List: its item is drawn selected (the bar's row changes).
    local before
    before=$(bar_row "$SCRATCH/shots/menu-plain.png") || fail "no picture of the menu bar"
    focus_main
    xdotool key F10 Right
    bar_changed() { [[ $(bar_row "$SCRATCH/shots/menu-selected.png") != "$before" ]]; }
    wait_until bar_changed || fail "F10 and Right drew no item of the menu bar selected"
    xdotool key Return
    wait_until menu_panel_shows $'editable text\tItem' || fail "F10, Right and Enter did not show the item list (List)"
    focus_main
    xdotool key alt+b
    wait_until menu_panel_shows $'editable text\tRow 1 high bound' || fail "Alt+B did not show the table of raises (Bids)"
    ok "F10, Right and Enter run List; Alt+B runs Bids"
    every_caption_whole "96 DPI" 96
    close_gavelton

    # Scaled: the same at 144 DPI and at 192 (Wine reads LogPixels when a program starts). The
    # side windows open as a host's would the first time at that DPI, not where 96 DPI left them.
    local dpi
    for dpi in 144 192; do
        "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
            fail "cannot set the prefix to $dpi DPI"
        rm -f "$RUN/Gavelton windows.ini"
        start_gavelton
        wait_until find_window || fail "the main window did not appear at $dpi DPI"
        wait_idle "start at $dpi DPI"
        check_menu_bar "$dpi DPI"
        # The layout may have grown a little at 96 DPI to fit Wine's fonts; scaled, the whole is larger.
        [[ $MENU_CLIENT_WIDTH -ge $((width96 * dpi / 108)) ]] ||
            fail "at $dpi DPI the client area is $MENU_CLIENT_WIDTH px wide, hardly more than $width96 at 96: the DPI did not take"
        every_caption_whole "$dpi DPI" "$dpi"
        close_gavelton
    done
    "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || fail "cannot set the prefix back to 96 DPI"
    stop_world
}

# =============================================================================================
# Every caption whole: the buttons, check boxes, labels, choices and column headings of the
# main window's four panels, the floor log and the accounts window, at the DPI Gavelton started
# with. textfit.exe measures each from inside Gavelton's process (textfithook.dll) with the font
# the control draws with (a Caption answers WM_GETFONT, WM_GETTEXT and EM_GETRECT for that) and
# the room its drawing leaves the text; a caption is cut where its text, laid out as the control
# lays it out, needs more, or where part of the control lies outside its window.
# =============================================================================================
# judge_captions [UNSEEN]: textfit.exe's lines on the input; prints "cut<TAB>KIND<TAB>TEXT<TAB>WHY"
# for each cut caption, "whole<TAB>KIND<TAB>TEXT<TAB>SPARE_ACROSS<TAB>SPARE_DOWN" for the others,
# "dpi<TAB>N". UNSEEN: the text of a control that lies out of sight by design.
judge_captions() {
    awk -F'\t' -v OFS='\t' -v unseen="${1:-}" '
        $1 == "dpi" { print; next }
        NF < 15 { next }
        {
            kind = $1; wraps = $2; one_w = $3; one_h = $4; need_w = $5; need_h = $6
            room_w = $7; room_h = $8; w = $9; h = $10; hid_w = $11; hid_h = $12; text = $15
            if (hid_w >= w || hid_h >= h) {
                if (unseen != "" && text == unseen) next
                print "cut", kind, text, "the control lies wholly outside its window"; next
            }
            why = ""
            if (hid_w > 0 || hid_h > 0)
                why = sprintf("; %d px of the control across and %d px down lie outside its window", hid_w, hid_h)
            lines = one_h > 0 ? int(need_h / one_h + 0.5) : 1
            if (!wraps || lines <= 1 || (room_h < 2 * one_h && room_h >= one_h)) {
                # One line, or a box that holds one line: the text must fit on it.
                if (one_w > room_w)
                    why = why sprintf("; on one line it needs %d px across, the control leaves %d: %d px short", one_w, room_w, one_w - room_w)
                if (one_h > room_h)
                    why = why sprintf("; its line needs %d px down, the control leaves %d: %d px short", one_h, room_h, one_h - room_h)
                spare_w = room_w - one_w; spare_h = room_h - one_h
            } else {
                if (need_w > room_w)
                    why = why sprintf("; a word needs %d px across, the control leaves %d: %d px short", need_w, room_w, need_w - room_w)
                if (need_h > room_h)
                    why = why sprintf("; wrapped at %d px it takes %d line%s, %d px down, the control leaves %d: %d px short", room_w, lines, lines == 1 ? "" : "s", need_h, room_h, need_h - room_h)
                spare_w = room_w - (lines > 1 ? need_w : one_w); spare_h = room_h - need_h
            }
            if (why != "") print "cut", kind, text, substr(why, 3)
            else print "whole", kind, text, spare_w, spare_h
        }'
}

# measure_captions WHAT TITLE [UNSEEN]: the verdicts on the captions of the window TITLE in
# CAPTIONS (see judge_captions); textfit.exe's own lines are kept in the scratch folder.
measure_captions() {
    local what=$1 title=$2 raw rc=0
    raw=$SCRATCH/textfit-$(tr -c 'A-Za-z0-9\n' '-' <<<"$what-$title").txt
    (cd "$SCRATCH" && timeout -k 2 "$TIMEOUT" "$WINE" textfit.exe "$title" 2>/dev/null) | tr -d '\r' >"$raw" || rc=$?
    [[ $rc -eq 0 && -s $raw ]] || fail "$what: textfit.exe could not measure the captions of \"$title\" (status $rc)"
    CAPTIONS=$(judge_captions "${3:-}" <"$raw")
    CAPTIONS_RAW=$raw
}

# check_captions WHAT TITLE DPI [UNSEEN]: every caption of the window TITLE whole, the window at
# DPI. Names each cut caption and by how much; else the count, by kind, and the least room left.
check_captions() {
    local what=$1 title=$2 dpi=$3 got cut counts tight
    measure_captions "$what" "$title" "${4:-}"
    got=$(awk -F'\t' '$1 == "dpi" { print $2 }' <<<"$CAPTIONS")
    [[ $got == "$dpi" ]] || fail "$what: \"$title\" runs at ${got:-no} DPI, not $dpi"
    cut=$(awk -F'\t' '$1 == "cut" { printf "    %s \"%s\": %s\n", $2, $3, $4 }' <<<"$CAPTIONS")
    if [[ -n $cut ]]; then
        printf '%s\n' "$cut" >&2
        fail "$what: captions of \"$title\" cut at $dpi DPI, as listed above (measured: $CAPTIONS_RAW)"
    fi
    counts=$(awk -F'\t' '$1 == "whole" { n[$2]++; all++ }
        END { for (k in n) { printf "%s%d %s%s", sep, n[k], k, n[k] == 1 ? "" : k ~ /x$/ ? "es" : "s"; sep = ", " }
              if (!all) print "none" }' <<<"$CAPTIONS")
    [[ $counts != none ]] || fail "$what: textfit.exe found no caption in \"$title\" ($CAPTIONS_RAW)"
    tight=$(awk -F'\t' '$1 == "whole" {
            if (w == "" || $4 < w) { w = $4; wt = $2 " \"" $3 "\"" }
            if (h == "" || $5 < h) { h = $5; ht = $2 " \"" $3 "\"" } }
        END { printf "%d px across (%s), %d px down (%s)", w, wt, h, ht }' <<<"$CAPTIONS")
    ok "$what: every caption of \"$title\" whole ($counts); the least room left $tight"
}

# show_panel KEYS ROLE NAME: presses KEYS in the main window and waits until MSAA reads a visible
# control ROLE (a regular expression) named NAME there.
show_panel() {
    local keys=$1 role=$2 name=$3
    focus_main
    xdotool key "$keys"
    panel_shows() { spoken_texts Gavelton | grep -qE "^($role)	$name	.*	visible\$"; }
    wait_until panel_shows || fail "$keys did not show the control \"$name\" in the main window"
}

# side_window TITLE KEYS: opens the side window TITLE with KEYS pressed in the main window; its
# X window in SIDE.
side_window() {
    local title=$1 keys=$2
    focus_main
    xdotool key "$keys"
    opened() { SIDE=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1); [[ -n $SIDE ]]; }
    wait_until opened || fail "$keys did not open \"$title\""
}

# close_side TITLE KEYS: closes the side window TITLE with its own KEYS, pressed in it, so that
# the main window has the keyboard again.
close_side() {
    local title=$1 keys=$2 side=''
    # Asked in a condition: a search that finds nothing for a moment (or whose pipe head
    # closed early) must not end the check unannounced.
    found() { side=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1); [[ -n $side ]]; }
    wait_until found || fail "no window \"$title\" to close"
    timeout -k 1 5 xdotool windowfocus --sync "$side" 2>/dev/null || fail "cannot focus \"$title\""
    xdotool key "$keys"
    side_gone() { ! xdotool search --onlyvisible --name "^$title\$" >/dev/null; }
    wait_until side_gone || fail "$keys did not close \"$title\""
}

# every_caption_whole WHAT DPI: the main window's panels in turn (the auction panel, the item
# list, the table of raises, the about texts), the floor log and the accounts window, each
# pictured in shots/captions-DPI-*.png for a look once measured (and painted by then).
every_caption_whole() {
    local what=$1 dpi=$2 shots=$SCRATCH/shots/captions-$2 log='Gavelton - Floor log' accounts='Gavelton - Accounts'
    local t0=$SECONDS x y
    show_panel alt+a 'push button|client' 'Get Bids'
    # An item on the block, so that its captions show what a host sees.
    next_item
    # Dummy holds the focus beyond the client area's right edge, out of sight by design.
    check_captions "$what, the auction panel" Gavelton "$dpi" 'Dummy Button'
    snap "$WID" "$shots-auction.png" || true
    show_panel alt+l 'editable text' Item
    check_captions "$what, the item list" Gavelton "$dpi" 'Dummy Button'
    snap "$WID" "$shots-list.png" || true
    show_panel alt+b 'editable text' 'Row 1 high bound'
    check_captions "$what, the table of raises" Gavelton "$dpi" 'Dummy Button'
    snap "$WID" "$shots-bids.png" || true
    show_panel alt+o 'static text' 'Free to use and to pass on, unchanged and free of charge\.'
    check_captions "$what, the about texts" Gavelton "$dpi" 'Dummy Button'
    snap "$WID" "$shots-about.png" || true
    side_window "$log" alt+g
    check_captions "$what" "$log" "$dpi"
    snap "$SIDE" "$shots-floor-log.png" || true
    side_window "$accounts" ctrl+k
    # Its note line is empty until the host does something: Write off with no sale chosen
    # has it say why not.
    measure_captions "$what" "$accounts"
    read -r x y < <(awk -F'\t' '$1 == "button" && $15 == "Write &off" { print $13, $14 }' "$CAPTIONS_RAW")
    [[ -n $x ]] || fail "$what: no button Write off in \"$accounts\" ($CAPTIONS_RAW)"
    xdotool mousemove "$x" "$y" click 1
    note_says() { spoken_texts "$accounts" | grep -q "^static text	Choose the sale in the bidder's history\.	"; }
    wait_until note_says || fail "Write off clicked with no sale chosen did not say so in \"$accounts\""
    check_captions "$what" "$accounts" "$dpi"
    snap "$SIDE" "$shots-accounts.png" || true
    close_side "$accounts" ctrl+k
    close_side "$log" ctrl+l
    say "$what: the captions of the three windows measured in $((SECONDS - t0)) s"
}

# The harness itself: a window whose captions are cut on purpose (cutcaptions.exe) must be
# found cut, each named with what it lacks, and the one with room to spare whole.
scenario_cut_captions() {
    RUN=$SCRATCH/cut-captions
    mkdir -p "$RUN"
    local title='Gavelton check - cut captions' want
    (cd "$RUN" && exec "$WINE" "$SCRATCH/cutcaptions.exe" >"$RUN/cutcaptions.out" 2>&1) &
    local pid=$!
    shows() { xdotool search --onlyvisible --name "^$title\$" >/dev/null; }
    wait_until shows || fail "cutcaptions.exe showed no window"
    measure_captions "cut on purpose" "$title"
    for want in $'cut\tbutton\tA caption far too wide\ton one line it needs [0-9]+ px across, the control leaves [0-9]+: [1-9][0-9]* px short' \
        $'cut\tlabel\tA label that wraps onto more lines than its box shows\twrapped at 120 px it takes [2-9] lines, [0-9]+ px down, the control leaves 30: [1-9][0-9]* px short' \
        $'cut\tcheck box\ta check box too narrow\ton one line it needs [0-9]+ px across, the control leaves [0-9]+: [1-9][0-9]* px short' \
        $'cut\tbutton\tOff\t[1-9][0-9]* px of the control across and 0 px down lie outside its window' \
        $'whole\tbutton\tRoom to spare\t[0-9]+\t[0-9]+'; do
        grep -qxE -- "$want" <<<"$CAPTIONS" || { printf '    %s\n' "${CAPTIONS//$'\n'/$'\n    '}" >&2; fail "the caption check did not judge as it should: no line \"$want\""; }
    done
    [[ $(grep -c '^cut' <<<"$CAPTIONS") -eq 4 ]] || fail "the caption check found other cut captions: $CAPTIONS"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    ok "the caption check finds the four captions cut on purpose, each with what it lacks: $(awk -F'\t' '$1 == "cut" { printf "%s%s", sep, $4; sep = " | " }' <<<"$CAPTIONS")"
}
