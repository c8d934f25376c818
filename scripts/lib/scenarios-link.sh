# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The scenarios of scripts/check-windows that talk to the practice world: DDE, the stand-in
# library, and the world's own window beside Gavelton. Sourced inside the virtual X server.

# =============================================================================================
# DDE transport (no SCONTROL.TXT).
# =============================================================================================
scenario_dde() {
    prepare_run dde
    start_world
    start_gavelton
    EXPECT_SUFFIX='\x00'
    wait_until count_at_least POKE WorldsApi_Register 1 || fail "no Register poke from Gavelton"
    [[ $(log_data POKE WorldsApi_Register WorldsApi_Register) == 'Gavelton\x00' ]] ||
        fail "the Register poke is not exactly \"Gavelton\": $(log_data POKE WorldsApi_Register WorldsApi_Register)"
    ok "Gavelton registered over DDE: poke WorldsApi_Register, CF_TEXT, \"Gavelton\" and its NUL"
    wait_until find_window || fail "the main window \"Gavelton\" did not appear"
    ok "main window shown"
    # Wine marks a window that SetWindowPos made HWND_TOPMOST as "above" for the X server.
    topmost() { xprop -id "$WID" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; }
    wait_until topmost || fail "the main window is not topmost"
    ok "main window topmost (SetWindowPos, HWND_TOPMOST)"
    wait_idle "start"

    next_item
    said_over_dde "State Rules said over DDE, CF_TEXT, exact bytes" "$STATE_RULES" 0 \
        "${P}Gavelton" "*" "${P}---------------------" \
        "${P}This is an auction and the following rules must be followed." \
        "${P}1. ALL Bids must be ESP to me." \
        "${P}2. Do not send 1,000 or 1k or 1.000 -- send 1000." \
        "${P}3. The minimum Bid Raise applies as follows:" \
        "${P} Raise Amount is 10 for Bids between 0 and 999" \
        "${P} Raise Amount is 100 for Bids between 1000 and 9999999"

    state_item_over_dde "State Item (after Get Next Item) said in ANSI" 9

    post_bids
    listen_spoken
    press "$GET_BIDS"
    wait_until count_at_least REQUEST WorldsApi_GetAllText 1 || fail "Get Bids made no GetAllText request"
    [[ $(awk -F'\t' '$1 == "REQUEST" { print $3; exit }' "$WORLD_LOG") == Gavelton ]] ||
        fail "the GetAllText request's item is not \"Gavelton\""
    wait_idle "Get Bids"
    check_heard
    ok "Get Bids fetched the chat: request WorldsApi_GetAllText, item \"Gavelton\", CF_TEXT"
    check_tally

    said_over_dde "the ESP bids were taken: Cy 530 over Ben 520" "$STATE_ITEM" 12 \
        "${P}Item on the Block currently is Caf\\xE9 table" "${P}Current Bid is 530 from Cy"
    shoot windows-auction
    check_spoken

    said_over_dde "SOLD said" "$SOLD" 14 "${P}SOLD!" "${P}Caf\\xE9 table is sold for 530 tokens to Cy"
    check_formats

    close_gavelton
    wait_until count_at_least POKE WorldsApi_Unregister 1 || fail "no Unregister poke at close"
    [[ $(log_data POKE WorldsApi_Unregister WorldsApi_Unregister) == 'Gavelton\x00' ]] ||
        fail "the Unregister poke is not exactly \"Gavelton\""
    ok "Gavelton unregistered over DDE at close"
    expect_file "$RUN/BIDS.TXT" "$BIDS_SAVED"
    expect_file "$RUN/Items.TXT" "$ITEMS_SAVED"
    check_formats
    ok "every DDE transaction was CF_TEXT"
    stop_world
}

