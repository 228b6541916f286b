#!/usr/bin/env bash
# Builds Velkor in every configuration that is tested and runs all tests: the
# native unit tests (also under AddressSanitizer and UBSan), the fuzz targets
# for a few seconds each, and in the shipped i686 build the checks of
# Velkor.exe, its release zip and the end-to-end stories under Wine. Counts
# CTest's results per preset: a failure, a build that did not finish, or a
# skipped test without a reason in tools/allowed-skips.txt fails the run.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1

presets=(native native-asan fuzz i686)
for preset in "${presets[@]}"; do
    echo "=== $preset"
    rm -f "build/$preset/results.xml"
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" &&
        ctest --preset "$preset" --output-junit results.xml
done
exec python3 tools/ctest_results.py tools/allowed-skips.txt "${presets[@]}"
