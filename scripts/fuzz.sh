#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each from
# its seed corpus in fuzz/corpus/<target>/ for a bounded time (FUZZ_SECONDS,
# 30 by default). A crash, a hang, a leak or a failed check fails the run;
# the input that did it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

bash scripts/install-packages.sh clang libclang-rt-14-dev

seconds="${FUZZ_SECONDS:-30}"
targets=(fuzz_lookup fuzz_prefs)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVESKO_FUZZ=ON -DVESKO_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz --target "${targets[@]}"

for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the seed corpus stays as committed.
    scratch="build-fuzz/corpus/$target"
    artifacts="build-fuzz/artifacts/$target"
    mkdir -p "$scratch" "$artifacts"
    echo "== $target: ${seconds} s from fuzz/corpus/$target"
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 "$scratch" "fuzz/corpus/$target"
done
echo "fuzz: ${#targets[@]} passed, 0 failed"
