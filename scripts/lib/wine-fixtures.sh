# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# What every scenario of scripts/check-windows starts from: a run folder with the setup files a
# host would have, the bids to post, and the checks of what Gavelton wrote and what a reader hears.
# Sourced inside the virtual X server after scripts/lib/wine-check.sh.


# A fresh run folder with the setup files a host would have. The second item's name carries
# an e acute (0xE9 in Windows-1252) to show that texts cross as ANSI bytes.
prepare_run() {
    RUN=$SCRATCH/$1
    mkdir -p "$RUN"
    cp "$DIST/gavelton.exe" "$DIST/practice/practice-world.exe" "$RUN/"
    write_setup "$RUN"
    # Bids before the item is stated must not count.
    printf 'Ann: 550\r\nESP from Ann: 900\r\n' >"$RUN/transcript.txt"
    rm -f "$WINEPREFIX/drive_c/TALLY.TXT"
}
write_setup() {
    printf '0\r\n999\r\n10\r\n1000\r\n9999999\r\n100\r\n' >"$1/BIDS.TXT"
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '\r\n' >>"$1/BIDS.TXT"; done
    printf 'Oak chest - 700\r\nCaf\xe9 table - 500\r\n' >"$1/Items.TXT"
}
BIDS_SAVED='0\r\n999\r\n10\r\n1000\r\n9999999\r\n100\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n'
ITEMS_SAVED='Oak chest - 700\r\n'
post_bids() {
    # Below the minimum; first bid; short of the raise of 10; a proper raise.
    post 'ESP from Ann: 450' 'ESP from Ben: 520' 'Cy: 600' 'ESP from Cy: 525' 'ESP from Cy: 530'
    sync_world
}
check_tally() {
    local tally=$WINEPREFIX/drive_c/TALLY.TXT got rest
    [[ -f $tally ]] || fail "no TALLY.TXT in C:\\ of the Wine prefix"
    [[ ! -e $RUN/TALLY.TXT ]] || fail "TALLY.TXT was written into the working folder"
    got=$(escaped "$tally")
    [[ $got == 'Ann: 550\r\nESP from Ann: 900\r\n'* ]] || fail "TALLY.TXT does not start with the chat's first lines: $got"
    [[ $got == *'Host: Item on the Block currently is Caf\xE9 table\r\n'* ]] || fail "TALLY.TXT lacks the State Item line in ANSI: $got"
    [[ $got == *'ESP from Ben: 520\r\n'* ]] || fail "TALLY.TXT lacks Ben's bid: $got"
    [[ $got == *'ESP from Cy: 530\r\n' ]] || fail "TALLY.TXT does not end with Cy's bid and CR LF: $got"
    rest=${got//'\r\n'/}
    [[ $rest != *'\r'* && $rest != *'\n'* ]] || fail "TALLY.TXT has a line end other than CR LF: $got"
    ok "Get Bids wrote C:\\TALLY.TXT in the Wine prefix, ANSI, CR LF"
}
# What a screen reader reads through MSAA after the bids of post_bids on the second item: the
# six captions by what they show with what they are, named boxes, and nothing of Dummy.
check_spoken() {
    local spoken want T=$'\t'
    spoken=$(spoken_texts Gavelton)
    printf '%s\n' "$spoken" >"$SCRATCH/spoken.txt"
    for want in "static text${T}Café table${T}Item on the block" "static text${T}500${T}Minimum bid" \
        "static text${T}530${T}Current bid" "static text${T}Cy${T}Current bidder" \
        "static text${T}520${T}Last bid" "static text${T}Ben${T}Last bidder"; do
        grep -qF -- "$want$T" <<<"$spoken" || fail "MSAA does not read the caption \"$want\" (all it read: $SCRATCH/spoken.txt)"
    done
    for want in "editable text${T}Item${T}" "editable text${T}Minimum bid${T}" "editable text${T}Row 1 high bound${T}" \
        "editable text${T}Row 6 raise${T}" "static text${T}Row 1 low bound 0${T}"; do
        grep -qF -- "$want" <<<"$spoken" || fail "MSAA does not read \"$want\" (all it read: $SCRATCH/spoken.txt)"
    done
    # The buttons keep the system's own object; Wine's gives them the role "client" where
    # Windows says "push button".
    grep -qE "^(push button|client)${T}Get Bids${T}" <<<"$spoken" || fail "MSAA does not read the button Get Bids"
    ! grep -q Dummy <<<"$spoken" || fail "MSAA reads Dummy: $(grep Dummy <<<"$spoken")"
    grep -qE "^(push button|client)${T}${T}${T}invisible\$" <<<"$spoken" || fail "Dummy is not an unnamed invisible object to MSAA"
    # A panel has no name on the screen; the toolkit's window names are no names for a reader.
    ! grep -qE "${T}(AuctionClient|ListFrame|BidFrame|AboutFrame)${T}" <<<"$spoken" ||
        fail "MSAA reads a panel by its window name: $(grep -E 'Client|Frame' <<<"$spoken")"
    ok "MSAA reads the six bid captions (Café table, 500, 530 Cy, 520 Ben) with their roles, the named boxes, no Dummy"
}
# The name changes a screen reader heard during that Get Bids: the four bid captions, each
# with what it shows, without the focus moving to them.
check_heard() {
    local want T=$'\t'
    heard_spoken
    for want in "530${T}Current bid" "Cy${T}Current bidder" "520${T}Last bid" "Ben${T}Last bidder"; do
        grep -qxF -- "$want" <<<"$HEARD" || fail "no name change \"$want\" heard through MSAA (all heard: $SCRATCH/heard.txt)"
    done
    ok "a WinEvent hook heard the bid captions change during Get Bids: 530 Cy, 520 Ben"
}
# Get Next Item talks to nobody; the block label it sets is read by the next State Item.
next_item() {
    press "$NEXT_ITEM"
    wait_idle "Get Next Item"
}

DDE=WorldsApi_Communicate
P='Gavelton\f0\f\f'

# said_over_dde WHAT BUTTON FROM LINE...: presses the button and waits until its lines have
# arrived as the pokes from index FROM on, then compares them. WHAT names the check.
said_over_dde() {
    local what=$1 button=$2 from=$3
    shift 3
    press "$button"
    wait_until count_at_least POKE $DDE $((from + $#)) ||
        fail "$what: $(log_count POKE $DDE) of $((from + $#)) lines arrived"
    wait_idle "$what"
    log_data POKE $DDE $DDE >"$SCRATCH/last.lines"
    expect_lines "$what" "$from" "$@"
}

# State Item on Café table (minimum 500, raise 10) over DDE: its three lines, in ANSI.
state_item_over_dde() {
    said_over_dde "$1" "$STATE_ITEM" "$2" \
        "${P}Item on the Block currently is Caf\\xE9 table" "${P}Minimum Bid is 500" \
        "${P}** Minimum Raise Amount is 10 **"
}
