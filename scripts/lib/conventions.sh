# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The stdcall check of the wadapi interface for 32-bit builds, sourced by scripts/build-windows
# and by scripts/test-conventions.
#
# On 32-bit Windows the chat client's wadapi.dll exports __stdcall functions and calls
# Gavelton's callbacks the same way. The stand-in library and Gavelton share one header, so a
# wrong convention there agrees with itself and runs fine under Wine, and would crash only
# beside the real client. Two independent witnesses:
#   - the symbols of the unstripped binaries (or objects): a __stdcall function carries its
#     argument size in its name (_InitDDE@16), a __cdecl one does not (_InitDDE);
#   - the types, written out apart from the header (scripts/lib/wadapi_conventions.cpp).

# Decorated names: the library's seven exports, then Gavelton's three callbacks (src/link).
WADAPI_STDCALL_EXPORTS=(_InitDDE@16 _KillDDE@0 _DapiRegister@4 _DapiUnregister@4 _DapiCommunicate@16
    _DapiGetAllText@4 _DapiSend@16)
GAVELTON_STDCALL_CALLBACKS=(_AckCallback@4 _DataCallback@12 _AllTextCallback@4)

# stdcall_names WHAT HOST 'NAME...' FILE...: every NAME is a function defined in the FILEs.
# Prints each one missing, with what the FILEs hold under that name instead; status 1 then.
stdcall_names() {
    local what=$1 host=$2 names=$3 symbols name base found bad=0
    shift 3
    symbols=$("$host-nm" --defined-only "$@" 2>/dev/null | awk 'NF == 3 && ($2 == "T" || $2 == "t") { print $3 }') || true
    for name in $names; do
        grep -qxF -- "$name" <<<"$symbols" && continue
        base=${name%@*}
        found=$(grep -E -- "^${base}(@[0-9]+)?\$" <<<"$symbols" | paste -sd' ' -)
        printf 'conventions: %s: %s missing (found: %s)\n' "$what" "$name" "${found:-nothing}" >&2
        bad=1
    done
    return "$bad"
}

# check_wadapi_types HOST ROOT [COMPILER FLAGS...]: the header's types against the client's.
check_wadapi_types() {
    local host=$1 root=$2
    shift 2
    "$host-g++-posix" -std=c++20 -fsyntax-only -Wall -Wextra -Werror "$@" -I"$root/src" \
        "$root/scripts/lib/wadapi_conventions.cpp"
}

# check_conventions HOST ROOT WADAPI_FILES GAVELTON_FILES [COMPILER FLAGS...]: all three
# checks; the file lists are space-separated (unstripped wadapi.dll and gavelton.exe, or
# their objects).
check_conventions() {
    local host=$1 root=$2 wadapi_files=$3 gavelton_files=$4 bad=0
    shift 4
    # shellcheck disable=SC2086
    stdcall_names "wadapi.dll exports" "$host" "${WADAPI_STDCALL_EXPORTS[*]}" $wadapi_files || bad=1
    # shellcheck disable=SC2086
    stdcall_names "Gavelton's callbacks" "$host" "${GAVELTON_STDCALL_CALLBACKS[*]}" $gavelton_files || bad=1
    check_wadapi_types "$host" "$root" "$@" || { printf 'conventions: the wadapi types are not the client'"'"'s\n' >&2; bad=1; }
    return "$bad"
}
