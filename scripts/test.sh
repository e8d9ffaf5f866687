#!/usr/bin/env bash
# Runs every test: set-up, build, C++ tests under the sanitizers, golden conversions, runtime,
# execution, browser and server tests. Ends with one "N passed, N failed" line of suites.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
scripts/build.sh || exit 1

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

passed=0
failed=0
failed_names=()
suite() {
    local name=$1
    shift
    echo "=== $name"
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failed_names+=("$name")
    fi
}

suite "C++ unit tests" ctest --test-dir build --output-on-failure --timeout 300
for s in tests/suites/*.sh; do
    [ -e "$s" ] || continue
    suite "$(basename "$s" .sh)" bash "$s"
done

echo
if [ $failed -gt 0 ]; then echo "failed suites: ${failed_names[*]}"; fi
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
