# Root reads and writes whatever the permission bits say, so as root scripts/test runs the
# permission cases again as an unprivileged user: created if missing, with a fresh Wine prefix
# and wineserver of its own, on the same display. Source it after common.sh.

FERRIX_TEST_USER=${FERRIX_TEST_USER:-ferrix-test}
FERRIX_PERMISSION_CASES='PermissionFaults.*'
FERRIX_TEST_RUN=""  # the user's folder for one run: prefix, programs, results

# as_test_user COMMAND...: runs it as the test user in its run folder, with this environment
# (the Wine settings) but its own prefix, X authority file and commands (bin, first on PATH).
as_test_user() {
  (cd "$FERRIX_TEST_RUN" && runuser -u "$FERRIX_TEST_USER" -- env HOME="$FERRIX_TEST_HOME" \
    XAUTHORITY="$FERRIX_TEST_RUN/Xauthority" WINEPREFIX="$FERRIX_TEST_RUN/wine-prefix" \
    PATH="$FERRIX_TEST_RUN/bin:$PATH" "$@")
}

ensure_test_user() {
  if ! id -u "$FERRIX_TEST_USER" >/dev/null 2>&1; then
    step "creating the user $FERRIX_TEST_USER"
    useradd --create-home --shell /usr/sbin/nologin "$FERRIX_TEST_USER"
  fi
  FERRIX_TEST_HOME=$(getent passwd "$FERRIX_TEST_USER" | cut -d: -f6)
  install -d -o "$FERRIX_TEST_USER" -g "$FERRIX_TEST_USER" "$FERRIX_TEST_HOME"
}

# The programs are copied: the build tree may sit where that user cannot enter (/root).
start_test_user_wine() {
  step "starting Wine as $FERRIX_TEST_USER"
  FERRIX_TEST_RUN=$(runuser -u "$FERRIX_TEST_USER" -- mktemp -d "$FERRIX_TEST_HOME/ferrix-run.XXXXXX")
  local own=(-o "$FERRIX_TEST_USER" -g "$FERRIX_TEST_USER")
  install -D "${own[@]}" "$FERRIX_BUILD/win32/ferrix.exe" "$FERRIX_TEST_RUN/win32/ferrix.exe"
  install -D "${own[@]}" "$FERRIX_BUILD/win32/tests/ferrix_gui_tests.exe" \
    "$FERRIX_TEST_RUN/win32/tests/ferrix_gui_tests.exe"
  install "${own[@]}" "$FERRIX_ROOT/tests/gui/run_with_screenshots.sh" "$FERRIX_TEST_RUN/"
  install -d "${own[@]}" "$FERRIX_TEST_RUN/results"
  host_runs_32_bit_code || as_test_user bash -c "$(declare -f write_wine64_command); write_wine64_command bin"
  # A display with a cookie takes only its holders: the user gets a copy (the Xvfb of
  # start_display has none and takes any local user).
  xauth extract - "$DISPLAY" 2>/dev/null | as_test_user xauth -q merge - 2>/dev/null || true
  (export WINEPREFIX="$FERRIX_TEST_RUN/wine-prefix" && set_up_wine_prefix as_test_user)
  as_test_user wineserver -p >/dev/null 2>&1 </dev/null
  as_test_user wine cmd /c exit >/dev/null 2>&1 </dev/null || true  # its helpers, as in start_wine
}

stop_test_user_wine() {
  [ -n "$FERRIX_TEST_RUN" ] || return 0
  as_test_user wineserver -k >/dev/null 2>&1 || true
  as_test_user wineserver -w >/dev/null 2>&1 || true  # gone before its prefix is
  rm -rf "$FERRIX_TEST_RUN"
  FERRIX_TEST_RUN=""
}

# Runs the permission cases as the test user; its report and screenshots join the win32 tree's.
run_permission_cases_as_test_user() {
  local report="$FERRIX_TEST_RUN/results/permission-cases-as-$FERRIX_TEST_USER.xml" status=0
  as_test_user ./run_with_screenshots.sh "$FERRIX_TEST_RUN/screenshots" \
    wine win32/tests/ferrix_gui_tests.exe --gtest_filter="$FERRIX_PERMISSION_CASES" \
    --gtest_output="xml:Z:${report//\//\\}" || status=$?
  mkdir -p "$FERRIX_BUILD/win32/test-results" "$FERRIX_BUILD/win32/screenshots"
  cp "$report" "$FERRIX_BUILD/win32/test-results/" || status=1
  cp "$FERRIX_TEST_RUN"/screenshots/*.png "$FERRIX_BUILD/win32/screenshots/" 2>/dev/null || true
  return "$status"
}
