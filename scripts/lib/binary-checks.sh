# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The static checks of the Windows binaries, sourced by scripts/build-windows (on what it built)
# and scripts/check-windows (on what hosts download): the imports, the bare exports of the
# stand-in library, the icon and version resources, the PE machine type, and for i686 the
# stdcall interface. They read files only, so every machine runs them.
#
# The caller sets ROOT, ARCH, HOST (the MinGW triplet) and VERSION and has say and die.

# Everything a host's Windows must supply itself; anything else imported (the MinGW runtime
# DLLs, zlib, wx, or wadapi.dll, which Gavelton must load itself only when asked) is a fault.
SYSTEM_DLLS='^(kernel32|user32|gdi32|comdlg32|comctl32|winmm|shell32|shlwapi|ole32|oleaut32|uuid|rpcrt4|advapi32|version|ws2_32|wsock32|wininet|winhttp|oleacc|uxtheme|msvcrt|usp10|imm32|gdiplus|msimg32|dwmapi|d2d1|dwrite|crypt32|bcrypt|secur32|psapi|dbghelp|mpr|netapi32|userenv|setupapi|powrprof|api-ms-win-[a-z0-9-]+)\.dll$|^winspool\.drv$'
check_imports() {
    local exe=$1 dll bad=0
    while read -r dll; do
        if ! [[ ${dll,,} =~ $SYSTEM_DLLS ]]; then say "$(basename "$exe") imports $dll"; bad=1; fi
    done < <("$HOST-objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [[ $bad -eq 0 ]] || die "$(basename "$exe") needs DLLs that Windows does not have"
}

# The chat client looks the functions up by their bare names; a 32-bit build that forgot
# --kill-at would export InitDDE@16 and the like.
check_exports() {
    local dll=$1 name missing=0 exports
    exports=$("$HOST-objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p')
    for name in InitDDE KillDDE DapiRegister DapiUnregister DapiCommunicate DapiGetAllText DapiSend; do
        grep -Eq "\] $name\$" <<<"$exports" || { say "wadapi.dll does not export $name"; missing=1; }
    done
    [[ $missing -eq 0 ]] || die "the stand-in wadapi.dll lacks bare exports"
}

# What Explorer shows of gavelton.exe: the first icon group in name order (the gavel, in the
# sizes and depths it picks from) and the version resource, from the project version.
check_resources() {
    local exe=$1 listing first icons strings fixed want
    { command -v wrestool && command -v icotool; } >/dev/null || die "wrestool/icotool missing (icoutils; try: $0 deps)"
    listing=$(wrestool -l "$exe")
    first=$(sed -n 's/^--type=14 --name=\([^ ]*\) .*/\1/p' <<<"$listing" | head -n1)
    [[ $first == "'GAVELTON'" ]] || die "the first icon group of $(basename "$exe") is $first, not the gavel"
    icons=$(wrestool -x -t 14 --name=GAVELTON "$exe" | icotool -l - | sed -n 's/.*--width=\([0-9]*\) .*--bit-depth=\([0-9]*\) .*/\1x\2/p' | sort | paste -sd' ')
    want='16x32 16x4 32x32 32x4 48x32 48x4'
    [[ $icons == "$want" ]] || die "the gavel icon of $(basename "$exe") holds $icons, not $want (size x bits)"
    strings=$(wrestool -x --raw -t 16 "$exe" | strings -el)
    grep -A1 -x ProductName <<<"$strings" | grep -qx Gavelton || die "$(basename "$exe"): no ProductName Gavelton"
    grep -A1 -x FileVersion <<<"$strings" | grep -qx "$VERSION" || die "$(basename "$exe"): FileVersion is not $VERSION"
    grep -A1 -x FileDescription <<<"$strings" | sed -n 2p | grep -q . || die "$(basename "$exe"): no FileDescription"
    # The fixed part (what Explorer's "File version" shows) follows the signature FEEF04BD.
    fixed=$(wrestool -x --raw -t 16 "$exe" | od -An -v -tx1 | tr -s ' \n' ' ' | awk '
        function hex(s,   n, k) { n = 0; for (k = 1; k <= length(s); k++) n = n * 16 + index("0123456789abcdef", substr(s, k, 1)) - 1; return n }
        { for (i = 1; i <= NF - 15; i++) if ($i == "bd" && $(i+1) == "04" && $(i+2) == "ef" && $(i+3) == "fe") {
            printf "%d.%d.%d.%d\n", hex($(i+11) $(i+10)), hex($(i+9) $(i+8)), hex($(i+15) $(i+14)), hex($(i+13) $(i+12)); exit } }')
    [[ $fixed == "$VERSION.0" ]] || die "$(basename "$exe"): the fixed file version is ${fixed:-missing}, not $VERSION.0"
    say "$(basename "$exe"): gavel icon ($icons), version $VERSION ($fixed), product Gavelton"
}

# The manifest Windows reads from gavelton.exe (resource type 24): crisp on every monitor takes
# per-monitor DPI awareness v2; without it Windows stretches the window blurry beside a screen
# of another DPI.
check_manifest() {
    local exe=$1 manifest
    manifest=$(wrestool -x --raw -t 24 "$exe" 2>/dev/null | tr -d '\0')
    [[ -n $manifest ]] || die "$(basename "$exe") holds no manifest"
    grep -Eq '<dpiAwareness[^>]*>[^<]*PerMonitorV2' <<<"$manifest" ||
        die "the manifest of $(basename "$exe") does not declare per-monitor DPI awareness (PerMonitorV2)"
    grep -q 'Microsoft.Windows.Common-Controls' <<<"$manifest" ||
        die "the manifest of $(basename "$exe") does not ask for the common controls 6"
    say "$(basename "$exe"): manifest with PerMonitorV2 DPI awareness and the common controls 6"
}

# check_binaries GAVELTON WORLD WADAPI: everything above, on stripped or unstripped files.
check_binaries() {
    local f want
    for f in "$@"; do check_imports "$f"; done
    check_exports "$3"
    check_resources "$1"
    check_manifest "$1"
    case $ARCH in
        i686) want='pei-i386' ;;
        x86_64) want='pei-x86-64' ;;
    esac
    for f in "$@"; do
        "$HOST-objdump" -f "$f" | grep -q "file format $want" || die "$(basename "$f") is not $want"
    done
    say "$(basename "$1"), $(basename "$2"), $(basename "$3"): $want, only Windows' own DLLs imported, bare exports"
}

# check_stdcall GAVELTON WADAPI: the unstripped i686 binaries (their symbols carry the
# decoration) against the client's __stdcall interface.
check_stdcall() {
    # shellcheck source=conventions.sh
    source "$ROOT/scripts/lib/conventions.sh"
    check_conventions "$HOST" "$ROOT" "$2" "$1" ||
        die "the wadapi interface is not __stdcall throughout (see above); the chat client's wadapi.dll would crash Gavelton"
    say "wadapi.dll's exports and Gavelton's callbacks are __stdcall with the right argument sizes"
}
