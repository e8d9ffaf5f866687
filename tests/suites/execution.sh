#!/usr/bin/env bash
# Execution tests: every tests/run/NAME.pb is converted with Orvane --console and run in jsdom
# with jQuery and the runtime; what it prints must equal NAME.out. NAME.in, when present, holds
# the lines typed at Input and InputRequester. Programs given as arguments run alone.
# tests/run/pending/ holds programs that wait for a converter fault to be mended; not run here.
# A few programs also run on their real start page in headless Chromium.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
dist=$root/build/dist
if [ ! -x "$dist/Orvane" ] || [ ! -f "$dist/system/libraries/orvane/orvane.min.js" ]; then
    echo "execution: build/dist is incomplete; run scripts/build.sh first" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    shopt -s nullglob
    programs=(tests/run/*.pb)
    if [ ${#programs[@]} -eq 0 ]; then
        echo "execution: no programs in tests/run (those in tests/run/pending wait for the converter)"
        exit 0
    fi
fi
in_chromium=" strings_basic lists_basic maps_struct console_print "
passed=0
failed=()
for pb in "${programs[@]}"; do
    name=$(basename "$pb" .pb)
    dir=$work/$name
    mkdir -p "$dir/src" "$dir/tmp" "$dir/config"
    cp "$pb" "$dir/src/$name.pb"
    cp "$dist/orv.pbi" "$dir/src/"
    # BROWSER and no display keep the profile's after-run action from opening a browser.
    if ! env -u DISPLAY -u WAYLAND_DISPLAY BROWSER=true TMPDIR=$dir/tmp XDG_CONFIG_HOME=$dir/config \
        PB_TOOL_Compiler=$root/tests/fakes/pbcompiler \
        timeout 180 "$dist/Orvane" --console "$dir/src/$name.pb" >"$dir/convert.log" 2>&1 </dev/null; then
        echo "FAIL $name: conversion failed"
        sed 's/^/    /' "$dir/convert.log" | tail -20
        failed+=("$name")
        continue
    fi
    script=$dir/tmp/application.js
    [ -f "$script" ] || script=$(find "$dir/tmp" -name application.js | head -1)
    if [ -z "$script" ] || [ ! -f "$script" ]; then
        echo "FAIL $name: no application.js below $dir/tmp"
        failed+=("$name")
        continue
    fi
    answers=""
    [ -f "${pb%.pb}.in" ] && answers=$(realpath "${pb%.pb}.in")
    ORVANE_ANSWERS=$answers timeout 60 node tests/run/run-one.js "$script" >"$dir/actual.out" 2>"$dir/errors.log"
    status=$?
    where=jsdom
    if [ $status -eq 0 ] && cmp -s "$dir/actual.out" "${pb%.pb}.out" &&
        [[ $in_chromium == *" $name "* && $pb == tests/run/$name.pb ]]; then
        where=Chromium
        timeout 120 node tests/run/chromium.js "$(dirname "$script")/index.html" >"$dir/actual.out" 2>"$dir/errors.log"
        status=$?
    fi
    if [ $status -eq 0 ] && cmp -s "$dir/actual.out" "${pb%.pb}.out"; then
        passed=$((passed + 1))
    else
        echo "FAIL $name in $where (exit $status)"
        diff -u "${pb%.pb}.out" "$dir/actual.out" | sed 's/^/    /' | head -40
        sed 's/^/    /' "$dir/errors.log" | head -10
        if [ -n "${ORVANE_KEEP:-}" ]; then cp "$script" "$ORVANE_KEEP/$name.js"; fi
        failed+=("$name")
    fi
done
echo "execution: $passed passed, ${#failed[@]} failed${failed[*]:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
