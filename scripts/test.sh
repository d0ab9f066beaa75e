#!/bin/sh
# Installs what is missing, builds everything and runs every test: the full Release build,
# then the core again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$JOBS"
(cd build && ctest --output-on-failure -j "$JOBS")
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAGMO_CORE_ONLY=ON -DMAGMO_SANITIZE=ON
cmake --build build-sanitize -j "$JOBS"
(cd build-sanitize && ctest --output-on-failure -j "$JOBS")
