# Times the steps of scripts/test and prints them at its end, so the next person sees what grew.
# Steps may run side by side (each then takes longer than alone); their lines go to one file.
# Source it after common.sh.

FERRIX_STEP_TIMES=$FERRIX_BUILD/step-times.tsv

# timed NAME COMMAND...: runs the command and records its wall seconds under NAME; returns its
# status.
timed() {
  local name=$1 start status=0
  shift
  start=$(date +%s.%N)
  "$@" || status=$?
  printf '%s\t%s\n' "$name" "$(awk -v a="$start" -v b="$(date +%s.%N)" \
    'BEGIN { printf "%.0f", b - a }')" >>"$FERRIX_STEP_TIMES"
  return "$status"
}

# print_step_times TOTAL_SECONDS: one line per step in the order they ended, then the whole run.
print_step_times() {
  printf '%-40s %8s\n' "step (side by side where marked *)" seconds
  awk -F'\t' '{ printf "%-40s %8s\n", $1, $2 }' "$FERRIX_STEP_TIMES"
  printf '%-40s %8s\n' "whole run" "$1"
}
