# Shared by setup, build, run, test and bench: paths and the private Wine environment.
# Sourced, never run. Every process started here is recorded and ended by its own pid.
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
build="$top/build"
dist="$build/dist"

# A run that must not share the prefix with the tests (the soak) names one of its own.
export WINEPREFIX="${TOPLEX_PREFIX:-$build/wine}"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=wine
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=wineserver

toplex_pids=()

# Runs a Windows program under the Japanese locale so that GetACP() is 932.
wine_run() { LC_ALL=ja_JP.UTF-8 "$WINE64" "$@"; }

# Picks a display number that no X server holds and starts Xvfb on it.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  toplex_pids+=($!)
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.05; done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# A persistent wineserver keeps process start near 0.1 s.
start_wineserver() {
  LC_ALL=ja_JP.UTF-8 "$WINESERVER" -f -p >/dev/null 2>&1 &
  toplex_pids+=($!)
}

stop_started() {
  local p
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
  for p in "${toplex_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${toplex_pids[@]}"; do wait "$p" 2>/dev/null || true; done
  toplex_pids=()
}

# Boots the private prefix once, with fonts that stand in for the Japanese system faces.
ensure_prefix() {
  [ -f "$WINEPREFIX/.toplex-ready-4" ] && return 0
  echo "preparing the Wine prefix"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  LC_ALL=ja_JP.UTF-8 "$WINE64" wineboot -i >/dev/null 2>&1
  local key='HKCU\Software\Wine\Fonts\Replacements'
  wine_run reg add "$key" /v "ＭＳ ゴシック" /d "IPAGothic" /f >/dev/null 2>&1
  wine_run reg add "$key" /v "ＭＳ Ｐゴシック" /d "IPAPGothic" /f >/dev/null 2>&1
  wine_run reg add "$key" /v "ＭＳ 明朝" /d "IPAMincho" /f >/dev/null 2>&1
  wine_run reg add "$key" /v "ＭＳ Ｐ明朝" /d "IPAPMincho" /f >/dev/null 2>&1
  wine_run reg add "$key" /v "MS UI Gothic" /d "IPAPGothic" /f >/dev/null 2>&1
  # No crash dialog may wait for a click during a test run.
  wine_run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Without a window manager, a managed window takes about 2 s to leave the screen; unmanaged
  # windows are handled by Wine itself at once.
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # F: (mount_full_drive) is a network drive, so walks of the fixed drives leave it alone.
  wine_run reg add 'HKLM\Software\Wine\Drives' /v f: /d network /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.toplex-ready-4"
}

# Runs a command in a copy of the prefix whose screen is at the given DPI (Wine reports every
# monitor at that DPI); TOPLEX_TEST_DPI tells the tests which.
at_dpi() {
  local dpi=$1 prefix="$build/wine-dpi"
  shift
  (
    rm -rf "$prefix" && cp -a "$WINEPREFIX" "$prefix"
    export WINEPREFIX="$prefix" TOPLEX_TEST_DPI=$dpi
    wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$@"
    "$WINESERVER" -k >/dev/null 2>&1 || true
  )
}

# The user's application-data folder inside the prefix, as a Linux path.
appdata_dir() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"; }

# The finder's tests walk a drive of their own: T: is an empty folder under build/, never the
# whole machine that Z: shows.
finder_drive() { echo "$build/finder-drive"; }
map_finder_drive() {
  rm -rf "$(finder_drive)"
  mkdir -p "$(finder_drive)"
  ln -sfn "$(finder_drive)" "$WINEPREFIX/dosdevices/t:"
}

# A small file system that the tests fill up, as the network drive F: in the prefix: a tmpfs of
# 16 MB mounted while the tests run (only root may; without it the test that needs it is skipped).
full_drive() { echo "$build/full-drive"; }
mount_full_drive() {
  mkdir -p "$(full_drive)"
  if mountpoint -q "$(full_drive)" || mount -t tmpfs -o size=16m toplex-full "$(full_drive)" 2>/dev/null; then
    ln -sfn "$(full_drive)" "$WINEPREFIX/dosdevices/f:"
  else
    rm -f "$WINEPREFIX/dosdevices/f:"
  fi
}
unmount_full_drive() {
  rm -f "$WINEPREFIX/dosdevices/f:"
  if mountpoint -q "$(full_drive)"; then umount "$(full_drive)" 2>/dev/null || true; fi
}

# The kill test (tests/kill/kill_test.py) against the program folder, in the prefix's data folder.
kill_test() {
  local package="$build/fixtures/packages/kill.cab"
  [ -f "$package" ] || "$top/tests/fixtures/make_packages.sh" "$build/fixtures/packages" > /dev/null || return 1
  WINE64="$WINE64" LC_ALL=ja_JP.UTF-8 python3 "$top/tests/kill/kill_test.py" --dist "$dist" \
    --helper "$build/win/kill_helper.exe" --data "$(appdata_dir)/MARVANE/TOPLEX" --package "$package" \
    --temp "$WINEPREFIX/drive_c/users/$(id -un)/Temp" "$@"
}
