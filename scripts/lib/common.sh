# Shared by the scripts: installs what is missing, builds, and owns the Wine set-up
# (project prefix under build/, code page 936, CJK fonts, Xvfb when there is no display).
# Source it; it defines functions and sets FERRIX_ROOT.

FERRIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
FERRIX_BUILD=${FERRIX_BUILD:-$FERRIX_ROOT/build}  # a helper may build elsewhere
FERRIX_PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-i686 wine wine32 xvfb
                 imagemagick fonts-wqy-zenhei fonts-noto-cjk locales x11-utils xauth
                 clang libclang-rt-14-dev python3 python3-tabulate ccache libxxhash-dev)
# Where the host runs no 32-bit code, the Windows programs are built for x86-64 and run by
# wine64 instead (the release stays 32-bit: scripts/package).
FERRIX_64_BIT_PACKAGES=(g++-mingw-w64-x86-64 wine64)
# Debian's interpreter, which sees the Debian Python packages above; the first python3 on PATH
# may be another one.
FERRIX_PYTHON=/usr/bin/python3

step() { printf '== %s\n' "$*"; }

# A mirror in the middle of a sync fails an update, or leaves the i386 lists a version behind
# the amd64 ones, for a few minutes: try again rather than fail the whole run.
install_packages() {
  local attempt
  for attempt in 1 2 3 4 5 6; do
    apt-get update -q >/dev/null 2>&1 || step "apt-get update failed (attempt $attempt)"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" >/dev/null && return 0
    [ "$attempt" -lt 6 ] && { step "apt-get install failed; trying again in 30 s"; sleep 30; }
  done
  return 1
}

# install_missing PACKAGE...: installs those not installed yet (as root; otherwise says how).
install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "As root: dpkg --add-architecture i386 && apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  step "installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  install_packages "${missing[@]}"
}

ensure_packages() {
  install_missing "${FERRIX_PACKAGES[@]}"
  host_runs_32_bit_code || install_missing "${FERRIX_64_BIT_PACKAGES[@]}"
  if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Missing locale zh_CN.UTF-8: as root, localedef -i zh_CN -f UTF-8 zh_CN.UTF-8" >&2
      exit 1
    fi
    step "creating the zh_CN.UTF-8 locale (Wine's code page 936)"
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
  fi
}

# configure_and_build NAME [cmake options...]: one build tree under build/NAME.
configure_and_build() {
  local name=$1
  shift
  step "building $name"
  mkdir -p "$FERRIX_BUILD"
  # The compiler cache lives outside the tree, so the next clean clone on this machine reuses
  # it; paths below the clone are hashed relative to it.
  export CCACHE_BASEDIR=$FERRIX_ROOT CCACHE_NOHASHDIR=1
  # The test programs' precompiled headers: ccache serves their users only when it may ignore
  # the __DATE__-like macros and the defines a header could see.
  export CCACHE_SLOPPINESS=pch_defines,time_macros
  cmake -S "$FERRIX_ROOT" -B "$FERRIX_BUILD/$name" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DPython3_EXECUTABLE="$FERRIX_PYTHON" "$@" >"$FERRIX_BUILD/$name.configure.log" 2>&1 ||
    { cat "$FERRIX_BUILD/$name.configure.log"; return 1; }
  cmake --build "$FERRIX_BUILD/$name" -- -j"$(nproc)" >"$FERRIX_BUILD/$name.build.log" 2>&1 ||
    { tail -n 60 "$FERRIX_BUILD/$name.build.log"; return 1; }
}

# Some virtual machines turn the kernel's 32-bit mode off: there Wine's 32-bit loader cannot
# start (its execve fails), nor can Wine's 64-bit loader run 32-bit code.
host_runs_32_bit_code() {
  [ -z "${FERRIX_HOST_32_BIT:-}" ] || return "$FERRIX_HOST_32_BIT"
  local probe=/usr/lib/wine/wineserver32  # wine32's, and a 32-bit program
  FERRIX_HOST_32_BIT=0
  [ ! -x "$probe" ] || "$probe" --version >/dev/null 2>&1 || FERRIX_HOST_32_BIT=1
  return "$FERRIX_HOST_32_BIT"
}

# The processor the Windows test programs are built for: i686, as released, wherever the host
# can run it.
windows_test_arch() { if host_runs_32_bit_code; then echo i686; else echo x86_64; fi; }

build_windows() {
  mkdir -p "$FERRIX_BUILD"
  configure_and_build win32 \
    -DCMAKE_TOOLCHAIN_FILE="$FERRIX_ROOT/cmake/toolchain-mingw-$(windows_test_arch).cmake"
}

start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local number_file number=""
  number_file=$(mktemp)
  # Xvfb picks the first free display itself, so scripts starting at once never share one.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  FERRIX_XVFB_PID=$!
  for _ in $(seq 100); do
    number=$(tr -dc 0-9 <"$number_file")
    [ -z "$number" ] || break
    sleep 0.1
  done
  rm -f "$number_file"
  step "no display: started Xvfb on :${number:-?}"
  export DISPLAY=":$number"
  for _ in $(seq 50); do [ -n "$number" ] && xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# write_wine64_command FOLDER: a wine command there that starts Wine's 64-bit loader, which
# Debian's own wine command takes only where the 32-bit one is not installed.
write_wine64_command() {
  mkdir -p "$1"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$1/wine"
  chmod 755 "$1/wine"
}

export_wine_environment() {
  # FERRIX_WINE_PREFIX: another prefix, for a second Wine beside the first (scripts/test).
  export WINEPREFIX=${FERRIX_WINE_PREFIX:-$FERRIX_BUILD/wine-prefix} WINEARCH=win32 WINEDEBUG=-all
  if ! host_runs_32_bit_code; then
    WINEARCH=win64
    write_wine64_command "$FERRIX_BUILD/wine64-bin"
    case ":$PATH:" in *":$FERRIX_BUILD/wine64-bin:"*) ;; *) export PATH=$FERRIX_BUILD/wine64-bin:$PATH ;; esac
  fi
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

ensure_wine_prefix() {
  export_wine_environment
  [ -f "$WINEPREFIX/.ferrix-ready" ] && return
  step "creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  set_up_wine_prefix
  touch "$WINEPREFIX/.ferrix-ready"
}

# set_up_wine_prefix [RUNNER...]: boots $WINEPREFIX and sets it up for the dialog, each command
# run through RUNNER when one is given (as another user, who must own the prefix).
set_up_wine_prefix() {
  "$@" wine wineboot -i >/dev/null 2>&1
  "$@" wineserver -w
  # Debian's Wine does not load its own fonts from /usr/share: copy them into the prefix.
  "$@" cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local replacements='HKCU\Software\Wine\Fonts\Replacements'
  "$@" wine reg add "$replacements" /v "宋体" /d "WenQuanYi Zen Hei Sharp" /f >/dev/null 2>&1
  "$@" wine reg add "$replacements" /v "SimSun" /d "Noto Sans CJK SC" /f >/dev/null 2>&1
  # One virtual desktop: every program lands on it, captions are drawn, closing is quick.
  "$@" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$@" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  "$@" wineserver -w
}

start_wine() {
  start_display
  ensure_wine_prefix
  wineserver -p >/dev/null 2>&1 </dev/null || true  # fails when one already runs
  # The first Wine process leaves helpers behind that would hold on to a caller's pipes.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${FERRIX_XVFB_PID:-}" ]; then kill "$FERRIX_XVFB_PID" 2>/dev/null || true; fi
}
