#!/usr/bin/env bash
# Runs the Windows test programs (win_tests.exe, e2e_tests.exe) under Wine in
# the private test prefix. Runs inside xvfb-run, see ./quillet test.
#   wine-tests.sh RESULTS_DIR    GoogleTest XML files go to RESULTS_DIR
#   wine-tests.sh RESULTS_DIR --dpi N
#                                only the HighDpi suite of win_tests, with the
#                                prefix's user at N DPI (on a screen as much
#                                larger than 1024 x 768 as N is than 96)
#   wine-tests.sh RESULTS_DIR --repeat N [FILTER]
#                                both programs N times, each run in a fresh
#                                prefix (RESULTS_DIR/run-K), only the tests
#                                FILTER names (GoogleTest filter syntax); then
#                                how often each test that ever failed did
#
# The prefix is made once (template, stamped) and every run starts from a
# fresh copy of it, so what one run leaves in the registry or on C: cannot
# change the next run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

usage="usage: wine-tests.sh RESULTS_DIR [--dpi N | --repeat N [FILTER]]"
dpi=
repeat=
filter=
if (($# == 3)) && [[ $2 == --dpi ]]; then
    dpi=$3
    valid_dpi "$dpi" || die "a DPI must be a whole number from 96 to 480, not '$dpi'"
elif (($# == 3 || $# == 4)) && [[ $2 == --repeat ]]; then
    repeat=$3
    filter=${4:-}
    [[ $repeat =~ ^[1-9][0-9]*$ ]] || die "a repeat count must be a whole number from 1, not '$repeat'"
elif (($# != 1)); then
    die "$usage"
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

# A folder that refuses writes as Program Files does (Wine itself refuses
# nothing the Unix user may do): quillet.exe in a folder with the immutable
# attribute, which even root may not get past. The end-to-end tests start
# Quillet from it (QUILLET_REFUSING_DIR), or skip that where it cannot be made.
refusing=$TEST_WINE_DIR/refusing
release_refusing() { [[ -d $refusing ]] && chattr -i "$refusing" 2>/dev/null; true; }

# One wineserver for each run of the programs (each test program then starts
# fast); it is ended, and waited for, and the immutable folders released,
# however the script ends.
trap 'stop_wineserver; release_immutable; release_refusing' EXIT

# The two folders that refuse writes, made afresh for a run.
refusing_folders() {
    mkdir -p "$immutable/Bin"
    cp "$WIN_DIR/fakedcc.exe" "$immutable/Bin/dcc32.exe"
    printf -- '-old configuration\r\n' >"$immutable/Bin/dcc32.cfg"
    if chattr +i "$immutable/Bin/dcc32.cfg" "$immutable/Bin" 2>/dev/null; then
        export QUILLET_E2E_IMMUTABLE_FOLDER='C:\immutable\Bin'
    fi
    release_refusing
    rm -rf "$refusing"
    if [[ -z $dpi ]] && mkdir -p "$refusing" && cp "$WIN_DIR"/{quillet.exe,readme.txt} "$refusing/" &&
        chattr +i "$refusing" 2>/dev/null; then
        export QUILLET_REFUSING_DIR
        QUILLET_REFUSING_DIR=$(dos_path "$refusing")
    fi
}

# A fresh copy of the template with its wineserver started.
fresh_prefix() {
    stop_wineserver      # one left over from an interrupted or earlier run
    release_immutable
    rm -rf "$WINEPREFIX"
    cp -a "$TEST_WINE_DIR/template" "$WINEPREFIX"
    refusing_folders
    wineserver -p
    # Wine's background processes (the desktop process, the services) start
    # with the first program and inherit its standard handles. Started here on
    # /dev/null, they cannot hold an output pipe of ours open.
    wine "$WIN_DIR/wait_window.exe" --close QuilletWarmUp none </dev/null >/dev/null 2>&1 || true
}

# run_programs DIR [GTEST_ARGS...]: each program of `runs`, its XML and log in
# DIR (NAME.xml, NAME.log); the status of each in `statuses` (NAME=STATUS).
# A single run shows each program's failures in full, else its summary.
# Each test program writes to a file, not a pipe: a Wine process that lives
# on after a test (the desktop, a service started by COM) may still hold the
# program's handles, and a reader of a pipe would wait for it forever. The
# shell waits for the test program itself.
statuses=()
run_programs() {
    local dir=$1
    shift
    local program name log status
    statuses=()
    for program in "${runs[@]}"; do
        name=$program${dpi:+-${dpi}dpi}
        log=$dir/$name.log
        [[ -n $repeat ]] || say "running $name"
        status=0
        (cd "$WIN_DIR" && timeout 1200 wine "./$program.exe" "$@" \
            "--gtest_output=xml:$(dos_path "$dir")\\$name.xml" </dev/null >"$log" 2>&1) || status=$?
        statuses+=("$name=$status")
        [[ -n $repeat ]] && continue
        if ((status != 0)); then
            cat "$log"
            say "$name exited with status $status"
        else
            sed -n '/^\[==========\] .* ran\./,$p' "$log"
        fi
    done
}

export QUILLET_BIN_DIR=$WIN_DIR
runs=(win_tests e2e_tests)
gtest_args=()
if [[ -n $dpi ]]; then
    runs=(win_tests)
    gtest_args=(--gtest_filter='HighDpi.*')
    # The suite checks that the setting took.
    export QUILLET_TEST_DPI=$dpi
fi
[[ -n $filter ]] && gtest_args=("--gtest_filter=$filter")

if [[ -n $repeat ]]; then
    # A test fails in a run when its program reports it failed; a program that
    # ends badly (crash, hang, failed start) without naming a failed test
    # counts as a failure of the program itself.
    failures=$results/failures.txt
    : >"$failures"
    for ((k = 1; k <= repeat; k++)); do
        dir=$results/run-$k
        rm -rf "$dir"
        mkdir -p "$dir"
        fresh_prefix
        run_programs "$dir" "${gtest_args[@]}"
        before=$(wc -l <"$failures")
        for entry in "${statuses[@]}"; do
            name=${entry%=*}
            named=$(sed -n 's/^\[  FAILED  \] \([^ ]*\) (.*/\1/p' "$dir/$name.log" | tr -d '\r' | sort -u)
            if [[ -n $named ]]; then
                printf '%s\n' "$named" >>"$failures"
            elif [[ ${entry#*=} != 0 ]]; then
                echo "$name.exe (status ${entry#*=}, no failed test named)" >>"$failures"
            fi
        done
        ran=$(cat "$dir"/*.log | tr -d '\r' | sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' |
            awk '{ n += $1 } END { print n + 0 }')
        say "run $k of $repeat: $ran tests, $(($(wc -l <"$failures") - before)) failed"
    done
    if [[ ! -s $failures ]]; then
        say "every test passed, in $repeat of $repeat runs${filter:+ (filter $filter)}"
        exit 0
    fi
    say "failed at least once (runs failed of $repeat; logs in $results/run-K):"
    sort "$failures" | uniq -c | sort -k1,1nr -k2 | awk -v n="$repeat" '{ c = $1; $1 = ""; printf "  %d/%d %s\n", c, n, substr($0, 2) }'
    exit 1
fi

fresh_prefix
[[ -n $dpi ]] && set_prefix_dpi "$dpi"
run_programs "$results" "${gtest_args[@]}"
[[ ${statuses[*]} != *=[1-9]* ]]
