#!/usr/bin/env bash
# Drives the real program under Xvfb only through its window, as a person would: mouse clicks at
# the controls' places and typing into the real file dialogs.
#   usage: user_session.sh <application folder>
# Case 1: add two sources with Add File and a folder tree with Add Folder, pick WAV and 20 Seconds,
#         Convert, check the pieces and the untouched sources, Exit, check the setup.ini bytes.
# Case 2: start on damaged settings files (garbage, truncated, empty): the defaults show, and
#         Exit and the options dialog's OK write whole, valid files.
set -euo pipefail
app_src=$(cd "$1" && pwd)
if [ -z "${VANTOREL_IN_XVFB:-}" ]; then
    export VANTOREL_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d /tmp/vantorel-session.XXXXXX)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -n "${shot:-}" ] && import -window root "$shot" 2>/dev/null; exit 1; }

# A private copy of the application folder, so the settings it writes are this test's own.
install_copy() {
    rm -rf "$work/app" && cp -r "$app_src" "$work/app"
    rm -f "$work/app/setup.ini" "$work/app/options.ini"
}
export HOME="$work/home"
# A runtime folder of its own, so the one-copy-per-user lock of another test cannot stop it.
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

win=""
start_program() {
    "$work/app/vantorel" >"$work/program.log" 2>&1 &
    pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vantorel - Ver' | head -n1) ||
        fail "the window did not appear"
    sleep 1 # the one-shot styling step centres the window just after it is shown
}
# Click at a point given in the window's own pixels.
click() {
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.2 click 1 sleep 0.3
}
wait_dialog() {
    timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n1 ||
        fail "no dialog named $1"
}
type_into_dialog() { # the file name box of Qt's file dialog has the focus when it opens
    local dialog
    dialog=$(wait_dialog "$1")
    xdotool windowactivate --sync "$dialog" 2>/dev/null || true
    sleep 0.5
    xdotool key --window "$dialog" ctrl+a
    xdotool type --delay 20 "$2"
    sleep 0.3
    xdotool key Return
    sleep 1
}
wait_ended() {
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; pid=""; return 0; }; sleep 0.1; done
    fail "the program did not end"
}
crlf_file() { printf '%s\r\n' "$@"; }
same_bytes() { cmp -s "$1" "$2" || { echo "--- want"; od -c "$2" | head; echo "--- got"; od -c "$1" | head; fail "$3"; }; }

# Places in the window, in pixels (the layout's twips / 15).
ADD_FILE="43 32"; ADD_FOLDER="116 33"; OPTIONS="269 33"; EXIT="404 33"
SPLIT="575 114"; FORMAT="585 167"; CONVERT="585 378"

# ---------------------------------------------------------------- case 1
shot="$work/case1.png"
install_copy
src="$work/sources"
mkdir -p "$src/tree/sub"
gen() { ffmpeg -hide_banner -loglevel error -f lavfi -i "sine=frequency=$1:duration=$2" -ac 2 "$3"; }
gen 440 45 "$src/first song.mp3"
gen 550 25 "$src/second.wav"
gen 660 30 "$src/tree/third.flac"
gen 770 15 "$src/tree/sub/fourth.ogg"
(cd "$src" && find . -type f -exec sha256sum {} + | sort) >"$work/before.sha"

start_program
click $ADD_FILE; type_into_dialog "Open Files" "$src/first song.mp3"
click $ADD_FILE; type_into_dialog "Open Files" "$src/second.wav"
click $ADD_FOLDER; type_into_dialog "Please select a folder" "$src/tree"
click $SPLIT; xdotool key ctrl+a; xdotool type "20"
click $FORMAT; sleep 0.5; xdotool key Down Down Down Return; sleep 0.3
click $CONVERT

out="$HOME/output"
want=(first\ song00000.wav first\ song00001.wav first\ song00002.wav second00000.wav
      second00001.wav third00000.wav third00001.wav fourth00000.wav)
done_at=""
for _ in $(seq 1 240); do
    have=0
    for f in "${want[@]}"; do [ -f "$out/$f" ] && have=$((have + 1)); done
    if [ "$have" -eq ${#want[@]} ] && ! pgrep -x conv.exe >/dev/null; then
        done_at=yes; break
    fi
    sleep 0.5
done
[ -n "$done_at" ] || { ls -la "$out" >&2 || true; fail "the pieces did not all appear"; }
sleep 3 # the end of the run: the reminder sound, then "Done."
[ "$(ls "$out" | wc -l)" -eq ${#want[@]} ] || { ls "$out" >&2; fail "unexpected pieces"; }
for f in "${want[@]}"; do
    codec=$(ffprobe -v error -show_entries stream=codec_name -of default=nw=1:nk=1 "$out/$f")
    [ "$codec" = pcm_s16le ] || fail "$f is $codec, not WAV"
done
d=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$out/first song00002.wav")
awk "BEGIN { exit !($d > 4.5 && $d < 5.5) }" || fail "the last piece lasts $d s, not 5 s"
(cd "$src" && find . -type f -exec sha256sum {} + | sort) >"$work/after.sha"
same_bytes "$work/after.sha" "$work/before.sha" "a source changed"

click $EXIT
wait_ended
crlf_file '"7"' '"1"' '"1"' "\"$out\"" '"3"' >"$work/want-setup.ini"
same_bytes "$work/app/setup.ini" "$work/want-setup.ini" "setup.ini after Exit"
echo "case 1: converted through the window, setup.ini written"

# ---------------------------------------------------------------- case 2
shot="$work/case2.png"
damage() {
    case $1 in
    garbage) head -c 4096 /dev/urandom >"$work/app/setup.ini"
             head -c 512 /dev/urandom >"$work/app/options.ini" ;;
    truncated) printf '"3"\r\n"2' >"$work/app/setup.ini"; printf '1\r\n' >"$work/app/options.ini" ;;
    empty) : >"$work/app/setup.ini"; : >"$work/app/options.ini" ;;
    esac
}
for kind in garbage truncated empty; do
    install_copy
    damage "$kind"
    start_program
    click $OPTIONS
    dialog=$(wait_dialog '^Options$')
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    xdotool mousemove $((X + 67)) $((Y + 83)) sleep 0.2 click 1 sleep 0.5 # OK
    click $EXIT
    wait_ended
    case $kind in
    truncated) # what was written before the cut still reads; the rest keeps its default
        crlf_file '"3"' '"2"' '"1"' "\"$HOME/output\"" '"0"' >"$work/want-setup.ini"
        crlf_file 1 0 0 0 >"$work/want-options.ini" ;;
    *)  crlf_file '"7"' '"1"' '"1"' "\"$HOME/output\"" '"0"' >"$work/want-setup.ini"
        crlf_file 0 0 0 0 >"$work/want-options.ini" ;;
    esac
    same_bytes "$work/app/setup.ini" "$work/want-setup.ini" "setup.ini after $kind settings"
    same_bytes "$work/app/options.ini" "$work/want-options.ini" "options.ini after $kind settings"
    echo "case 2 ($kind): started with the defaults, wrote whole files"
done
echo "2 passed, 0 failed"
