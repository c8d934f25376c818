# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# The one way the project's scripts install Debian packages, sourced by scripts/install-deps and
# scripts/build-windows. A mirror briefly out of step with its index is an everyday event, so:
#   apt_update                      apt-get update, tried again after a pause while an index
#                                   fails; an index that still fails is a warning, not a stop
#   apt_install_required [-OPT] PKG...
#                                   installs, or stops the script with one line naming the
#                                   package that cannot be installed and apt's reason
#   apt_install_wanted [-OPT] PKG...
#                                   installs, or returns 1 with APT_REASON set to that line
# The caller sets APT_WHO (the name its lines begin with) and SUDO ("" as root, or "sudo").
# GV_APT_TRIES and GV_APT_PAUSE (seconds) set how often and how patiently the index is fetched.

APT_TRIES=${GV_APT_TRIES:-4}
APT_PAUSE=${GV_APT_PAUSE:-20}
APT_REASON=''

apt_say() { printf '%s: %s\n' "${APT_WHO:-apt}" "$*" >&2; }

apt_get() { DEBIAN_FRONTEND=noninteractive ${SUDO:-} apt-get "$@"; }

# The lines of apt's output that say what went wrong, most telling first: an unmet dependency
# names what is missing, the E: line only that something is.
apt_trouble() {
    local dep err
    dep=$(grep -m1 -E '^ *[^ ]+ : (Pre)?Depends: ' "$1" | sed -E 's/^ +//; s/ +/ /g')
    err=$(grep -m1 -E '^E: ' "$1" | sed 's/^E: //')
    [[ -n $dep$err ]] || err=$(grep -v '^ *$' "$1" | tail -n1)
    printf '%s%s%s\n' "$err" "${dep:+ (}" "${dep:+$dep)}"
}

apt_update() {
    local try log rc
    log=$(mktemp)
    for ((try = 1; try <= APT_TRIES; try++)); do
        rc=0
        apt_get update -q >"$log" 2>&1 || rc=$?
        # apt-get update exits 100 when an index failed; some failures are only W: lines.
        if [[ $rc -eq 0 ]] && ! grep -qE '^(W|E): (Failed to fetch|Some index files failed)' "$log"; then
            rm -f "$log"
            return 0
        fi
        if ((try < APT_TRIES)); then
            apt_say "apt-get update: an index failed (try $try of $APT_TRIES), again in $APT_PAUSE s: $(grep -m1 -E '^(E|W): ' "$log")"
            sleep "$APT_PAUSE"
        fi
    done
    apt_say "warning: apt-get update still fails after $APT_TRIES tries; going on with the indexes that did download:"
    grep -E '^(Err:|E: |W: )' "$log" | awk '!seen[$0]++' | sed 's/^/  /' >&2
    rm -f "$log"
    return 0
}

# Sets APT_REASON to "PKG: why" for the first package of the list apt cannot install, found by
# asking apt, without installing, about each alone; returns 1 when every one alone can be.
apt_find_blocker() {
    local opts=() pkg log
    while [[ ${1:-} == -* ]]; do opts+=("$1"); shift; done
    log=$(mktemp)
    for pkg in "$@"; do
        if ! apt_get install -s -y "${opts[@]}" "$pkg" >"$log" 2>&1; then
            APT_REASON="$pkg: $(apt_trouble "$log")"
            rm -f "$log"
            return 0
        fi
    done
    rm -f "$log"
    return 1
}

# Installs the packages; a download that fails (a mirror in change) is tried again after the
# index is fetched anew. Sets APT_REASON and returns 1 when a package cannot be installed.
apt_install_wanted() {
    local opts=() pkgs log try
    while [[ ${1:-} == -* ]]; do opts+=("$1"); shift; done
    pkgs=("$@")
    log=$(mktemp)
    for ((try = 1; try <= APT_TRIES; try++)); do
        if apt_get install -y -q "${opts[@]}" "${pkgs[@]}" 2>&1 | tee "$log" >&2 && [[ ${PIPESTATUS[0]} -eq 0 ]]; then
            rm -f "$log"
            return 0
        fi
        # Which package: apt names none when it only cannot resolve the whole set.
        if apt_find_blocker "${opts[@]}" "${pkgs[@]}"; then
            rm -f "$log"
            return 1
        fi
        APT_REASON="${pkgs[*]}: $(apt_trouble "$log")"
        ((try < APT_TRIES)) || break
        apt_say "apt-get install failed (try $try of $APT_TRIES), again in $APT_PAUSE s: $APT_REASON"
        sleep "$APT_PAUSE"
        apt_update
    done
    rm -f "$log"
    return 1
}

apt_install_required() {
    apt_install_wanted "$@" && return 0
    apt_say "error: cannot install $APT_REASON"
    exit 1
}
