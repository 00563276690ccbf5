# shellcheck shell=bash disable=SC2034
# Shared by ./quillet and the scripts beside this file: where things live and
# how Wine is started for this project. Source it; it sets no shell options.

QUILLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Helpers and the lead build side by side: QUILLET_BUILD_DIR picks the build
# folder (relative to the repository or absolute), build/ by default.
QUILLET_BUILD=${QUILLET_BUILD_DIR:-build}
[[ $QUILLET_BUILD == /* ]] || QUILLET_BUILD=$QUILLET_ROOT/$QUILLET_BUILD
NATIVE_DIR=$QUILLET_BUILD/native
FUZZ_DIR=$QUILLET_BUILD/fuzz

# Whether this machine runs 32-bit (i386) Linux programs: a 93-byte static
# i386 executable that only exits 0 is tried. Wine runs 32-bit Windows
# programs through such programs, and some kernels refuse them (IA-32
# emulation off, as in some virtual machines).
can_run_i386() {
    local probe ok=1
    probe=$(mktemp) || return 1
    # ELF header, one loadable segment, then mov eax,1; xor ebx,ebx; int 0x80.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null && ok=0
    rm -f "$probe"
    return $ok
}

# What Wine runs here. 32: the shipped 32-bit build itself (build/win). 64,
# where the machine cannot run 32-bit Linux programs: the same sources built
# for x64 (build/win64) under 64-bit Wine, for the tests, the demo and the
# bench; the shipped programs are still the 32-bit build. QUILLET_WINE_BITS=32
# or 64 decides instead of the probe.
if [[ -z ${QUILLET_WINE_BITS:-} ]]; then
    if can_run_i386; then QUILLET_WINE_BITS=32; else QUILLET_WINE_BITS=64; fi
fi
export QUILLET_WINE_BITS
[[ $QUILLET_WINE_BITS == 32 || $QUILLET_WINE_BITS == 64 ]] || {
    printf 'quillet: error: QUILLET_WINE_BITS must be 32 or 64\n' >&2
    exit 2
}
# The shipped programs, and the programs that Wine runs here.
SHIP_DIR=$QUILLET_BUILD/win
if ((QUILLET_WINE_BITS == 64)); then
    WIN_DIR=$QUILLET_BUILD/win64
    wine_suffix=64
else
    WIN_DIR=$SHIP_DIR
    wine_suffix=
fi
TEST_WINE_DIR=$QUILLET_BUILD/wine-test$wine_suffix
DEMO_PREFIX=$QUILLET_BUILD/demo-prefix$wine_suffix
DEMO_HOME=$QUILLET_BUILD/demo-home$wine_suffix
# The programs that ship (in dist/'s zip, beside readme.txt).
SHIPPED_PROGRAMS=(quillet.exe quilletc.exe lunket.exe LunketD2.exe LunketD3.exe)

say() { printf 'quillet: %s\n' "$*"; }
die() { printf 'quillet: error: %s\n' "$*" >&2; exit 1; }

# The Windows path of a Unix path, through the Z: drive that every prefix has.
dos_path() {
    local p=$1
    printf 'Z:%s' "${p//\//\\}"
}

# The environment every Wine process of ours runs in: a 32-bit prefix, no
# .NET or Gecko installers, no menu entries or file associations written into
# the user's desktop, no debug chatter.
wine_env() {
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if ((QUILLET_WINE_BITS == 32)); then
        export WINEARCH=win32
        return
    fi
    # Debian's wine script picks the 32-bit loader whenever it is installed;
    # here "wine" (and the wine-stable that wineboot calls) is the 64-bit one.
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    local shim=$QUILLET_BUILD/wine64-bin
    if [[ ! -x $shim/wine-stable ]]; then
        mkdir -p "$shim"
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/wine"
        chmod +x "$shim/wine"
        cp "$shim/wine" "$shim/wine-stable"
    fi
    case ":$PATH:" in
        *":$shim:"*) ;;
        *) export PATH=$shim:$PATH ;;
    esac
}

# A throwaway home for a prefix of ours, so that Wine's desktop, documents and
# XDG links land in the build folder and never on a real desktop.
use_home() {
    export HOME=$1
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    unset XDG_DESKTOP_DIR XDG_DOCUMENTS_DIR
    mkdir -p "$HOME/Desktop" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
}

# Ends the wineserver of $WINEPREFIX (if one runs) and waits until it is gone,
# so the registry is on disk. Only ever our own prefix: WINEPREFIX must be set.
stop_wineserver() {
    [[ -n ${WINEPREFIX:-} ]] || die "stop_wineserver without WINEPREFIX"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# The screen the programs of $WINEPREFIX are drawn for: Wine reads the
# user's "LogPixels" when each program starts. DPI must be 96 to 480 (100 %
# to 500 %), written without leading zeros.
valid_dpi() { [[ $1 =~ ^[1-9][0-9]{1,2}$ ]] && ((10#$1 >= 96 && 10#$1 <= 480)); }
set_prefix_dpi() {
    valid_dpi "$1" || die "a DPI must be a whole number from 96 to 480, not '$1'"
    wine reg add 'HKEY_CURRENT_USER\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1 || die "could not set the DPI of $WINEPREFIX to $1"
}
# A private X screen as large, at DPI, as 1024 x 768 is at 96: WIDTHxHEIGHT.
screen_size_for_dpi() { printf '%dx%d' $((1024 * $1 / 96)) $((768 * $1 / 96)); }
xvfb_screen_for_dpi() { printf -- '-screen 0 %sx24 -nolisten tcp' "$(screen_size_for_dpi "$1")"; }

# The project version, from the one place it is set.
project_version() {
    sed -n 's/^project(Quillet VERSION \([0-9][0-9.]*\).*/\1/p' "$QUILLET_ROOT/CMakeLists.txt" | head -n1
}
