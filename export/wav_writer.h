#pragma once
// Plain WAV files as the program exports them: a 44-byte header (mono,
// 16-bit, 44,100 Hz PCM) followed by the samples.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

std::vector<uint8_t> WavHeader44(uint32_t dataBytes);

// Writes header and samples through a temporary file renamed into place.
bool WriteWavFile(const std::filesystem::path& path, const std::vector<int16_t>& samples,
                  std::string* error = nullptr);

}  // namespace corvane
