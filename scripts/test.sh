#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure --timeout 600 --parallel 2 "$@")

# The worker thread and the upgrade machine once more, under ThreadSanitizer. Qt itself
# is not instrumented; tests/tsan.supp names its libraries and nothing else.
if [ "${STROBIX_SKIP_TSAN:-0}" != 1 ]; then
  cmake -S . -B build-tsan -DSTROBIX_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build-tsan --parallel "$(nproc)" --target test_sm_a test_sm_b
  (cd build-tsan && TSAN_OPTIONS="suppressions=$PWD/../tests/tsan.supp halt_on_error=1 exitcode=66" \
     ctest --output-on-failure --timeout 600 -R '^test_sm_')
fi
