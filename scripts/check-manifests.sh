#!/usr/bin/env bash
# Fails when a shipped program lacks its manifest: a resource of type
# RT_MANIFEST and id 1 that asks for asInvoker and names every Windows from
# Vista to 10/11 as supported. Without one, Windows virtualises the program
# (its writes into protected folders land in the user's VirtualStore) and may
# apply compatibility shims.
#   check-manifests.sh DIR PROGRAM.exe...
set -uo pipefail
windres=i686-w64-mingw32-windres
dir=$1
shift

# The supportedOS ids, with the Windows each stands for.
supported=(
    "e2011457-1546-43c5-a5fe-008deee3d3f0 Windows Vista"
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a Windows 7"
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 Windows 8"
    "1f676c76-80e1-4239-95bb-83d0f6d0da78 Windows 8.1"
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a Windows 10 and 11"
)

bad=0
for program in "$@"; do
    if ! resources=$("$windres" -J coff -O rc -i "$dir/$program" 2>&1); then
        # windres fails on a program without resources at all.
        resources=
    fi
    # The resource's text, its quotes doubled as the rc language has them.
    manifest=$(sed -n '/^1 24 \/\* RT_MANIFEST \*\/$/,/^END$/p' <<<"$resources")
    if [[ -z $manifest ]]; then
        echo "manifest: $program has no manifest (RT_MANIFEST resource 1)" >&2
        bad=1
        continue
    fi
    if [[ $manifest != *'level=""asInvoker""'* ]]; then
        echo "manifest: $program's manifest does not ask for asInvoker" >&2
        bad=1
    fi
    for entry in "${supported[@]}"; do
        if [[ ${manifest,,} != *"<supportedos id=\"\"{${entry%% *}}\"\""* ]]; then
            echo "manifest: $program's manifest does not name ${entry#* } as supported" >&2
            bad=1
        fi
    done
done

if ((bad)); then
    echo "manifest: a shipped program would be virtualised or shimmed by Windows (see above)" >&2
    exit 1
fi
echo "manifest: $* run as invoker on every Windows from Vista to 11"
