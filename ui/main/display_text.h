#pragma once
// Texts and pictures of the display panel that do not depend on the toolkit.
#include <chrono>
#include <string>
#include <string_view>

namespace corvane {

// "h:mm:ss" for the time since the start; the hour is the hour of a day.
std::string ElapsedText(std::chrono::steady_clock::duration elapsed);

// Index of the subdivision picture (0 none, 1 "s", 2 "ss", 3 "sss", 4 "ssss",
// 5 "s_s", 6 "s__s"), or -1 when the pattern has no picture of its own.
int SubbeatPictureIndex(std::string_view subbeats);

// round(fps * 60 / bpm), halves to even.
long long FramesPerBeat(long long framesPerSecond, double bpm);

}  // namespace corvane
