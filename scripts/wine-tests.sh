#!/usr/bin/env bash
# Runs the Windows test programs (win_tests.exe, e2e_tests.exe) under Wine in
# the private test prefix. Runs inside xvfb-run, see ./quillet test.
#   wine-tests.sh RESULTS_DIR    GoogleTest XML files go to RESULTS_DIR
#
# The prefix is made once (template, stamped) and every run starts from a
# fresh copy of it, so what one run leaves in the registry or on C: cannot
# change the next run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

results=$1
mkdir -p "$results"
wine_env
use_home "$TEST_WINE_DIR/home"
bash "$here/make-prefix.sh" "$TEST_WINE_DIR/template" "$HOME"

export WINEPREFIX=$TEST_WINE_DIR/prefix
stop_wineserver      # one left over from an interrupted run
rm -rf "$WINEPREFIX"
cp -a "$TEST_WINE_DIR/template" "$WINEPREFIX"

# One wineserver for the whole run (each test program then starts fast); it
# is ended, and waited for, however the run ends.
trap stop_wineserver EXIT
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
rc=0
for program in win_tests e2e_tests; do
    say "running $program"
    log=$results/$program.log
    status=0
    timeout 1200 wine "./$program.exe" "--gtest_output=xml:$(dos_path "$results")\\$program.xml" \
        </dev/null >"$log" 2>&1 || status=$?
    # Failures in full; otherwise the runner's summary.
    if ((status != 0)); then
        cat "$log"
        say "$program exited with status $status"
        rc=1
    else
        sed -n '/^\[==========\] .* ran\./,$p' "$log"
    fi
done
exit $rc
