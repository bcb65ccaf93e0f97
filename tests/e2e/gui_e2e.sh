#!/usr/bin/env bash
# Starts the real program under Xvfb with SDL's disk audio driver, presses
# Space as a user would, and checks that clicks were written and that the
# window showed a running beat. Keeps a screenshot for the record.
# Usage: gui_e2e.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail
program=$1
shots=$2
mkdir -p "$shots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/config/Corvane Software" "$work/runtime"
chmod 700 "$work/runtime"
# No tip window: it would take the first key press.
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Corvane Software\\Metronome]\r\n"ShowTipsOnStartup"=dword:00000000\r\n' \
  > "$work/config/Corvane Software/Metronome.reg"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
"$PROGRAM" > "$WORK/stdout.txt" 2> "$WORK/stderr.txt" &
app=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --class corvane-metronome 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then echo "the main window did not appear"; kill $app; exit 1; fi
sleep 1
xdotool key --window "$window" space
sleep 2.6
import -window root "$SHOTS/main-window-running.png"
xdotool key --window "$window" space
sleep 0.3
# Close as a user does: the close picture at the top right.
xdotool mousemove --window "$window" 320 8 click 1
for _ in $(seq 1 50); do
  kill -0 $app 2>/dev/null || break
  sleep 0.2
done
if kill -0 $app 2>/dev/null; then echo "the program did not end after its close button"; kill $app; exit 1; fi
wait $app
SESSION
chmod +x "$work/session.sh"

export PROGRAM="$program" WORK="$work" SHOTS="$shots"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" CORVANE_TRACE_BEATS=1
xvfb-run -a -s "-screen 0 800x700x24" "$work/session.sh" || { cat "$work/stderr.txt"; exit 1; }

beats=$(grep -c '^beat ' "$work/stderr.txt" || true)
echo "beats shown: $beats"; grep -m3 '^beat ' "$work/stderr.txt"
[ "$beats" -ge 4 ] || { echo "expected at least 4 beats in 2.6 s at 120 BPM"; cat "$work/stderr.txt"; exit 1; }
grep -q '^beat 2 ' "$work/stderr.txt" || { echo "the beat number did not run"; exit 1; }
# The disk driver writes stereo 16-bit frames: some must be loud clicks.
loud=$(od -An -t d2 -v "$work/out.raw" | tr -s ' ' '\n' | awk '$1 > 3000 || $1 < -3000' | wc -l)
echo "loud samples: $loud"
[ "$loud" -gt 100 ] || { echo "no clicks were written"; exit 1; }
[ -s "$work/config/Corvane Software/Metronome.reg" ]
grep -q '"BPM"' "$work/config/Corvane Software/Metronome.reg" || { echo "settings were not saved at close"; exit 1; }
echo "ok"