# =============================================================================================
# Library transport: SCONTROL.TXT's third line 1, the stand-in wadapi.dll beside the copy of
# gavelton.exe in this scratch folder only. Both callbacks that show boxes are driven; on i686
# they run with the stdcall convention the chat client's own library uses.
# =============================================================================================
lib_calls() { awk -F'\t' '$1 == "LIB" { sub(/^LIB\t/, ""); print }' "$WORLD_LOG" >"$SCRATCH/last.lines"; }
lib_count() { lib_calls; [[ $(wc -l <"$SCRATCH/last.lines") -ge $1 ]]; }

scenario_library() {
    prepare_run library
    EXPECT_SUFFIX=
    cp "$DIST/practice/wadapi.dll" "$RUN/"
    printf 'VZones 3.0\r\n0\r\n1\r\n' >"$RUN/SCONTROL.TXT"
    start_world
    start_gavelton

    wait_until lib_count 2 || fail "no InitDDE and DapiRegister from Gavelton"
    lib_calls
    local L=$'\t'
    # InitDDE's log line carries the name; what it shows of the callbacks is the library's business.
    [[ $(sed -n 1p "$SCRATCH/last.lines") == "InitDDE${L}Gavelton"* ]] || fail "the first library call is not InitDDE(\"Gavelton\", ...)"
    sed -i '1s/.*/InitDDE/' "$SCRATCH/last.lines"
    expect_lines "library start: InitDDE then DapiRegister(\"Gavelton\")" 0 "InitDDE" "DapiRegister${L}Gavelton"
    wait_until find_window || fail "the main window did not appear (library transport)"
    wait_idle "start"

    next_item
    press "$STATE_ITEM"
    wait_until lib_count 5 || fail "State Item: its three calls did not arrive"
    wait_idle "State Item"
    lib_calls
    local C="DapiCommunicate${L}Gavelton${L}0${L}${L}"
    expect_lines "State Item through wadapi.dll, ANSI" 2 \
        "${C}Item on the Block currently is Caf\\xE9 table" "${C}Minimum Bid is 500" "${C}** Minimum Raise Amount is 10 **"

    post_bids
    press "$GET_BIDS"
    wait_until lib_count 6 || fail "Get Bids made no DapiGetAllText call"
    wait_idle "Get Bids"
    lib_calls
    expect_lines "Get Bids called DapiGetAllText(\"Gavelton\")" 5 "DapiGetAllText${L}Gavelton"
    check_tally

    # The world answers the next request with code 7: Gavelton must show it in its box.
    post '!ack 7'
    sync_world
    press "$STATE_ITEM"
    wait_until xdotool search --onlyvisible --name '^ProcessAckData Response Message$' >/dev/null ||
        fail "no \"ProcessAckData Response Message\" box for result code 7"
    local box
    box=$(xdotool search --onlyvisible --name '^ProcessAckData Response Message$' | head -n1)
    wait_until window_has "ProcessAckData Response Message" $'Static\t7 - Target avatar is currently busy' ||
        fail "the result-code box does not say \"7 - Target avatar is currently busy\": $(window_texts "ProcessAckData Response Message")"
    snap "$box" "$SCRATCH/shots/windows-ack-box.png" || true
    ok "result code 7 shows \"7 - Target avatar is currently busy\" in the box \"ProcessAckData Response Message\""
    close_box "ProcessAckData Response Message"
    wait_until lib_count 8 || fail "State Item after Get Bids: its calls did not arrive"
    wait_idle "State Item"

    # Data that another party sends through the client comes up in a box titled "Gavelton".
    post '!data Ann hello'
    wait_until window_has Gavelton $'Static\tData received from Ann: hello' || fail "no box \"Data received from Ann: hello\" titled \"Gavelton\""
    ok "data from Ann shows the box \"Data received from Ann: hello\" titled \"Gavelton\""
    close_box Gavelton
    wait_idle "State Item"
    lib_calls
    expect_lines "the ESP bids were taken through the library: Cy 530" 6 \
        "${C}Item on the Block currently is Caf\\xE9 table" "${C}Current Bid is 530 from Cy"
    shoot windows-library

    close_gavelton
    lib_calls
    expect_lines "library stop: DapiUnregister then KillDDE" 8 "DapiUnregister${L}Gavelton" "KillDDE"
    expect_file "$RUN/BIDS.TXT" "$BIDS_SAVED"
    expect_file "$RUN/Items.TXT" 'Oak chest - 700\r\nCaf\xE9 table - 500\r\n'
    [[ $(log_count POKE WorldsApi_Register) -eq 0 ]] || fail "the library transport also registered over DDE"
    ok "the library transport made no DDE request of its own"
    stop_world
}

