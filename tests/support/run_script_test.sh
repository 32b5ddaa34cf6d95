#!/usr/bin/env bash
# run_script_test.sh NAME RESULTS_DIR COMMAND...: runs a check that is not a GoogleTest program
# and reports it as one test in a GoogleTest-shaped XML file, so that the summary of
# scripts/test counts it. Its output goes to RESULTS_DIR/NAME.log and to ctest. Exits with the
# command's status.
set -uo pipefail
name=$1 results=$2
shift 2
mkdir -p "$results"
"$@" 2>&1 | tee "$results/$name.log"
status=${PIPESTATUS[0]}
failures=$((status == 0 ? 0 : 1))
failure=""
[ "$failures" -eq 0 ] || failure="<failure message=\"exit status $status: see $name.log\"/>"
cat >"$results/$name.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<testsuites tests="1" failures="$failures" disabled="0" errors="0" name="$name">
  <testsuite name="$name" tests="1" failures="$failures" disabled="0" errors="0">
    <testcase name="$name" classname="$name">$failure</testcase>
  </testsuite>
</testsuites>
XML
exit "$status"
