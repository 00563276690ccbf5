#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, one after the other
# (they share the machine's cores with nothing else), starting from its seeds
# in tests/fuzz/corpus/NAME/ and from what earlier runs found, which is kept
# in FUZZ_DIR/corpus/NAME/. Prints each target's executions per second and the
# coverage it reached; keeps the input of a finding (crash, sanitizer report,
# broken invariant, hang, memory blow-up) in FUZZ_DIR/findings/NAME/ and names
# it. With XML_DIR it also writes one GoogleTest-style result file per target
# there, so that the test count takes each target as one test.
#   run-fuzz.sh FUZZ_DIR SECONDS [XML_DIR]
# Exits non-zero when any target had a finding or did not run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

fuzz_dir=$1
seconds=$2
xml_dir=${3:-}

xml_escape() {
    local s=$1
    s=${s//&/&amp;}
    s=${s//</&lt;}
    s=${s//>/&gt;}
    s=${s//\"/&quot;}
    printf '%s' "$s"
}

# write_result NAME [FAILURE-MESSAGE]
write_result() {
    [[ -n $xml_dir ]] || return 0
    local file=$xml_dir/fuzz_$1.xml
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo '<testsuites><testsuite name="fuzz">'
        if (($# > 1)); then
            echo "<testcase name=\"$1\" classname=\"fuzz\">"
            echo "<failure message=\"$(xml_escape "$2")\"/>"
            echo '</testcase>'
        else
            echo "<testcase name=\"$1\" classname=\"fuzz\"/>"
        fi
        echo '</testsuite></testsuites>'
    } >"$file"
}

[[ -n $xml_dir ]] && mkdir -p "$xml_dir"
shopt -s nullglob
targets=("$fuzz_dir"/fuzz_*)
((${#targets[@]})) || die "no fuzz targets in $fuzz_dir"

failed=0
for bin in "${targets[@]}"; do
    [[ -x $bin ]] || continue
    name=${bin##*/fuzz_}
    seeds=$QUILLET_ROOT/tests/fuzz/corpus/$name
    corpus=$fuzz_dir/corpus/$name
    findings=$fuzz_dir/findings/$name
    log=$fuzz_dir/logs/$name.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    dirs=("$corpus")
    [[ -d $seeds ]] && dirs+=("$seeds")

    # New inputs go into the first folder only: the committed seeds stay as they are.
    rc=0
    UBSAN_OPTIONS=print_stacktrace=1 "$bin" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/" "${dirs[@]}" >"$log" 2>&1 || rc=$?

    if ((rc == 0)); then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
        per_sec=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
        ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
        inputs=$(find "$corpus" -type f | wc -l)
        # libFuzzer's count spans everything linked in (GoogleTest's fakes too);
        # the program's own share: edges covered in the functions under src/
        # that the corpus reaches. The sanitizers' checks and C++ unwind paths
        # count as edges that sound code never takes, so the share reads low.
        own=$("$bin" -runs=0 -print_coverage=1 -artifact_prefix="$findings/" "${dirs[@]}" 2>&1 |
            awk -v src="$QUILLET_ROOT/src/" '
                /^COVERED_FUNC: / && index($NF, src) == 1 { split($5, e, "/"); hit += e[1]; all += e[2]; n++ }
                END { if (all) printf "%d/%d edges (%d%%) in the %d functions reached", hit, all, 100 * hit / all, n }')
        say "fuzz $name: ${per_sec:-?} exec/s (${runs:-?} runs in $seconds s); coverage ${cov:-?} edges, ${ft:-?} features; in src/ ${own:-?}; corpus $inputs inputs"
        write_result "$name"
    else
        failed=1
        input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n1)
        # The report: the sanitizer's or the invariant's words, without the libFuzzer banner.
        grep -v '^INFO:\|^#[0-9]' "$log" | head -n 40 >&2
        if [[ -n $input ]]; then
            say "fuzz $name: FINDING, input kept in $input (full log $log)"
            write_result "$name" "finding, input $input"
        else
            say "fuzz $name: FAILED (exit $rc) without an input; see $log"
            write_result "$name" "exit $rc, see $log"
        fi
    fi
done
exit "$failed"
