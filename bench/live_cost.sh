#!/usr/bin/env bash
# CPU cost of live playback through a real sound server: starts a private
# PulseAudio with a null sink, plays with corvane-cli and reads the CPU time
# of our process and of the server from /proc. Needs pulseaudio and a build.
#   bench/live_cost.sh [CLI] [SECONDS]
set -euo pipefail
cli=${1:-build/release/bin/corvane-cli}
secs=${2:-60}
work=$(mktemp -d)
trap 'kill $pa 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/run"
(
  export HOME=$work/home XDG_RUNTIME_DIR=$work/run PULSE_RUNTIME_PATH=$work/run/pulse
  unset PULSE_SERVER
  exec pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=false \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$work/run/native" \
    -L "module-null-sink sink_name=metro rate=44100 channels=1" >"$work/pa.log" 2>&1
) &
pa=$!
export PULSE_SERVER=unix:$work/run/native HOME=$work/home XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=pulseaudio
sleep 2
ticks() { awk '{print $14+$15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

measure() {  # label, cli args...
  local label=$1; shift
  "$cli" play --seconds $((secs + 4)) "$@" >/dev/null &
  local pid=$!
  sleep 3
  local c0 p0 c1 p1
  c0=$(ticks $pid); p0=$(ticks $pa)
  sleep "$secs"
  c1=$(ticks $pid); p1=$(ticks $pa)
  wait $pid
  awk -v l="$label" -v c=$((c1 - c0)) -v p=$((p1 - p0)) -v s="$secs" -v hz="$hz" \
    'BEGIN { printf "%-34s ours %5.2f %%   server %5.2f %%\n", l, 100*c/hz/s, 100*p/hz/s }'
}

measure "120 BPM" --tempo 120
measure "999 BPM, ssssssss" --tempo 999 --subbeats ssssssss

# Ready but stopped: play briefly, then stay idle (the device is released
# after a few idle seconds).
"$cli" play --seconds 1 --idle-after 20 >/dev/null &
pid=$!
sleep 8
c0=$(ticks $pid); p0=$(ticks $pa)
sleep 10
c1=$(ticks $pid); p1=$(ticks $pa)
wait $pid
awk -v c=$((c1 - c0)) -v p=$((p1 - p0)) -v hz="$hz" \
  'BEGIN { printf "%-34s ours %5.2f %%   server %5.2f %%\n", "ready, stopped (4-14 s after)", 100*c/hz/10, 100*p/hz/10 }'
