#!/bin/sh
# Fuzzes each file reader for the given seconds (default 600) with libFuzzer, starting from
# and adding to its corpus in fuzz/corpus/<name>/, which is then minimised in place.
# Crashing inputs are left in build-fuzz/findings/<name>/.
set -e
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/deps.sh clang libclang-rt-dev
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAGMO_CORE_ONLY=ON -DMAGMO_FUZZ=ON
cmake --build build-fuzz --target fuzz_Strat fuzz_Record fuzz_Dem fuzz_LoadRun
for name in Strat Record Dem LoadRun; do
  corpus=fuzz/corpus/$(echo "$name" | tr A-Z a-z)
  findings=build-fuzz/findings/$name
  found=build-fuzz/found/$name
  mkdir -p "$corpus" "$findings" "$found"
  # A phase on the file costs more than reading it: loading-and-running inputs stay at two layers.
  maxlen=20000; [ "$name" = LoadRun ] && maxlen=6000
  build-fuzz/bin/fuzz_$name -max_total_time="$seconds" -max_len=$maxlen -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="$findings/" "$found" "$corpus" || echo "fuzz_$name stopped on a finding: see $findings"
  # Keep only the inputs that add coverage, so the committed corpus stays small.
  merged=build-fuzz/merged/$name
  rm -rf "$merged" && mkdir -p "$merged"
  build-fuzz/bin/fuzz_$name -merge=1 -max_len=$maxlen "$merged" "$corpus" "$found"
  rm -rf "$corpus" && mv "$merged" "$corpus"
done
