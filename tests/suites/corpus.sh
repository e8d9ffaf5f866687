#!/usr/bin/env bash
# The console corpus: real PureBasic programs in ../shared/corpus/console, outside the repository
# (absent on a bare clone: then the suite says "skipped" and passes). Every program that has an
# expected output tests/corpus/console/NAME.out is converted with build/dist and run by
# ../shared/tools/corpus, which compares what the program shows with NAME.out and prints the score
# line. tests/corpus/console/known-differences.txt names the programs the converter does not get
# right yet, one "NAME: reason" line each: the suite fails when any other program differs, and
# reports listed programs that now match so that their line is taken out. Names given as
# arguments run alone (tests/suites/corpus.sh crc-32 semiprime).
# ORVANE_SHARED names the shared folder when it is neither ../shared nor ../../shared (a worktree).
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

shared=
candidates=(../shared ../../shared)
if [ -n "${ORVANE_SHARED:-}" ]; then candidates=("$ORVANE_SHARED"); fi
for candidate in "${candidates[@]}"; do
    if [ -x "$candidate/tools/corpus" ] && [ -d "$candidate/corpus/console" ]; then
        shared=$candidate
        break
    fi
done
if [ -z "$shared" ]; then
    echo "corpus: skipped (no ../shared/corpus and ../shared/tools/corpus beside the repository)"
    exit 0
fi
if [ ! -x build/dist/Orvane ]; then
    echo "corpus: build/dist is incomplete; run scripts/build.sh first" >&2
    exit 1
fi

expected=tests/corpus/console
known_file=$expected/known-differences.txt
declare -A known=()
if [ -f "$known_file" ]; then
    while IFS= read -r line; do
        case $line in '' | '#'*) continue ;; esac
        known[${line%%:*}]=1
    done <"$known_file"
fi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    shopt -s nullglob
    for out in "$expected"/*.out; do names+=("$(basename "$out" .out)"); done
fi
if [ ${#names[@]} -eq 0 ]; then
    echo "corpus: no expected outputs in $expected" >&2
    exit 1
fi
missing=()
for name in "${names[@]}"; do
    if [ ! -f "$shared/corpus/console/$name.pb" ] || [ ! -f "$expected/$name.out" ]; then missing+=("$name"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "corpus: no program or no expected output for: ${missing[*]}" >&2
    exit 1
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$shared/tools/corpus" console "${names[@]}" >"$log" 2>&1

# The tool prints "ok   NAME" or "FAIL NAME: reason" followed by indented diff lines.
unexpected=()
now_passing=()
known_failing=0
printing=0
while IFS= read -r line; do
    case $line in
    'ok   '*)
        printing=0
        name=${line#ok   }
        if [ -n "${known[$name]:-}" ]; then now_passing+=("$name"); fi
        ;;
    'FAIL '*)
        name=${line#FAIL }
        name=${name%%:*}
        if [ -n "${known[$name]:-}" ]; then
            printing=0
            known_failing=$((known_failing + 1))
        else
            printing=1
            unexpected+=("$name")
            echo "$line"
        fi
        ;;
    '     '*) if [ $printing = 1 ]; then echo "$line"; fi ;;
    *) printing=0 ;;
    esac
done <"$log"

score=$(grep '^corpus: ' "$log" | tail -1)
if [ -z "$score" ]; then
    echo "corpus: the corpus tool printed no score line:" >&2
    tail -5 "$log" >&2
    exit 1
fi
for name in "${!known[@]}"; do
    if [ ! -f "$expected/$name.out" ]; then
        echo "corpus: known-differences.txt names $name, which has no expected output"
    fi
done
for name in "${now_passing[@]}"; do
    echo "corpus: $name now matches; take its line out of $known_file"
done
echo "$score"
echo "corpus: $known_failing known differences, ${#unexpected[@]} unexpected${unexpected[*]:+: ${unexpected[*]}}"
[ ${#unexpected[@]} -eq 0 ]
