#!/usr/bin/env bash
# Shows that the checks of the shipped programs fail where they should, on
# two planted faults: a new import that the XP allow-list lacks (the list
# without one of quillet.exe's imports), and a program without a manifest
# (quillet.exe with its resources removed). Each check must fail and name
# the fault.
#   test-checks.sh DIR    DIR holds quillet.exe
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

bad=0
# expect_failure WHAT EXPECTED-TEXT COMMAND...: the command fails and says so.
expect_failure() {
    local what=$1 expected=$2 output
    shift 2
    if output=$("$@" 2>&1); then
        echo "checks: $what passed the check" >&2
        bad=1
    elif [[ $output != *"$expected"* ]]; then
        echo "checks: $what failed the check without \"$expected\": $output" >&2
        bad=1
    fi
}

grep -v '^user32.dll *CreateWindowExA ' "$here/xp-imports.txt" >"$scratch/xp-imports.txt"
expect_failure "an import missing from the XP allow-list" \
    "quillet.exe imports CreateWindowExA from USER32.dll" \
    bash "$here/check-xp-imports.sh" --list "$scratch/xp-imports.txt" "$dir" quillet.exe

i686-w64-mingw32-objcopy --remove-section .rsrc "$dir/quillet.exe" "$scratch/planted.exe"
expect_failure "a program without a manifest" "planted.exe has no manifest" \
    bash "$here/check-manifests.sh" "$scratch" planted.exe

((bad)) && exit 1
echo "checks: both fail on a planted fault, as they should"
