#!/usr/bin/env bash
# Makes a Wine prefix for Quillet (32-bit, or 64-bit where Wine runs the x64
# build, see common.sh), or leaves it alone when it is already made from the
# same inputs (a stamp records them).
#
#   make-prefix.sh PREFIX HOME                 the base: wineboot, 96 DPI, fonts
#   make-prefix.sh PREFIX HOME --demo FAKEDCC  the base plus the SAMPLE Delphi
#                                              1, 2 and 3 installations of demo/,
#                                              with FAKEDCC as their compilers
#
# HOME is the throwaway home the prefix is made and used with. Run it on the
# X display the prefix will be used with (or none): Wine's desktop process
# ends with the wineserver here before the stamp is written.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

(($# == 2 || $# == 4)) || die "usage: make-prefix.sh PREFIX HOME [--demo FAKEDCC_EXE]"
prefix=$1
home=$2
fakedcc=
if (($# == 4)); then
    [[ $3 == --demo ]] || die "usage: make-prefix.sh PREFIX HOME [--demo FAKEDCC_EXE]"
    fakedcc=$4
    [[ -f $fakedcc ]] || die "placeholder compiler $fakedcc not built"
fi

# Wine's own fonts (Debian's fonts-wine): the bitmap faces that Windows has
# and the program names, "MS Sans Serif" (its 96-DPI sizes and, for a screen
# of 120 DPI and more, its larger ones, as Windows installs them), "Fixedsys"
# and "Small Fonts". Only these files: Wine's TrueType files of the same
# names scale their outlines to any height, which Windows' faces do not.
wine_fonts=/usr/share/wine/fonts
bitmap_fonts=(sserife.fon sseriff.fon vgafix.fon smalle.fon)
for font in "${bitmap_fonts[@]}"; do
    [[ -f $wine_fonts/$font ]] || die "$wine_fonts/$font is missing: install fonts-wine"
done

stamp_of_inputs() {
    wine --version
    sha256sum "$here/make-prefix.sh" "$here/prefix.reg" "$here/common.sh" | cut -c1-64
    ls "${bitmap_fonts[@]/#/$wine_fonts/}"
    if [[ -n $fakedcc ]]; then
        (cd "$QUILLET_ROOT" && find demo -type f -print0 | sort -z | xargs -0 sha256sum)
        sha256sum <"$fakedcc"
        ls "$wine_fonts/marlett.ttf" 2>/dev/null || true
    fi
}
want=$(stamp_of_inputs | sha256sum | cut -c1-64)
stamp=$prefix/.quillet-prefix-stamp
if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
    exit 0
fi

wine_env
use_home "$home"
export WINEPREFIX=$prefix
stop_wineserver
rm -rf "$prefix"
mkdir -p "$prefix"
say "making Wine prefix $prefix (once; takes a minute)"

if ! timeout 600 wineboot --init >"$home/wineboot.log" 2>&1; then
    cat "$home/wineboot.log" >&2
    die "wineboot --init failed for $prefix"
fi
# wineboot returns before the prefix is complete; let its server finish.
wineserver -w

import_reg() {
    local log=$home/regedit.log
    if ! wine regedit /S "$(dos_path "$1")" >"$log" 2>&1; then
        cat "$log" >&2
        die "importing $1 into $prefix failed"
    fi
}
import_reg "$here/prefix.reg"
# Debian's Wine 8 does not look for its own fonts where fonts-wine puts them;
# a font in the prefix's Fonts folder is found.
cp "${bitmap_fonts[@]/#/$wine_fonts/}" "$prefix/drive_c/windows/Fonts/"

if [[ -n $fakedcc ]]; then
    # SAMPLE DATA: the installation trees, then the placeholder compilers where
    # each product keeps its command-line compiler.
    cp -R "$QUILLET_ROOT/demo/drive_c/." "$prefix/drive_c/"
    install -m 0755 "$fakedcc" "$prefix/drive_c/DELPHI/BIN/DCC.EXE"
    install -m 0755 "$fakedcc" "$prefix/drive_c/Program Files/Borland/Delphi 2.0/BIN/dcc32.exe"
    install -m 0755 "$fakedcc" "$prefix/drive_c/Program Files/Borland/Delphi 3/Bin/dcc32.exe"
    # The 32-bit installers wrote the machine's keys into the 32-bit view,
    # which a 64-bit prefix keeps under Wow6432Node.
    if ((QUILLET_WINE_BITS == 64)); then
        sed 's/^\[HKEY_LOCAL_MACHINE\\SOFTWARE\\/[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\/' \
            "$QUILLET_ROOT/demo/delphi.reg" >"$home/delphi32.reg"
        import_reg "$home/delphi32.reg"
    else
        import_reg "$QUILLET_ROOT/demo/delphi.reg"
    fi
    # Wine draws the caption buttons' symbols in Marlett, found there too.
    if [[ -f $wine_fonts/marlett.ttf ]]; then
        cp "$wine_fonts/marlett.ttf" "$prefix/drive_c/windows/Fonts/"
    fi
fi

# Everything on disk (registry included) before the prefix counts as made.
wineserver -w
printf '%s\n' "$want" >"$stamp"
