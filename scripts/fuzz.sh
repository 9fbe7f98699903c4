#!/usr/bin/env bash
# Runs every fuzz target (tests/fuzz/) for SECONDS each, one after another.
#
# With clang and its libFuzzer runtime the targets are built in build-fuzz/
# with -fsanitize=fuzzer,address,undefined; when they are missing and
# apt-get can be used without a password, clang and libclang-rt-dev (which
# holds libclang_rt.fuzzer) are installed first. Otherwise the plain driver
# form is built in build/ and run for as long. What a target finds is
# written beside it as build*/tests/TARGET-crash-SHA (TARGET-crash from the
# plain driver), the run goes on with
# the next target, and the script ends with status 1.
#
# Usage: scripts/fuzz.sh SECONDS [TARGET...]     e.g. scripts/fuzz.sh 600 fuzz_rtf
set -euo pipefail
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
cd "$(dirname "$0")/.."
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_property_bag fuzz_rtf fuzz_profile fuzz_feed)

has_libfuzzer() {
  command -v clang++ >/dev/null || return 1
  local probe ok=1
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' >"$probe/p.cpp"
  if clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then ok=0; fi
  rm -rf "$probe"
  return $ok
}

if ! has_libfuzzer && command -v apt-get >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo -n"
  export DEBIAN_FRONTEND=noninteractive
  echo "fuzz: installing clang and libclang-rt-dev"
  $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-dev >/dev/null ||
    echo "fuzz: could not install clang's libFuzzer; using the plain driver"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if has_libfuzzer; then
  build=build-fuzz
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DMV_LIBFUZZER=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined" \
    >/dev/null
else
  build=build
  [ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --target "${targets[@]}" -j2

status=0
for t in "${targets[@]}"; do
  echo "== $t, $seconds s"
  # The first folder takes what libFuzzer finds worth keeping; the kept
  # corpus in the tree is only read.
  if ! QT_QPA_PLATFORM=offscreen "$build/tests/$t" -max_total_time="$seconds" -timeout=30 \
      -artifact_prefix="$build/tests/$t-" "$build/tests/fuzz-corpus/$t" "tests/fuzz/corpus/${t#fuzz_}"; then
    status=1
  fi
done
exit $status