# =============================================================================================
# Gavelton beside the practice world's window, over DDE with SCONTROL.TXT's second line 1:
# every request first brings the window titled "VZones 3.0..." to the front (found by the
# beginning of its title), so a request that arrives proves the activation found it. Then a
# picture of both windows for the hosts' documentation.
# =============================================================================================
scenario_desk() {
    prepare_run desk
    printf 'VZones 3.0\r\n1\r\n0\r\n' >"$RUN/SCONTROL.TXT"
    EXPECT_SUFFIX='\x00'
    start_world windowed
    wait_until xdotool search --onlyvisible --name '^VZones 3.0 - Practice World$' >/dev/null ||
        fail "the practice world's window did not appear"
    local world_wid
    world_wid=$(xdotool search --onlyvisible --name '^VZones 3.0 - Practice World$' | head -n1)
    start_gavelton
    wait_until count_at_least POKE WorldsApi_Register 1 ||
        fail "no Register poke with ActivateClient on: the chat client's window was not found by title"
    wait_until find_window || fail "the main window did not appear beside the windowed world"
    wait_idle "start"
    ok "with ActivateClient the client's window was found by the start of its title; registered"
    # No window manager places them: side by side, as a host would arrange them.
    timeout -k 1 5 xdotool windowmove --sync "$world_wid" 10 10 2>/dev/null || true
    timeout -k 1 5 xdotool windowmove --sync "$WID" 930 10 2>/dev/null || true
    next_item
    state_item_over_dde "State Item with ActivateClient on" 0
    # The windowed world notes script lines in its window, not on its error output: the bids
    # have arrived when its transcript box shows them.
    post 'ESP from Ben: 520' 'ESP from Cy: 530'
    world_shows() { local texts; texts=$(window_texts "VZones 3.0 - Practice World"); grep -qxF -- "$1" <<<"$texts"; }
    wait_until world_shows 'ESP from Cy: 530' || fail "the windowed world does not show the posted bids"
    press "$GET_BIDS"
    wait_until count_at_least REQUEST WorldsApi_GetAllText 1 || fail "Get Bids made no request of the windowed world"
    wait_idle "Get Bids"
    check_tally
    local wx wy ww wh gx gy gw gh
    geometry() { xdotool getwindowgeometry --shell "$1" | awk -F= '$1 ~ /^(X|Y|WIDTH|HEIGHT)$/ { printf "%s ", $2 } END { print "" }'; }
    read -r wx wy ww wh < <(geometry "$world_wid")
    read -r gx gy gw gh < <(geometry "$WID")
    local left=$((wx < gx ? wx : gx)) top=$((wy < gy ? wy : gy))
    local right=$((wx + ww > gx + gw ? wx + ww : gx + gw)) bottom=$((wy + wh > gy + gh ? wy + wh : gy + gh))
    snap root "$SCRATCH/shots/windows-beside-world.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage ||
        fail "no picture of both windows"
    ok "Gavelton and the practice world's window pictured side by side"
    close_gavelton
    stop_world
}

