#!/usr/bin/env bash
# run_with_screenshots.sh FOLDER COMMAND...: runs the dialog tests and takes the screenshots
# they ask for. A test writes NAME.request (an ImageMagick crop geometry) into FOLDER and waits
# for NAME.png. A Wine program cannot run ImageMagick itself: a Unix program started from Wine
# takes over the Wine process's place, and whoever waits for the tests would see them end.
set -euo pipefail
folder=$1
shift
mkdir -p "$folder"
rm -f "$folder"/*.request
export FERRIX_SCREENSHOT_DIR=$folder

take_requested_screenshots() {
  while :; do
    for request in "$folder"/*.request; do
      [ -e "$request" ] || continue
      name=${request%.request}
      import -window root -crop "$(cat "$request")" +repage "$name.part.png" &&
        mv "$name.part.png" "$name.png"
      rm -f "$request"
    done
    sleep 0.1
  done
}
take_requested_screenshots &
watcher=$!
trap 'kill "$watcher" 2>/dev/null || true' EXIT
"$@"
