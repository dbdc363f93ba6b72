#!/usr/bin/env bash
# Renders every song file in the given directory with FluidSynth and the system's General MIDI
# soundfont, and checks what a listener would notice: each song is audible (RMS above silence),
# never clips, and lasts between 45 seconds and 4 minutes. Exit 77 (skipped) without the tools.
# Rendering runs far faster than real time (about 1 s per song at 22,050 Hz).
set -uo pipefail

songs=${1:?usage: render_songs.sh <song directory>}
soundfont=${WOBBERT_SOUNDFONT:-/usr/share/sounds/sf2/default-GM.sf2}
for tool in fluidsynth sox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[[ -r $soundfont ]] || { echo "skipped: no soundfont at $soundfont"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0
for song in "$songs"/[0-9][0-9]-*.mid; do
  [[ -e $song ]] || continue
  name=$(basename "$song" .mid)
  fluidsynth -ni -F "$scratch/song.wav" -r 22050 "$soundfont" "$song" >/dev/null 2>&1
  stats=$(sox "$scratch/song.wav" -n stat 2>&1)
  length=$(awk '/^Length \(seconds\)/ {print $3}' <<<"$stats")
  rms=$(awk '/^RMS +amplitude/ {print $3}' <<<"$stats")
  peak=$(awk '/^Maximum amplitude/ {print $3}' <<<"$stats")
  if awk -v l="${length:-0}" -v r="${rms:-0}" -v p="${peak:-1}" \
       'BEGIN { exit !(l >= 45 && l <= 240 && r >= 0.005 && p < 0.999) }'; then
    passed=$((passed + 1))
    printf '%s: %.1f s, RMS %s, peak %s\n' "$name" "$length" "$rms" "$peak"
  else
    failed=$((failed + 1))
    printf 'FAILED %s: length %s s (45..240), RMS %s (>= 0.005), peak %s (< 0.999)\n' \
      "$name" "${length:-?}" "${rms:-?}" "${peak:-?}"
  fi
done
count=$(find "$songs" -maxdepth 1 -name '[0-9][0-9]-*.mid' | wc -l)
if [[ $count -ne 47 ]]; then
  echo "FAILED: $count song files, 47 expected"
  failed=$((failed + 1))
fi
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