# =============================================================================================
# A system-wide hotkey, as a host uses it: Gavelton.ini turns the hotkeys on, the practice
# world's window has the keyboard and gets Ctrl+Shift+F6 through SendInput (hotkey.exe), as
# from the host's keyboard. Get Bids runs, and with ActivateClient on the keyboard is with the
# world's window again after the request, not with Gavelton.
# =============================================================================================
scenario_hotkey() {
    prepare_run hotkey
    printf 'VZones 3.0\r\n1\r\n0\r\n' >"$RUN/SCONTROL.TXT"
    printf '[Hotkeys]\r\nEnabled=1\r\n' >"$RUN/Gavelton.ini"
    EXPECT_SUFFIX='\x00'
    local world='VZones 3.0 - Practice World'
    start_world windowed
    wait_until xdotool search --onlyvisible --name "^$world\$" >/dev/null || fail "the practice world's window did not appear"
    local world_wid
    world_wid=$(xdotool search --onlyvisible --name "^$world\$" | head -n1)
    start_gavelton
    wait_until count_at_least POKE WorldsApi_Register 1 || fail "no Register poke with the hotkeys on"
    # A hotkey Gavelton could not have would be named in the title, and the window not found.
    wait_until find_window || fail "no main window titled exactly \"Gavelton\": $(xdotool search --onlyvisible --name '^Gavelton' getwindowname 2>/dev/null)"
    wait_idle "start"
    ok "Gavelton registered its seven hotkeys with RegisterHotKey (none reported taken)"
    next_item
    state_item_over_dde "State Item before the hotkey" 0
    post 'ESP from Ben: 520' 'ESP from Cy: 530'
    world_shows() { local texts; texts=$(window_texts "$world"); grep -qxF -- "$1" <<<"$texts"; }
    wait_until world_shows 'ESP from Cy: 530' || fail "the windowed world does not show the posted bids"

    timeout -k 1 5 xdotool windowfocus --sync "$world_wid" 2>/dev/null || true
    local rc=0
    timeout -k 2 "$TIMEOUT" "$WINE" "$SCRATCH/hotkey.exe" press "$world" 6 2>/dev/null || rc=$?
    [[ $rc -eq 0 ]] || fail "hotkey.exe could not give the world's window the keyboard and press Ctrl+Shift+F6 (status $rc)"
    wait_until count_at_least REQUEST WorldsApi_GetAllText 1 ||
        fail "Ctrl+Shift+F6, sent with SendInput to the practice world's window, ran no Get Bids: Wine delivered no WM_HOTKEY to Gavelton"
    wait_idle "Get Bids by hotkey"
    check_tally
    local foreground
    foreground=$(timeout -k 2 "$TIMEOUT" "$WINE" "$SCRATCH/hotkey.exe" foreground 2>/dev/null | tr -d '\r')
    [[ $foreground == "$world" ]] || fail "after Get Bids by hotkey the keyboard is with \"$foreground\", not the practice world's window"
    ok "Ctrl+Shift+F6 in the practice world's window ran Get Bids; the keyboard stayed with that window"
    close_gavelton
    stop_world
}

# =============================================================================================
# A second start in the same working folder, as a host who forgot the first behind the chat
# client: no second window, the first asked to the front, the second ending at once with 0.
# =============================================================================================
scenario_again() {
    prepare_run again
    start_world
    start_gavelton
    wait_until count_at_least POKE WorldsApi_Register 1 || fail "no Register poke at start"
    wait_until find_window || fail "no main window titled exactly \"Gavelton\""
    wait_idle "start"
    local rc=0 t0=$SECONDS
    (cd "$RUN" && exec timeout -k 2 "$TIMEOUT" "$WINE" "$RUN/gavelton.exe" >"$RUN/again.out" 2>"$RUN/again.err") || rc=$?
    [[ $rc -eq 0 ]] || fail "the second start in the folder ended with status $rc"
    ok "a second start in the same folder ended by itself with status 0 after $((SECONDS - t0)) s"
    asked() { grep -qaF "Started again in this folder: this window brought to the front instead" "$RUN"/Gavelton\ log\ *.txt; }
    wait_until asked || fail "the first window was not asked to the front (its evening's log does not say so)"
    local windows
    windows=$(xdotool search --onlyvisible --name '^Gavelton$' | wc -l)
    [[ $windows -eq 1 ]] || fail "$windows main windows after the second start, not one"
    ! count_at_least POKE WorldsApi_Register 2 || fail "the second start registered with the chat client too"
    ok "the first window was asked to the front; no second window, no second registration"
    close_gavelton
    stop_world
}

