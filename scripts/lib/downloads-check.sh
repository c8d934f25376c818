# shellcheck shell=bash disable=SC2034,SC2153,SC2317  # sourced: its globals and functions serve the script that sources it
# shellcheck shell=bash
# The static checks of the downloads of one arch, sourced by scripts/check-windows: what the
# zip and the installer hold, and that SHA256SUMS matches them. They read files only, so they
# run on every machine, whether or not it can run the program.
#
# The caller sets ROOT, ARCH, DIST, VERSION and has say and die.

# The files a host gets, as the zip and the installer must hold them: gavelton.exe and the
# README at the top, the stand-ins in practice\ only (beside gavelton.exe the stand-in
# wadapi.dll would be loaded instead of the chat client's).
SHIPPED=(gavelton.exe README.txt practice/practice-world.exe practice/wadapi.dll)

check_dist_folder() {
    local f
    for f in "${SHIPPED[@]}"; do
        [[ -f $DIST/$f ]] || die "$DIST/$f is missing (run scripts/build-windows $ARCH)"
    done
    [[ ! -e $DIST/wadapi.dll ]] || die "the stand-in wadapi.dll lies beside gavelton.exe in $DIST"
}

check_zip() {
    local zip=$1 listing f
    listing=$(unzip -Z1 "$zip")
    for f in "${SHIPPED[@]}"; do
        grep -qx "Gavelton/$f" <<<"$listing" || die "$(basename "$zip") lacks $f"
    done
    ! grep -qx 'Gavelton/wadapi.dll' <<<"$listing" || die "$(basename "$zip") puts wadapi.dll beside gavelton.exe"
    say "ok: $(basename "$zip") holds gavelton.exe, the hosts' README and practice/ with the stand-ins"
}

# 7-Zip reads an NSIS installer's payload without running it: the files it puts into the
# install folder (7-Zip names them from there, with or without a leading $INSTDIR), each the
# very file that was built and checked in DIST.
check_installer_files() {
    local installer=$1 out f listing
    command -v 7z >/dev/null || die "7z missing (p7zip-full; try: scripts/build-windows deps)"
    out=$(mktemp -d)
    7z x -y -o"$out" "$installer" >/dev/null || die "7z cannot unpack $(basename "$installer")"
    [[ -d $out/\$INSTDIR ]] && out=$out/\$INSTDIR
    # shellcheck disable=SC2016  # $PLUGINSDIR is the folder NSIS names so, not a variable
    listing=$(cd "$out" && find . -type f ! -path './$PLUGINSDIR/*' | sed 's|^\./||' | sort)
    for f in "${SHIPPED[@]}" Uninstall.exe; do
        grep -qx "$f" <<<"$listing" || die "$(basename "$installer") does not install $f (it holds: $(paste -sd' ' <<<"$listing"))"
    done
    ! grep -qx 'wadapi.dll' <<<"$listing" || die "$(basename "$installer") installs wadapi.dll beside gavelton.exe"
    for f in "${SHIPPED[@]}"; do
        cmp -s "$out/$f" "$DIST/$f" || die "$(basename "$installer") installs a $f other than $DIST/$f"
    done
    rm -rf "${out%/\$INSTDIR}"
    say "ok: $(basename "$installer") installs exactly the files of $DIST and its uninstaller ($(wc -l <<<"$listing") files), no wadapi.dll beside gavelton.exe"
}

check_sums() {
    local f
    (cd "$ROOT/dist" && sha256sum --quiet -c SHA256SUMS --ignore-missing) || die "dist/SHA256SUMS does not match the downloads"
    for f in "$@"; do
        grep -q " $(basename "$f")\$" "$ROOT/dist/SHA256SUMS" || die "dist/SHA256SUMS lacks $(basename "$f")"
    done
    say "ok: dist/SHA256SUMS matches the zip and the installer"
}

# check_downloads: all of the above for ARCH; sets ZIP and INSTALLER.
check_downloads() {
    ZIP=$ROOT/dist/gavelton-$VERSION-windows-$ARCH.zip
    INSTALLER=$ROOT/dist/gavelton-$VERSION-windows-$ARCH-setup.exe
    check_dist_folder
    [[ -f $ZIP ]] || die "no $(basename "$ZIP")"
    [[ -f $INSTALLER ]] || die "no $(basename "$INSTALLER")"
    check_zip "$ZIP"
    check_installer_files "$INSTALLER"
    check_sums "$ZIP" "$INSTALLER"
}
