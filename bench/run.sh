#!/usr/bin/env bash
# Prints the benchmark figures side by side as a Markdown table (paste into docs/BENCHMARKS.md).
# usage: bench/run.sh [build folder]
# knobs: SOURCES=10 MINUTES=10 ROUNDS=2 FILES=100000 ROWS=10000 STARTS=5
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
SOURCES=${SOURCES:-10} MINUTES=${MINUTES:-10} ROUNDS=${ROUNDS:-2}
FILES=${FILES:-100000} ROWS=${ROWS:-10000} STARTS=${STARTS:-5}

cmake --build "$build" --target vantorel_bench conv_exe vantorel -j"$(nproc)" >/dev/null
bench="$build/bench/vantorel_bench"
conv="$build/app/data/conv.exe"
work=$(mktemp -d /tmp/vantorel-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

now() { date +%s.%N; }
value() { sed -n "s/^$1=//p"; }
calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }

echo "Generating $SOURCES sources of $MINUTES minutes..." >&2
mkdir -p "$work/src"
for i in $(seq 1 "$SOURCES"); do
    ffmpeg -hide_banner -loglevel error -f lavfi \
        -i "sine=frequency=$((200 + 40 * i)):sample_rate=44100:duration=$((MINUTES * 60))" \
        -ac 2 -c:a libmp3lame -b:a 128k "$work/src/track$i.mp3"
done

script_run() { # the same encoder command lines, one after another, by a plain script
    local out=$1
    mkdir -p "$out"
    for f in "$work"/src/*.mp3; do
        local base
        base=$(basename "$f" .mp3)
        "$conv" -i "$f" >/dev/null 2>&1 || true
        "$conv" -i "$f" -f segment -segment_time 30 -y -map_metadata 0 -id3v2_version 3 -vn \
            -ab 128k -ar 44100 -ac 2 "$out/$base%05d.mp3" >/dev/null 2>&1
    done
}

prog_wall=0 prog_cpu=0 script_wall=0
for r in $(seq 1 "$ROUNDS"); do
    echo "Round $r: program..." >&2
    rm -rf "$work/out"
    result=$("$bench" run "$work/out" "$work"/src/*.mp3)
    prog_wall=$(calc "$prog_wall + $(echo "$result" | value wall_seconds)")
    prog_cpu=$(calc "$prog_cpu + $(echo "$result" | value cpu_seconds)")
    echo "Round $r: script..." >&2
    rm -rf "$work/out"
    t0=$(now)
    script_run "$work/out"
    script_wall=$(calc "$script_wall + $(now) - $t0")
done
prog_wall=$(calc "$prog_wall / $ROUNDS")
prog_cpu=$(calc "$prog_cpu / $ROUNDS")
script_wall=$(calc "$script_wall / $ROUNDS")

echo "Making a tree of $FILES files..." >&2
tree="$work/tree"
per=1000
for d in $(seq 1 $(((FILES + per - 1) / per))); do
    mkdir -p "$tree/d$d/sub"
    (cd "$tree/d$d" && seq 1 $((per / 2)) | sed 's/$/.mp3/' | xargs touch &&
        cd sub && seq 1 $((per / 2)) | sed 's/$/.wav/' | xargs touch)
done
sync
t0=$(now)
found=$(find "$tree" -type f | wc -l)
find_wall=$(calc "$(now) - $t0")
add=$("$bench" addfolder "$tree")
remove=$("$bench" removeall "$ROWS")

start_wall="n/a"
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    total=0
    for s in $(seq 1 "$STARTS"); do
        t=$(xvfb-run -a bash -c '
            t0=$(date +%s.%N)
            QT_QPA_PLATFORM=xcb "$1" & pid=$!
            # xdotool --sync polls only every half second: poll ourselves, every 5 ms.
            until xdotool search --onlyvisible --name "^Vantorel" >/dev/null 2>&1; do sleep 0.005; done
            t1=$(date +%s.%N)
            kill $pid; wait $pid 2>/dev/null
            awk "BEGIN { printf \"%.3f\", $t1 - $t0 }"' _ "$build/app/vantorel" 2>/dev/null || echo fail)
        [ "$t" = fail ] && { total=fail; break; }
        total=$(calc "$total + $t")
    done
    [ "$total" = fail ] || start_wall=$(calc "$total / $STARTS")
fi

cat <<TABLE
| Figure | Vantorel | For scale | Aim |
|---|---|---|---|
| Run of $SOURCES x $MINUTES-min MP3 to MP3, 30 s pieces (wall, mean of $ROUNDS) | ${prog_wall} s | plain script ${script_wall} s; ratio $(calc "$prog_wall / $script_wall") | ratio <= 1.05 |
| Program's own CPU during that run | ${prog_cpu} s = $(calc "100 * $prog_cpu / $prog_wall") % of wall | | < 3 % |
| Add a folder tree of $found files (wall) | $(echo "$add" | value wall_seconds) s, $(echo "$add" | value entries) entries | find: ${find_wall} s | < 3 s |
| Peak memory of that (maxrss) | $(( $(echo "$add" | value peak_kb) / 1024 )) MB | | < 300 MB |
| Remove All of $ROWS rows (wall) | $(echo "$remove" | value wall_seconds) s | | < 1 s |
| Start to window shown (mean of $STARTS, Xvfb) | ${start_wall} s | | < 0.5 s |
TABLE
