#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each for SECONDS (default 120), one
# at a time and at the lowest priority. Usage: tools/fuzz.sh [SECONDS] [HARNESS...]
# Findings (crash, leak, sanitizer report, time-out) land in build-fuzz/findings/; the exit
# status is 1 when any harness found something. Corpora grow in build-fuzz/corpus/, seeded
# from fuzz/seeds/ and the malformed-input corpus of tests/hardening/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
shift || true
tools/install-deps.sh
command -v clang++ >/dev/null || { echo "fuzz.sh needs clang++ (apt-get install clang)" >&2; exit 2; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLON_FUZZ=ON -DQUILLON_TESTS=OFF >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  mapfile -t harnesses < <(sed -n 's/^quillon_add_fuzzer(\(fuzz_[a-z_]*\))$/\1/p' fuzz/CMakeLists.txt)
fi
cmake --build build-fuzz --parallel 2 --target "${harnesses[@]}"

# Which malformed-input corpus folders seed which harness.
corpus_of() {
  case "$1" in
    fuzz_lng_file) echo tests/hardening/corpus/lng ;;
    fuzz_pargen) echo tests/hardening/corpus/ParGen.xml ;;
    fuzz_hart_variables) echo tests/hardening/corpus/HART_Variables.xml ;;
    fuzz_settings) echo tests/hardening/corpus/Quillon.xml ;;
    fuzz_bacnet_slave) echo tests/hardening/corpus/BACnet_Slave.xml ;;
    fuzz_ede_export) ;;
  esac
}

mkdir -p build-fuzz/findings
status=0
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for harness in "${harnesses[@]}"; do
  work="build-fuzz/corpus/$harness"
  mkdir -p "$work"
  seeds=()
  for dir in "fuzz/seeds/$harness" $(corpus_of "$harness"); do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  echo "== $harness: ${seconds} s"
  if ! nice -n 19 "build-fuzz/fuzz/$harness" "$work" "${seeds[@]}" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len=131072 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$harness-" >"build-fuzz/$harness.log" 2>&1; then
    status=1
    echo "   FINDING: see build-fuzz/$harness.log and build-fuzz/findings/" >&2
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|Done [0-9]+ runs' \
    "build-fuzz/$harness.log" | sed 's/^/   /' || true
done
exit $status
