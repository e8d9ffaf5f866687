#!/usr/bin/env bash
# Execution tests: every tests/run/NAME.pb is converted with Orvane --console and run in jsdom
# with jQuery and the runtime; what it prints must equal NAME.out. NAME.in, when present, holds
# the lines typed at Input and InputRequester. Programs given as arguments run alone.
# tests/run/pending/ holds programs that wait for a converter fault to be mended; not run here.
# A few programs also run on their real start page in headless Chromium.
source "$(dirname "$0")/sandbox.bash" execution system/libraries/orvane/orvane.min.js

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    shopt -s nullglob
    programs=(tests/run/*.pb)
    if [ ${#programs[@]} -eq 0 ]; then
        echo "execution: no programs in tests/run (those in tests/run/pending wait for the converter)"
        exit 0
    fi
fi
in_chromium=" strings_basic lists_basic maps_struct console_print gadgets_items gadgets_more drawing_points drawing_text "
passed=0
failed=()
for pb in "${programs[@]}"; do
    name=$(basename "$pb" .pb)
    dir=$work/$name
    if ! convert_in_sandbox "$pb" "$dir/src" "$dir/tmp" 180; then
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
        ORVANE_ANSWERS=$answers timeout 120 node tests/run/chromium.js "$(dirname "$script")/index.html" >"$dir/actual.out" 2>"$dir/errors.log"
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
