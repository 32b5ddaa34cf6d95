# Runs the dialog tests in shards side by side: each shard has its own Xvfb display, Wine prefix
# (a copy of the project's) and wineserver, so that no shard finds another's windows or files.
# Source it after common.sh.

FERRIX_GUI_SHARDS=${FERRIX_GUI_SHARDS:-2}

shard_prefix() { printf '%s/wine-prefix-shard%s' "$FERRIX_BUILD" "$1"; }

# prepare_shard_prefixes: copies the project's prefix, set up once, for each shard (quicker than
# booting Wine again). Call it while no wineserver runs for that prefix.
prepare_shard_prefixes() {
  local index prefix
  ensure_wine_prefix
  for index in $(seq 0 $((FERRIX_GUI_SHARDS - 1))); do
    prefix=$(shard_prefix "$index")
    [ -f "$prefix/.ferrix-ready" ] && continue
    rm -rf "$prefix"
    cp -a "$WINEPREFIX" "$prefix"
  done
}

# run_gui_shard INDEX [gtest options...]: one shard, its report in win32/test-results and its
# screenshots in win32/screenshots.
run_gui_shard() (
  local index=$1 tree=$FERRIX_BUILD/win32 report
  shift
  unset DISPLAY FERRIX_XVFB_PID
  export FERRIX_WINE_PREFIX
  FERRIX_WINE_PREFIX=$(shard_prefix "$index")
  trap stop_wine EXIT
  start_wine >/dev/null
  report=$tree/test-results/ferrix_gui_tests-shard$index.xml
  mkdir -p "$tree/test-results" "$tree/screenshots"
  cd "$tree"
  local status=0
  GTEST_TOTAL_SHARDS=$FERRIX_GUI_SHARDS GTEST_SHARD_INDEX=$index \
    "$FERRIX_ROOT/tests/gui/run_with_screenshots.sh" "$tree/screenshots/shard$index" \
    wine tests/ferrix_gui_tests.exe --gtest_output="xml:Z:${report//\//\\}" "$@" || status=$?
  mv "$tree/screenshots/shard$index"/*.png "$tree/screenshots/" 2>/dev/null || true
  rm -rf "$tree/screenshots/shard$index"
  return "$status"
)

# run_gui_shards LOG_PREFIX [gtest options...]: every shard at once, each one's output in
# LOG_PREFIX-N.log, printed when all have ended; fails when any shard failed.
run_gui_shards() {
  local log=$1 index pids=() failed=0
  shift
  for index in $(seq 0 $((FERRIX_GUI_SHARDS - 1))); do
    run_gui_shard "$index" "$@" >"$log-$index.log" 2>&1 &
    pids+=($!)
  done
  for index in "${!pids[@]}"; do
    wait "${pids[$index]}" || failed=$((failed + 1))
    step "dialog tests, shard $index of $FERRIX_GUI_SHARDS"
    cat "$log-$index.log"
  done
  [ "$failed" -eq 0 ]
}
