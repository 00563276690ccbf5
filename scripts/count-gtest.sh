#!/usr/bin/env bash
# Prints "PASSED FAILED SKIPPED" summed over the GoogleTest XML files given.
set -euo pipefail
(($#)) || { echo "0 0 0"; exit 0; }
awk '
    function finish() {
        if (!open) return
        if (failed) f++
        else if (skipped) s++
        else p++
        open = 0
    }
    /<testcase / {
        finish()
        open = 1; failed = 0
        skipped = ($0 ~ /result="skipped"/ || $0 ~ /status="notrun"/)
        if ($0 ~ /\/>[[:space:]]*$/) finish()
        next
    }
    open && /<failure/ { failed = 1 }
    open && /<\/testcase>/ { finish() }
    END { finish(); printf "%d %d %d\n", p, f, s }
' "$@"
