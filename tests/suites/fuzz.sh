#!/usr/bin/env bash
# In-process fuzzing: builds the libFuzzer programs of tests/fuzz with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz/, and runs each target for a fixed time on a
# corpus seeded from the golden, execution and example programs (and ../shared/corpus when it is
# beside the repository). A crash, a leak, a hang or an input slower than the time limit fails the
# suite; the input that found it is written to build-fuzz/findings/TARGET/, where it goes into
# tests/fuzz/regressions/TARGET/ once the fault is mended. Each target's seeds are also run at
# eight times their length (tests/fuzz/scaling.cpp): more than three times linear fails.
#
#   tests/suites/fuzz.sh [TARGET...]        targets: tokens translation postprocess server page profiles
#   ORVANE_FUZZ_SECONDS  seconds per target (default 25; the README's long run uses hours)
#   ORVANE_FUZZ_TIMEOUT  seconds one input may take (default 10)
# The corpus each run grows is kept in build-fuzz/corpus/TARGET/, so later runs go on from it.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
repo=$PWD
seconds=${ORVANE_FUZZ_SECONDS:-25}
timeout=${ORVANE_FUZZ_TIMEOUT:-10}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tokens translation postprocess server page profiles)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is missing; run scripts/setup.sh" >&2
    exit 1
fi
export CCACHE_BASEDIR="$repo" CCACHE_NOHASHDIR=1
if ! CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_WERROR=ON -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF >/dev/null ||
    ! cmake --build build-fuzz --target fuzz_targets >build-fuzz/build.log 2>&1; then
    echo "fuzz: the build failed:" >&2
    tail -30 build-fuzz/build.log >&2
    exit 1
fi

# Seeds: whole programs for the stages that read programs; templates behind the page target's
# five bytes of settings; settings files for the profile store.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds/programs" "$seeds/page" "$seeds/profiles"
n=0
shared_corpus=
for candidate in ${ORVANE_SHARED:-../shared ../../shared}; do
    if [ -d "$candidate/corpus" ]; then shared_corpus=$candidate/corpus; break; fi
done
for f in tests/golden/*.pb tests/run/*.pb examples/*.pb tests/fuzz/seeds/server/*.pb \
    ${shared_corpus:+"$shared_corpus"/*/*.pb}; do
    [ -f "$f" ] || continue
    n=$((n + 1))
    cp "$f" "$seeds/programs/$n.pb"
done
for f in system/index.html system/index_mobile.html; do
    name=$(basename "$f" .html)
    { printf '\0\0\0\0\0'; cat "$f"; printf '\0cDebugger.Debug("x");'; } >"$seeds/page/$name-utf8"
    { printf '\x0d\xff\xff\xff\x0f'; cat "$f"; printf '\0cDebugger.Debug("\xc3\xa4");\0<script src="a.js"></script>'; } \
        >"$seeds/page/$name-all"
done
cp tests/fuzz/seeds/profiles/* "$seeds/profiles/"

# Files the targets write go to memory where the system offers it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
    program=build-fuzz/fuzz/fuzz_$target
    if [ ! -x "$program" ]; then
        echo "fuzz: no target '$target'" >&2
        failed+=("$target")
        continue
    fi
    case $target in
        page) seed=$seeds/page ;;
        profiles) seed=$seeds/profiles ;;
        *) seed=$seeds/programs ;;
    esac
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    log=build-fuzz/$target.log
    "$program" "$corpus" "$seed" -max_total_time="$seconds" -timeout="$timeout" \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1
    status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    if [ $status -eq 0 ]; then
        echo "fuzz: $target: ${executions:-0} executions, $coverage"
        # The seeds, each repeated, must cost time in proportion to their length.
        if ! build-fuzz/fuzz/fuzz_scaling "$target" 24 "$seed"/* >"$findings/slower-than-linear.txt"; then
            echo "fuzz: $target: slower than linear:" >&2
            cat "$findings/slower-than-linear.txt" >&2
            failed+=("$target")
        fi
    else
        echo "fuzz: $target: FAILED after ${executions:-?} executions ($log):" >&2
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5 >&2
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]}"
    exit 1
fi
