# Shared by the suites that convert programs with the real Orvane --console (golden.sh,
# execution.sh). Sourced, never run alone: it does not end in .sh, so scripts/test.sh does not
# take it for a suite.
#   source "$(dirname "$0")/sandbox.bash" SUITE NEEDED
# SUITE names the suite in messages; NEEDED is a file below build/dist the suite cannot run
# without. Leaves the shell in the repository root with root, dist and work (a temporary folder,
# removed at exit) set.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
root=$PWD
dist=$root/build/dist
if [ ! -x "$dist/Orvane" ] || [ ! -f "$dist/$2" ]; then
    echo "$1: build/dist is incomplete; run scripts/build.sh first" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# convert_in_sandbox PB SOURCE_FOLDER TEMP_FOLDER SECONDS
# Copies PB and orv.pbi into SOURCE_FOLDER and converts PB there. The run gets TEMP_FOLDER as its
# TMPDIR (the application is written below it), its own settings folder $work/NAME/config and the
# stand-in compiler; BROWSER and no display keep the profile's after-run action from opening a
# browser. The log is $work/NAME/convert.log. When the conversion fails, prints the FAIL line and
# the end of the log and returns 1.
convert_in_sandbox() {
    local pb=$1 source_folder=$2 temp_folder=$3 seconds=$4
    local name dir
    name=$(basename "$pb" .pb)
    dir=$work/$name
    mkdir -p "$source_folder" "$temp_folder" "$dir/config"
    cp "$pb" "$source_folder/$name.pb"
    cp "$dist/orv.pbi" "$source_folder/"
    if ! env -u DISPLAY -u WAYLAND_DISPLAY BROWSER=true TMPDIR="$temp_folder" \
        XDG_CONFIG_HOME="$dir/config" PB_TOOL_Compiler="$root/tests/fakes/pbcompiler" \
        timeout "$seconds" "$dist/Orvane" --console "$source_folder/$name.pb" \
        >"$dir/convert.log" 2>&1 </dev/null; then
        echo "FAIL $name: conversion failed"
        sed 's/^/    /' "$dir/convert.log" | tail -20
        return 1
    fi
}
