#!/usr/bin/env bash
# run_corpus.sh RESULTS_DIR FUZZER CORPUS_DIR: runs the fuzzer once over every input of its
# corpus (no fuzzing) and reports the run as one test in a GoogleTest-shaped XML file, so that
# the suite's summary counts it. Exits with the fuzzer's status.
set -uo pipefail
results=$1 fuzzer=$2 corpus=$3
name=$(basename "$fuzzer")
mkdir -p "$results"
"$fuzzer" -runs=0 "$corpus" 2>&1 | tee "$results/$name.log" | grep -E 'fuzz check failed|ERROR:|runtime error|Done'
status=${PIPESTATUS[0]}
failures=$((status == 0 ? 0 : 1))
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo "<testsuites tests=\"1\" failures=\"$failures\" disabled=\"0\" errors=\"0\" name=\"$name\">"
  echo "  <testsuite name=\"$name\" tests=\"1\" failures=\"$failures\" disabled=\"0\" errors=\"0\">"
  if [ "$failures" -eq 0 ]; then
    echo "    <testcase name=\"corpus\" classname=\"$name\"/>"
  else
    echo "    <testcase name=\"corpus\" classname=\"$name\"><failure message=\"see $name.log\"/></testcase>"
  fi
  echo '  </testsuite>'
  echo '</testsuites>'
} >"$results/$name.xml"
exit "$status"
