#pragma once
// Where the tempo and volume knobs sit, and which value a click or a drag
// at a client coordinate means. Rounding is to nearest, halves to even.
namespace corvane {

struct Track {
  int left, top, width, height;  // the track picture
  int knobWidth, knobHeight;
};

inline constexpr Track kTempoTrack{63, 166, 198, 18, 30, 20};
inline constexpr Track kVolumeTrack{20, 141, 16, 44, 15, 11};
inline constexpr int kMinVolume = -3000;

// Tempo knob: left edge for tempo b within the limits, held on the track.
int TempoKnobLeft(double bpm, double minBpm, double maxBpm, const Track& t = kTempoTrack);
// Tempo for a knob whose left edge would be at x (x = mouse - grab offset).
double TempoAtKnobLeft(int x, double minBpm, double maxBpm, const Track& t = kTempoTrack);
// A click on the tempo track centres the knob under the mouse.
double TempoAtTrackClick(int x, double minBpm, double maxBpm, const Track& t = kTempoTrack);

int ClampVolume(int volume);  // -3000..0
int VolumeKnobTop(int volume, const Track& t = kVolumeTrack);
int VolumeAtKnobTop(int y, const Track& t = kVolumeTrack);
int VolumeAtTrackClick(int y, const Track& t = kVolumeTrack);

}  // namespace corvane
