# shellcheck shell=bash disable=SC2034
# Shared by ./quillet and the scripts beside this file: where things live and
# how Wine is started for this project. Source it; it sets no shell options.

QUILLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Helpers and the lead build side by side: QUILLET_BUILD_DIR picks the build
# folder (relative to the repository or absolute), build/ by default.
QUILLET_BUILD=${QUILLET_BUILD_DIR:-build}
[[ $QUILLET_BUILD == /* ]] || QUILLET_BUILD=$QUILLET_ROOT/$QUILLET_BUILD
NATIVE_DIR=$QUILLET_BUILD/native
WIN_DIR=$QUILLET_BUILD/win
FUZZ_DIR=$QUILLET_BUILD/fuzz
TEST_WINE_DIR=$QUILLET_BUILD/wine-test
DEMO_PREFIX=$QUILLET_BUILD/demo-prefix
DEMO_HOME=$QUILLET_BUILD/demo-home
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
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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

# The project version, from the one place it is set.
project_version() {
    sed -n 's/^project(Quillet VERSION \([0-9][0-9.]*\).*/\1/p' "$QUILLET_ROOT/CMakeLists.txt" | head -n1
}
