#!/usr/bin/env bash
# fuzz.sh [SECONDS]: runs every fuzz target that long (default 300 s each),
# starting from the corpus in tests/fuzz/corpus; what it finds stays in
# build/fuzz/tests/fuzz/found. Prints the executions of each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
seconds=${1:-300}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
export ASAN_OPTIONS=malloc_context_size=0:quarantine_size_mb=16
for target in build/fuzz/tests/fuzz/fuzz_*; do
    name=${target##*/fuzz_}
    mkdir -p build/fuzz/tests/fuzz/found/"$name"
    runs=$("$target" -max_total_time="$seconds" -print_final_stats=1 \
        build/fuzz/tests/fuzz/found/"$name" tests/fuzz/corpus/"$name" 2>&1 |
        awk '/stat::number_of_executed_units/ {print $2}')
    echo "$name: $runs runs in $seconds s"
done
