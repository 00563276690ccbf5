#!/usr/bin/env bash
# Runs the Windows test programs (win_tests.exe, e2e_tests.exe) under Wine in
# the private test prefix. Runs inside xvfb-run, see ./quillet test.
#   wine-tests.sh RESULTS_DIR    GoogleTest XML files go to RESULTS_DIR
#   wine-tests.sh RESULTS_DIR --dpi N
#                                only the HighDpi suite of win_tests, with the
#                                prefix's user at N DPI (on a screen as much
#                                larger than 1024 x 768 as N is than 96)
#
# The prefix is made once (template, stamped) and every run starts from a
# fresh copy of it, so what one run leaves in the registry or on C: cannot
# change the next run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

dpi=
if (($# == 3)) && [[ $2 == --dpi ]]; then
    dpi=$3
    valid_dpi "$dpi" || die "a DPI must be a whole number from 96 to 480, not '$dpi'"
elif (($# != 1)); then
    die "usage: wine-tests.sh RESULTS_DIR [--dpi N]"
fi
results=$1
mkdir -p "$results"
wine_env
use_home "$TEST_WINE_DIR/home"
bash "$here/make-prefix.sh" "$TEST_WINE_DIR/template" "$HOME"

export WINEPREFIX=$TEST_WINE_DIR/prefix
# A folder that refuses every write, an administrator's too: the immutable
# attribute, where the file system has it (the end-to-end tests save into it).
immutable=$WINEPREFIX/drive_c/immutable
release_immutable() { [[ ! -d $immutable ]] || chattr -R -i "$immutable" 2>/dev/null || true; }
stop_wineserver      # one left over from an interrupted run
release_immutable
rm -rf "$WINEPREFIX"
cp -a "$TEST_WINE_DIR/template" "$WINEPREFIX"
mkdir -p "$immutable/Bin"
cp "$WIN_DIR/fakedcc.exe" "$immutable/Bin/dcc32.exe"
printf -- '-old configuration\r\n' >"$immutable/Bin/dcc32.cfg"
if chattr +i "$immutable/Bin/dcc32.cfg" "$immutable/Bin" 2>/dev/null; then
    export QUILLET_E2E_IMMUTABLE_FOLDER='C:\immutable\Bin'
fi

# A folder that refuses writes as Program Files does (Wine itself refuses
# nothing the Unix user may do): quillet.exe in a folder with the immutable
# attribute, which even root may not get past. The end-to-end tests start
# Quillet from it (QUILLET_REFUSING_DIR), or skip that where it cannot be made.
refusing=$TEST_WINE_DIR/refusing
release_refusing() { [[ -d $refusing ]] && chattr -i "$refusing" 2>/dev/null; true; }  # at exit too
release_refusing
rm -rf "$refusing"
if [[ -z $dpi ]] && mkdir -p "$refusing" && cp "$WIN_DIR"/{quillet.exe,readme.txt} "$refusing/" &&
    chattr +i "$refusing" 2>/dev/null; then
    export QUILLET_REFUSING_DIR
    QUILLET_REFUSING_DIR=$(dos_path "$refusing")
fi

# One wineserver for the whole run (each test program then starts fast); it
# is ended, and waited for, however the run ends.
trap 'stop_wineserver; release_immutable; release_refusing' EXIT
wineserver -p
# Wine's background processes (the desktop process, the services) start with
# the first program and inherit its standard handles. Started here on
# /dev/null, they cannot hold an output pipe of ours open.
wine "$WIN_DIR/wait_window.exe" --close QuilletWarmUp none </dev/null >/dev/null 2>&1 || true

# Each test program writes to a file, not a pipe: a Wine process that lives
# on after a test (the desktop, a service started by COM) may still hold the
# program's handles, and a reader of a pipe would wait for it forever. The
# shell waits for the test program itself.
cd "$WIN_DIR"
export QUILLET_BIN_DIR=$WIN_DIR
runs=(win_tests e2e_tests)
filter=()
if [[ -n $dpi ]]; then
    set_prefix_dpi "$dpi"
    runs=(win_tests)
    filter=(--gtest_filter='HighDpi.*')
    # The suite checks that the setting took.
    export QUILLET_TEST_DPI=$dpi
fi
rc=0
for program in "${runs[@]}"; do
    name=$program${dpi:+-${dpi}dpi}
    say "running $name"
    log=$results/$name.log
    status=0
    timeout 1200 wine "./$program.exe" "${filter[@]}" "--gtest_output=xml:$(dos_path "$results")\\$name.xml" \
        </dev/null >"$log" 2>&1 || status=$?
    # Failures in full; otherwise the runner's summary.
    if ((status != 0)); then
        cat "$log"
        say "$name exited with status $status"
        rc=1
    else
        sed -n '/^\[==========\] .* ran\./,$p' "$log"
    fi
done
exit $rc
