#!/usr/bin/env bash
# Fails when a shipped program might not start on Windows XP SP3: its PE
# header asks for a Windows later than 5.1, or it imports a function that
# the allow-list (scripts/xp-imports.txt) does not name. The list holds every
# function, per DLL, that is known to exist on XP SP3 and that a shipped
# program imports; a new import fails here until someone has made sure that
# XP has it and added it there with where it came from. A function that XP
# lacks is looked up at run time instead (ui/later_function.h).
#   check-xp-imports.sh [--list FILE] DIR PROGRAM.exe...
set -uo pipefail
list=$(dirname "${BASH_SOURCE[0]}")/xp-imports.txt
if [[ ${1:-} == --list ]]; then
    list=$2
    shift 2
fi
objdump=i686-w64-mingw32-objdump
if (($# < 2)); then
    echo "usage: check-xp-imports.sh [--list FILE] DIR PROGRAM.exe..." >&2
    exit 2
fi
dir=$1
shift

# "dll function" (the DLL's name in lower case) for each listed function.
declare -A allowed=()
while read -r dll function _; do
    [[ -z $dll || $dll == \#* ]] && continue
    allowed["${dll,,} $function"]=1
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
        if [[ -z ${allowed["${dll,,} $function"]:-} ]]; then
            echo "xp: $program imports $function from $dll, which $list does not list;" \
                "if Windows XP SP3 has it, add it there with where it came from" >&2
            bad=1
        fi
    done < <(awk '/^\tDLL Name: / { dll = $3; next }
                  /^$/ { dll = "" }
                  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $3 }' <<<"$dump")
    if ((imports == 0)); then
        echo "xp: found no imports in $program; has objdump's output changed?" >&2
        bad=1
    fi
done

if ((bad)); then
    echo "xp: a shipped program might not start on Windows XP SP3 (see above)" >&2
    exit 1
fi
echo "xp: $* ask for Windows 5.1 at most and import only what XP SP3 has"
