#!/usr/bin/env bash
# Golden conversions: every tests/golden/NAME.pb is converted with Orvane --console; the program
# part of the application script (inside the ready handler, when there is one) must equal
# NAME.js, and the whole script must parse as a non-strict script (node --check).
# Names given as arguments run alone (tests/suites/golden.sh if_blocks loops).
# ORVANE_GOLDEN_UPDATE=1 writes what the converter made into NAME.js (read the diff before committing).
source "$(dirname "$0")/sandbox.bash" golden orv.pbi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    shopt -s nullglob
    for pb in tests/golden/*.pb; do names+=("$(basename "$pb" .pb)"); done
fi
if [ ${#names[@]} -eq 0 ]; then
    echo "golden: no programs in tests/golden" >&2
    exit 1
fi

marker=' $.fn.GadgetsEvents = null; '
passed=0
failed=()
for name in "${names[@]}"; do
    pb=tests/golden/$name.pb
    expected=tests/golden/$name.js
    dir=$work/$name
    if ! convert_in_sandbox "$pb" "$dir" "$dir" 60; then
        failed+=("$name")
        continue
    fi
    script=$dir/application.js
    if [ ! -f "$script" ]; then
        echo "FAIL $name: no application.js"
        failed+=("$name")
        continue
    fi
    # The program part: after the marker line, before the closing line of the ready handler.
    if grep -qxF -- "$marker" "$script"; then
        awk -v m="$marker" 'found { lines[n++] = $0 } $0 == m { found = 1 }
            END { if (n > 0 && lines[n - 1] == " }); });") { n--; if (n > 0 && lines[n - 1] == "") n-- }
                  for (i = 0; i < n; i++) print lines[i] }' \
            "$script" >"$dir/program.js"
    else
        cp "$script" "$dir/program.js"
    fi
    ok=1
    if [ "${ORVANE_GOLDEN_UPDATE:-}" = 1 ] && ! cmp -s "$expected" "$dir/program.js"; then
        cp "$dir/program.js" "$expected"
        echo "golden: wrote $expected"
    fi
    if ! diff -u "$expected" "$dir/program.js" >"$dir/diff" 2>&1; then
        echo "FAIL $name: differs from $expected"
        sed 's/^/    /' "$dir/diff" | head -40
        ok=0
    fi
    # A file named .js is checked as a sloppy-mode script, as the browser loads it.
    cp "$script" "$dir/check.js"
    if ! node --check "$dir/check.js" >"$dir/check.log" 2>&1; then
        echo "FAIL $name: the script does not parse"
        sed 's/^/    /' "$dir/check.log" | head -10
        ok=0
    fi
    if [ $ok -eq 1 ]; then passed=$((passed + 1)); else failed+=("$name"); fi
done

echo "golden: $passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
