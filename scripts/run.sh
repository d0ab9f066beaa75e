#!/bin/sh
# Installs what is missing, builds Magmo (Release) and starts the desktop program.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target magmo
exec build/bin/magmo "$@"
