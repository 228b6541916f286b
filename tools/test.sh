#!/usr/bin/env bash
# Builds Velkor in every configuration and runs all tests: the native unit
# tests (also under AddressSanitizer and UBSan), the fuzz targets for a few
# seconds each, the Windows 95/98 import check
# of the shipped Velkor.exe, and the end-to-end tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1

passed=0 failed=0 status=0
for preset in native native-asan fuzz i686 x86_64; do
    echo "=== $preset"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        echo "=== $preset: build failed"
        status=1 failed=$((failed + 1))
        continue
    fi
    log=$(mktemp)
    ctest --preset "$preset" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [ -n "$line" ]; then
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
        bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
        passed=$((passed + total - bad)) failed=$((failed + bad))
    else
        status=1 failed=$((failed + 1))
    fi
    rm -f "$log"
done
echo "all presets: $passed passed, $failed failed"
exit $status
