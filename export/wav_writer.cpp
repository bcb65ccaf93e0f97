#include "export/wav_writer.h"

#include "settings/atomic_file.h"

namespace corvane {

namespace {
void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutId(std::vector<uint8_t>& b, const char* id) { b.insert(b.end(), id, id + 4); }
}  // namespace

std::vector<uint8_t> WavHeader44(uint32_t dataBytes) {
  std::vector<uint8_t> h;
  h.reserve(44);
  PutId(h, "RIFF");
  Put(h, dataBytes + 36, 4);
  PutId(h, "WAVE");
  PutId(h, "fmt ");
  Put(h, 16, 4);
  Put(h, 1, 2);      // PCM
  Put(h, 1, 2);      // mono
  Put(h, 44100, 4);
  Put(h, 88200, 4);  // bytes per second
  Put(h, 2, 2);      // block align
  Put(h, 16, 2);     // bits per sample
  PutId(h, "data");
  Put(h, dataBytes, 4);
  return h;
}

bool WriteWavFile(const std::filesystem::path& path, const std::vector<int16_t>& samples, std::string* error) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> header = WavHeader44(dataBytes);
  std::string contents(header.begin(), header.end());
  contents.reserve(header.size() + dataBytes);
  for (int16_t s : samples) {
    const auto u = static_cast<uint16_t>(s);
    contents += static_cast<char>(u & 0xFF);
    contents += static_cast<char>(u >> 8);
  }
  return WriteFileAtomically(path, contents, error);
}

}  // namespace corvane
