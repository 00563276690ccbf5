#!/usr/bin/env bash
# Shows that the checks of the shipped programs fail, naming the fault, on two
# planted ones: an import that the XP allow-list lacks (the list without one of
# quillet.exe's), and a program without a manifest (quillet.exe stripped of its
# resources).
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
    output=$("$@" 2>&1) && { echo "checks: $what passed the check" >&2; bad=1; return; }
    [[ $output == *"$expected"* ]] || { echo "checks: $what failed without \"$expected\": $output" >&2; bad=1; }
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
