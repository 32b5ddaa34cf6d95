#!/usr/bin/env bash
# run_corpus.sh RESULTS_DIR FUZZER CORPUS_DIR: runs the fuzzer once over every input of its
# corpus (no fuzzing), reported as one test for the suite's summary. Exits with the fuzzer's
# status.
set -euo pipefail
results=$1 fuzzer=$2 corpus=$3
exec "$(dirname "$0")/../support/run_script_test.sh" "$(basename "$fuzzer")" "$results" \
  "$fuzzer" -runs=0 "$corpus"
