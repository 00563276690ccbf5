#!/usr/bin/env bash
# Fails when an include runs the wrong way between the source folders:
#   base                at the bottom: the portable vocabulary (geometry,
#                       colour, font description, mouse, error, read policy)
#   ui                  the Win32 toolkit, on base
#   core                the portable seams and rules, on base (never on ui)
#   components, config, output, dialogs   on them, not on each other, except
#                       that dialogs are built from the components' controls
#                       (the quick-help window shows an effect label)
#   app, then main.cpp  on top
#   cli                 the console companion, on top beside app: it runs
#                       app's flows and uses app's Win32 platform
#   lunket              the launcher stubs: separate programs that stand
#                       alone, without the C++ library the helpers use
# and when a portable file (base/, core/, or a file of config/, output/,
# dialogs/, components/, app/ or cli/ without _win32 in its name) includes
# <windows.h>. The table is scripts/layers.txt, to which the build holds
# each layer too; this check is the fast one, and also sees headers no
# source includes.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../src" || exit 2

allowed() { sed -n "s/^$1: *//p" ../scripts/layers.txt; }

bad=0
while IFS= read -r file; do
    layer=${file%%/*}
    [[ $file == */* ]] || continue  # main.cpp sits above everything
    ok=" $(allowed "$layer") "
    while IFS= read -r inc; do
        target=${inc%%/*}
        if [[ $ok != *" $target "* ]]; then
            echo "layers: $file includes \"$inc\": $layer may include only:$ok" >&2
            bad=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
    portable=0
    case $layer in
        base | core) portable=1 ;;
        components | config | output | dialogs | app | cli) [[ $file == *_win32.* ]] || portable=1 ;;
    esac
    if ((portable)) && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file"; then
        echo "layers: $file is portable but includes <windows.h>" >&2
        bad=1
    fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if ((bad)); then
    echo "layers: includes run the wrong way (see above)" >&2
    exit 1
fi
echo "layers: every include runs downward"
