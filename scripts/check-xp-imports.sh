#!/usr/bin/env bash
# Fails when a shipped program would not start on Windows XP SP3: its PE
# header asks for a Windows later than 5.1, or it imports a function that
# scripts/post-xp-imports.txt lists as missing on XP (the reason is printed).
#   check-xp-imports.sh DIR PROGRAM.exe...
set -uo pipefail
list=$(dirname "${BASH_SOURCE[0]}")/post-xp-imports.txt
objdump=i686-w64-mingw32-objdump
dir=$1
shift

dlls=() functions=() reasons=()
while read -r pattern reason; do
    [[ -z $pattern || $pattern == \#* ]] && continue
    dlls+=("${pattern%%!*}")
    functions+=("${pattern#*!}")
    reasons+=("$reason")
done <"$list"

bad=0
for program in "$@"; do
    if ! dump=$("$objdump" -p "$dir/$program" 2>&1); then
        echo "xp: cannot read $dir/$program: $dump" >&2
        bad=1
        continue
    fi
    # The version the loader checks, as major * 100 + minor.
    for field in OSystem Subsystem; do
        major=$(sed -n "s/^Major${field}Version[[:space:]]*//p" <<<"$dump")
        minor=$(sed -n "s/^Minor${field}Version[[:space:]]*//p" <<<"$dump")
        if [[ -z $major || -z $minor ]] || ((major * 100 + minor > 501)); then
            name=subsystem
            [[ $field == OSystem ]] && name="operating system"
            echo "xp: $program's header asks for $name version ${major:-?}.${minor:-?}; Windows XP is 5.1" >&2
            bad=1
        fi
    done
    # "DLL FUNCTION" for each import by name.
    imports=0
    while read -r dll function; do
        imports=$((imports + 1))
        for i in "${!functions[@]}"; do
            # shellcheck disable=SC2053  # the table's entries are patterns
            if [[ ${dll,,} == ${dlls[i],,} && $function == ${functions[i]} ]]; then
                echo "xp: $program imports $function from $dll: ${reasons[i]}" >&2
                bad=1
            fi
        done
    done < <(awk '/^\tDLL Name: / { dll = $3; next }
                  /^$/ { dll = "" }
                  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $3 }' <<<"$dump")
    if ((imports == 0)); then
        echo "xp: found no imports in $program; has objdump's output changed?" >&2
        bad=1
    fi
done

if ((bad)); then
    echo "xp: a shipped program would not start on Windows XP SP3 (see above)" >&2
    exit 1
fi
echo "xp: $* ask for Windows 5.1 at most and import nothing XP lacks"