# =============================================================================================
# A close during a command: the host clicks the close button while Get Bids waits on a chat
# client that does not answer. Windows gives a disabled window no click at all, so a command
# disables only the client area; Gavelton ends once the command is over, its files written.
# Wine draws the caption with its close button on a Wine desktop, so Gavelton, the practice
# world and the keys and the click (hotkey.exe, SendInput) are all on one.
# =============================================================================================
scenario_closebusy() {
    prepare_run closebusy
    printf '[Hotkeys]\r\nEnabled=1\r\n' >"$RUN/Gavelton.ini"
    local desk=GaveltonClose
    WORLD_LOG=$RUN/world.log
    rm -f "$RUN/script"
    mkfifo "$RUN/script"
    (cd "$RUN" && exec "$WINE" explorer /desktop=$desk,900x600 "$RUN/practice-world.exe" --headless \
        --log world.log --script - --host Host <"$RUN/script" >"$RUN/world.out" 2>"$RUN/world.err") &
    WORLD_PID=$!
    exec 7>"$RUN/script"
    wait_until grep -qs '^READY' "$RUN/world.out" || fail "the practice world did not start on a Wine desktop"
    # The desktop is the world's: this explorer starts Gavelton on it and ends at once, so
    # Gavelton is followed by its window and its evening's log.
    (cd "$RUN" && "$WINE" explorer /desktop=$desk "$RUN/gavelton.exe" >"$RUN/gavelton.out" 2>"$RUN/gavelton.err")
    wait_until count_at_least POKE WorldsApi_Register 1 || fail "Gavelton on the Wine desktop did not register"
    # hotkey.exe on the desktop; its status as it prints it (the explorer's own is always 0),
    # kept in DESK_SAID for the failure's message.
    on_desk() {
        DESK_SAID=$(timeout -k 2 "$TIMEOUT" "$WINE" explorer /desktop=$desk "$SCRATCH/hotkey.exe" "$@" 2>>"$RUN/hotkey.err" | tr -d '\r')
        [[ $DESK_SAID == "status 0" ]]
    }
    shown() { on_desk exists Gavelton; }
    gone() { ! on_desk exists Gavelton && grep -qaF "Gavelton closed" "$RUN"/Gavelton\ log\ *.txt; }
    wait_until shown || fail "Gavelton's window did not appear on the Wine desktop"
    # Each transaction 4 s late, inside the link's limit: Get Bids, its five attempts waiting
    # on the world, lasts some 20 s from the first request, which the world logs as it comes.
    # (The window's red shows only 4 to 12 s into the command under Wine 8: too late to wait for.)
    post '!delay 4'
    sync_world
    on_desk press Gavelton 6 || fail "Ctrl+Shift+F6 could not be pressed on the Wine desktop"
    wait_until count_at_least REQUEST WorldsApi_GetAllText 1 ||
        fail "the hotkey did not start Get Bids (the world was never asked for the chat)"
    local t0=$SECONDS
    on_desk closebox Gavelton || fail "the close button could not be found and clicked (${DESK_SAID:-no status} after $((SECONDS - t0)) s)"
    local clicked=$((SECONDS - t0))
    # The world is still asleep on the request: the window waits for the command's end.
    shown || fail "Gavelton closed in the middle of Get Bids"
    TIMEOUT=180 wait_until gone || fail "a click on the close button during Get Bids was lost"
    expect_file "$RUN/BIDS.TXT" "$BIDS_SAVED"
    ok "the close button clicked during Get Bids closed Gavelton once the command was over (clicked after $clicked s, closed after $((SECONDS - t0)) s)"
    post '!delay 0'
    stop_world
}
