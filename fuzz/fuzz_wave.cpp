// Feeds arbitrary bytes to the wave parser and the sound loader, with every
// operation the program applies to a loaded sound.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "engine/sound_bank.h"
#include "wave/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  TWave wave;
  wave.LoadFromBytes(std::vector<uint8_t>(data, data + size));
  if (wave.Valid()) {
    (void)wave.Length();
    wave.ChangeVolume(100);
    wave.Delete(size > 0 ? data[0] : 0, 3);
    (void)SamplesOf(wave);
  }
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("fuzz-" + std::to_string(getpid()) + ".mwav");
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  TWave loaded;
  LoadSound(loaded, file, size > 1 && (data[1] & 1));
  (void)SamplesOf(loaded);
  return 0;
}
