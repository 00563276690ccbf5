#!/usr/bin/env bash
# Installs what building, running and testing Quillet need on Debian 12 and
# nothing that is already there. Runs as root or through sudo, without
# questions (CI has no standard input).
#   install-deps.sh        what building and testing need
#   install-deps.sh run    and what showing the program to a person needs
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

have_pkg() {
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null) == ii* ]]
}

missing=()
command -v g++ >/dev/null || missing+=(g++)
command -v cmake >/dev/null || missing+=(cmake)
command -v clang++ >/dev/null || missing+=(clang)
have_pkg libclang-rt-dev || missing+=(libclang-rt-dev)  # libFuzzer and the sanitizers' run-times
[[ -f /usr/src/googletest/CMakeLists.txt ]] || missing+=(googletest)
command -v i686-w64-mingw32-g++-win32 >/dev/null || missing+=(g++-mingw-w64-i686-win32)
have_pkg wine || missing+=(wine)
need_i386=0
if ((QUILLET_WINE_BITS == 32)); then
    have_pkg wine32:i386 || { missing+=(wine32:i386); need_i386=1; }
else
    # No 32-bit Linux programs here: the tests run an x64 build under 64-bit Wine.
    have_pkg wine64 || missing+=(wine64)
    command -v x86_64-w64-mingw32-g++-win32 >/dev/null || missing+=(g++-mingw-w64-x86-64)
fi
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v xauth >/dev/null || missing+=(xauth)
have_pkg fonts-liberation || missing+=(fonts-liberation)
command -v lnkinfo >/dev/null || missing+=(liblnk-utils)
command -v import >/dev/null || missing+=(imagemagick)
command -v xwd >/dev/null || missing+=(x11-apps)
# Wine's own fonts: the bitmap faces of Windows that the program names
# ("MS Sans Serif", "Fixedsys", "Small Fonts"), which every prefix gets, and
# the symbols of the window captions.
have_pkg fonts-wine || missing+=(fonts-wine)

if ((${#missing[@]} == 0)); then
    exit 0
fi

# De-duplicate, keep order.
declare -A seen=()
pkgs=()
for p in "${missing[@]}"; do
    [[ -n ${seen[$p]:-} ]] || { pkgs+=("$p"); seen[$p]=1; }
done

SUDO=()
if ((EUID != 0)); then
    command -v sudo >/dev/null || die "missing packages (${pkgs[*]}); run as root or install sudo"
    SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

say "installing: ${pkgs[*]}"
if ((need_i386)) && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT
if ! "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q >"$apt_log" 2>&1; then
    cat "$apt_log" >&2
    die "apt-get update failed"
fi
if ! "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -o Dpkg::Use-Pty=0 "${pkgs[@]}" >"$apt_log" 2>&1; then
    cat "$apt_log" >&2
    die "apt-get install failed"
fi
say "installed: ${pkgs[*]}"
