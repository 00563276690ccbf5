#!/usr/bin/env bash
# Runs the Windows test programs (ctest in the Windows build, whose emulator
# is wine) in the private test prefix. Runs inside xvfb-run, see ./quillet test.
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
# /dev/null, they cannot hold ctest's output pipe open after a test ends.
wine "$WIN_DIR/wait_window.exe" --close QuilletWarmUp none </dev/null >/dev/null 2>&1 || true

cd "$WIN_DIR"
GTEST_OUTPUT="xml:$(dos_path "$results")\\" ctest --output-on-failure
