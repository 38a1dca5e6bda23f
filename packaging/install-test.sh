#!/usr/bin/env bash
# install-test.sh BUILD_DIR: installs the build into a temporary prefix, checks the
# installed files, validates the desktop entry and the AppStream metadata, and starts
# the installed game on a private X display until its board screen shows.
#
# The game must run from the prefix alone. Where user namespaces are allowed, the build
# folder and the data folder compiled into the program are covered by empty folders
# (a private mount namespace, seen by the game only), so nothing of the build can be
# read; either way the working folder's links must lead into the prefix, and all the
# data the game reads goes through them.
#
# Exit codes: 0 passed, 1 failed, 77 skipped (a program it needs is missing).
set -uo pipefail

build=$(cd "${1:?usage: install-test.sh BUILD_DIR}" && pwd) || exit 1

missing=()
for program in cmake desktop-file-validate appstreamcli Xvfb xdotool xwd od awk; do
  command -v "$program" >/dev/null || missing+=("$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIPPED: needs ${missing[*]} (./setup.sh installs them)"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tavlero-install-XXXXXX")
prefix=$work/prefix
home=$work/home
server_pid=
game_pid=
# stop PID: asks the child to end and, when it does not within three seconds (a program
# waiting in a message box may not), ends it.
stop() {
  [ -n "$1" ] || return 0
  kill -TERM "$1" 2>/dev/null
  for _ in $(seq 30); do
    case $(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) in "" | Z*) break ;; esac
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  stop "$game_pid"
  stop "$server_pid"
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
show_log() { [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"; }

# Big-endian 32-bit number at a byte offset of a file.
word_at() { od -An -tu1 -j "$2" -N 4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }

# --- Install ------------------------------------------------------------------------
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAILED: cmake --install"
  exit 1
fi

share=$prefix/share
for file in bin/tavlero bin/tavlero-tool share/tavlero/clp/i1.clp share/tavlero/wav/i0.wav \
  share/tavlero/cfg/help.dat share/tavlero/cfg/endgames.dat share/applications/tavlero.desktop \
  share/metainfo/io.github.tavlero.Tavlero.metainfo.xml share/doc/tavlero/copyright; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
compgen -G "$share/tavlero/music/*.mid" >/dev/null || fail "no music is installed"
[ -x "$prefix/bin/tavlero" ] || fail "bin/tavlero is not executable"

# Each icon is a PNG of the size its folder names (width and height at bytes 16 and 20).
for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/tavlero.png
  if [ ! -s "$icon" ]; then
    fail "no ${size}x${size} icon"
  elif [ "$(od -An -tx1 -N 4 "$icon" | tr -d ' ')" != "89504e47" ] ||
    [ "$(word_at "$icon" 16)x$(word_at "$icon" 20)" != "${size}x${size}" ]; then
    fail "the ${size}x${size} icon is not a ${size}x${size} PNG"
  fi
done

# --- Validate -----------------------------------------------------------------------
desktop-file-validate "$share/applications/tavlero.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/io.github.tavlero.Tavlero.metainfo.xml" ||
  fail "appstreamcli validate"
[ ${failures} -eq 0 ] || exit 1

# --- Start the installed game -------------------------------------------------------
mkdir -p "$home"
Xvfb -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 5 5>"$work/display" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

data_dir=$(sed -n 's/^TAVLERO_DATA_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
run=("$prefix/bin/tavlero")
mkdir -p "$work/probe"
if unshare --mount --map-root-user mount -t tmpfs none "$work/probe" 2>/dev/null; then
  # The data folder first: when it lies inside the build folder, covering the build
  # folder afterwards hides it as well.
  # shellcheck disable=SC2016 # the inner shell expands its own arguments
  run=(unshare --mount --map-root-user sh -c \
    'for hidden in "$1" "$2"; do [ -d "$hidden" ] && { mount -t tmpfs none "$hidden" || exit 99; }; done
     exec "$3"' sh "$data_dir" "$build" "$prefix/bin/tavlero")
  echo "The build folder $build and $data_dir are hidden from the game"
else
  echo "No user namespaces here: the build folder stays visible; the links show where the data came from"
fi
env HOME="$home" XDG_DATA_HOME="$home" SDL_AUDIODRIVER=dummy "${run[@]}" >"$work/game.log" 2>&1 &
game_pid=$!

window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --class OMainWindow 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  show_log
  echo "FAILED: the installed game showed no window"
  exit 1
fi

# The intro goes on a click; the board screen takes the window to 800 x 600.
geometry() { xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd x; }
shown=
for _ in $(seq 40); do
  xdotool mousemove --window "$window" 200 200 click 1 2>/dev/null
  sleep 0.5
  [ "$(geometry)" = "800x600" ] && { shown=yes; break; }
  kill -0 "$game_pid" 2>/dev/null || break
done
if [ -z "$shown" ]; then
  show_log
  echo "FAILED: the board screen never showed (window $(geometry))"
  exit 1
fi
sleep 1

# The board screen is drawn: its board (left 600 columns) and its side panel (right 200)
# each show many colours, which neither a blank window nor the intro's pictures do.
xwd -id "$window" -silent >"$work/board.xwd" || fail "xwd could not take a screenshot"
header=$(word_at "$work/board.xwd" 0)
width=$(word_at "$work/board.xwd" 16)
bits=$(word_at "$work/board.xwd" 44)
row=$(word_at "$work/board.xwd" 48)
colours=$(word_at "$work/board.xwd" 76)
if [ "$width" != 800 ] || [ "$bits" != 32 ] || [ "$row" != 3200 ]; then
  fail "the screenshot is ${width} pixels wide at ${bits} bits a pixel and ${row} bytes a row, not 800, 32 and 3200"
else
  read -r board panel < <(od -An -v -tx4 -w4 -j $((header + colours * 12)) "$work/board.xwd" |
    awk '{ if ((NR - 1) % 800 < 600) board[$1]; else panel[$1] } END { print length(board), length(panel) }')
  echo "Board screen: ${board} colours on the board, ${panel} on the panel"
  [ "$board" -ge 50 ] || fail "the board shows only ${board} colours"
  [ "$panel" -ge 50 ] || fail "the panel shows only ${panel} colours"
fi
kill -0 "$game_pid" 2>/dev/null || fail "the game ended by itself"

# --- The working folder -------------------------------------------------------------
folder=$home/tavlero
[ -d "$folder/cfg" ] || fail "the game made no working folder $folder/cfg"
for entry in clp wav music cfg/help.dat cfg/endgames.dat; do
  target=$(readlink "$folder/$entry")
  [ "$target" = "$share/tavlero/$entry" ] ||
    fail "$folder/$entry leads to '${target}', not into the installed data"
done

if [ ${failures} -gt 0 ]; then
  show_log
  exit 1
fi
echo "PASSED: installed into $prefix, validated, and the installed game showed its board"
