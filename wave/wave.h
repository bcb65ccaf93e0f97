#pragma once
// A sound held in memory as a whole RIFF WAVE image, read in place.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <utility>
#include <vector>

namespace corvane {

// Raised when a sound file exists but cannot be opened or read.
class WaveFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Read-only view of a format record (the bytes of a "fmt " chunk, at least 18).
struct WaveFormatView {
  const std::vector<uint8_t>& bytes;
  uint16_t FormatTag() const { return U16(0); }
  uint16_t Channels() const { return U16(2); }
  uint32_t SamplesPerSec() const { return U32(4); }
  uint32_t AvgBytesPerSec() const { return U32(8); }
  uint16_t BlockAlign() const { return U16(12); }
  uint16_t BitsPerSample() const { return U16(14); }
  uint16_t CbSize() const { return U16(16); }

 private:
  uint16_t U16(size_t o) const { return static_cast<uint16_t>(bytes[o] | bytes[o + 1] << 8); }
  uint32_t U32(size_t o) const { return U16(o) | static_cast<uint32_t>(U16(o + 2)) << 16; }
};

// Plain 16-bit mono 44,100 Hz PCM format record.
std::vector<uint8_t> PcmMono16Format();

enum class TWaveStreamState { wssReady, wssReading, wssWriting };

class TWave {
 public:
  TWave() = default;

  // Replaces the image by the file's bytes; throws WaveFileError when the
  // file cannot be opened or read (the image is then left as it was).
  void LoadFromFile(const std::filesystem::path& fileName);
  void LoadFromBytes(std::vector<uint8_t> bytes);

  bool Valid() const;
  uint32_t DataSize() const;    // bytes of sample data (0 when not valid)
  uint32_t DataOffset() const;  // offset of the first sample byte (0 when not valid)
  uint32_t Length() const;      // milliseconds
  // The format record, or nullptr while the image is not valid.
  const std::vector<uint8_t>* WaveFormat() const;

  // The sample bytes in place: DataSize() bytes, nullptr when there are none.
  const uint8_t* Data() const;
  uint8_t* MutableData() { return const_cast<uint8_t*>(std::as_const(*this).Data()); }

  // Removes Len milliseconds of samples starting at Pos milliseconds.
  bool Delete(uint32_t Pos, uint32_t Len);
  // Scales every sample by (100 + Percent) / 100, clamped; 8- and 16-bit PCM only.
  bool ChangeVolume(int Percent);

  // Rebuilds the image as a canonical file with the given format record.
  bool BeginRewrite(const std::vector<uint8_t>& format);
  int64_t Write(const void* buffer, uint32_t count);
  bool EndRewrite();

  // Converts milliseconds to whole sample frames' worth of bytes.
  uint32_t MsToBytes(uint32_t ms) const;

  const std::vector<uint8_t>& Image() const { return fStream; }

 private:
  void MarkModified();
  void Refresh() const;
  void ParseImage() const;

  std::vector<uint8_t> fStream;
  TWaveStreamState fState = TWaveStreamState::wssReady;
  mutable bool fModified = true;
  mutable bool fValid = false;
  mutable uint32_t fDataSize = 0;
  mutable uint32_t fDataOffset = 0;
  mutable std::vector<uint8_t> fWaveFormat;  // empty while not valid
  size_t riffSizeAt_ = 0, dataSizeAt_ = 0;   // placeholders during a rewrite
};

}  // namespace corvane
