#!/usr/bin/env bash
# Fails when an include runs the wrong way between the source folders. Each
# folder of src/ is a layer; scripts/layers.txt lists, for each, the folders
# its files may include, and is the only place that says so (the build links
# the layers' libraries by it too). An include is judged by the file it
# reaches, however it is written: "ui/form.h", <ui/form.h>, "../app/flows.h"
# or "form.h" beside the including file. Also fails when a portable file
# (base/, core/, or a file of config/, output/, dialogs/, components/, app/ or
# cli/ without _win32 in its name) includes <windows.h> or the Win32 toolkit.
# Each fault is reported as a compiler reports one, at the including line.
# Every library of the build depends on this check, so a fault stops the build.
#   check-layers.sh [STAMP]   STAMP is touched when every include is right
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root/src" || exit 2

allowed() { sed -n "s/^$1: *//p" ../scripts/layers.txt; }

# The path with its "." and ".." parts folded away.
normal() {
    local IFS=/ part
    local -a out=()
    for part in $1; do
        case $part in
            '' | .) ;;
            ..) if ((${#out[@]})) && [[ ${out[-1]} != .. ]]; then unset 'out[-1]'; else out+=(..); fi ;;
            *) out+=("$part") ;;
        esac
    done
    printf '%s' "${out[*]}"
}

bad=0
fault() {
    echo "$root/src/$1:$2: error: $3" >&2
    bad=1
}
while IFS= read -r file; do
    layer=${file%%/*}
    [[ $file == */* ]] || continue  # main.cpp sits above everything
    ok=" $(allowed "$layer") "
    [[ $ok == "  " ]] && fault "$file" 1 "the folder $layer is not in scripts/layers.txt"
    portable=0
    case $layer in
        base | core) portable=1 ;;
        components | config | output | dialogs | app | cli) [[ $file == *_win32.* ]] || portable=1 ;;
    esac
    while IFS=: read -r line text; do
        quoted=${text#*\"}
        if [[ $quoted != "$text" ]]; then
            inc=${quoted%%\"*}
            reached=$(normal "$(dirname "$file")/$inc")
            [[ -f $reached ]] || reached=$(normal "$inc")
        else
            inc=${text#*<}
            inc=${inc%%>*}
            reached=$(normal "$inc")
            if [[ $inc == windows.h ]] && ((portable)); then
                fault "$file" "$line" "$file is portable but includes <windows.h>"
            fi
        fi
        [[ -f $reached && $reached == */* ]] || continue  # a system or generated header
        target=${reached%%/*}
        if [[ $target == .. || $ok != *" $target "* ]]; then
            fault "$file" "$line" "$layer may not include \"$inc\" ($reached); $layer may include only: $(allowed "$layer")"
        elif [[ $target == ui ]] && ((portable)); then
            fault "$file" "$line" "$file is portable but includes the Win32 toolkit (\"$inc\")"
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if ((bad)); then
    echo "layers: includes run the wrong way (see above)" >&2
    exit 1
fi
[[ -n ${1:-} ]] && touch "$1"
echo "layers: every include runs downward"
