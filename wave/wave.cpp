#include "wave/wave.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace corvane {

namespace {

uint32_t ReadU32(const std::vector<uint8_t>& b, size_t o) {
  return static_cast<uint32_t>(b[o]) | static_cast<uint32_t>(b[o + 1]) << 8 |
         static_cast<uint32_t>(b[o + 2]) << 16 | static_cast<uint32_t>(b[o + 3]) << 24;
}

void PutU32(std::vector<uint8_t>& b, size_t o, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[o + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void AppendU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void AppendId(std::vector<uint8_t>& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id[i]));
}

bool IdIs(const std::vector<uint8_t>& b, size_t o, const char* id) {
  return std::memcmp(b.data() + o, id, 4) == 0;
}

// a*b/c to the nearest integer, halves away from zero (all operands here are
// unsigned 32-bit, so the product fits in 64 bits).
uint64_t MulDivRound(uint32_t a, uint32_t b, uint32_t c) {
  if (c == 0) return 0;
  const uint64_t p = uint64_t{a} * b;
  uint64_t q = p / c;
  if (2 * (p % c) >= c) ++q;
  return q;
}

// Finds the chunk with the given identifier among chunks in [pos, end);
// returns the offset of its header or npos. Skipped chunks are padded to even.
size_t FindChunk(const std::vector<uint8_t>& b, size_t pos, size_t end, const char* id) {
  while (pos + 8 <= end) {
    if (IdIs(b, pos, id)) return pos;
    uint64_t size = ReadU32(b, pos + 4);
    pos += 8 + size + (size & 1);
  }
  return std::string::npos;
}

}  // namespace

std::vector<uint8_t> PcmMono16Format() {
  std::vector<uint8_t> f(18, 0);
  f[0] = 1;      // PCM
  f[2] = 1;      // mono
  PutU32(f, 4, 44100);
  PutU32(f, 8, 88200);
  f[12] = 2;     // block align
  f[14] = 16;    // bits
  return f;
}

void TWave::LoadFromFile(const std::filesystem::path& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw WaveFileError("Cannot open file \"" + fileName.string() + "\".");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw WaveFileError("Cannot read file \"" + fileName.string() + "\".");
  LoadFromBytes(std::move(bytes));
}

void TWave::LoadFromBytes(std::vector<uint8_t> bytes) {
  MarkModified();
  fStream = std::move(bytes);
  fState = TWaveStreamState::wssReady;
  Refresh();
}

void TWave::MarkModified() {
  fModified = true;
  fValid = false;
}

void TWave::Refresh() const {
  if (!fModified || fState == TWaveStreamState::wssWriting) return;
  ParseImage();
  fModified = false;
}

void TWave::ParseImage() const {
  fValid = false;
  fDataSize = fDataOffset = 0;
  fWaveFormat.clear();
  const auto& b = fStream;
  size_t riff = 0;
  for (;;) {
    riff = FindChunk(b, riff, b.size(), "RIFF");
    if (riff == std::string::npos) return;
    if (riff + 12 <= b.size() && IdIs(b, riff + 8, "WAVE")) break;
    uint64_t size = ReadU32(b, riff + 4);
    riff += 8 + size + (size & 1);
  }
  // Never look past the RIFF chunk's declared end, nor past the image.
  const size_t riffEnd = static_cast<size_t>(std::min<uint64_t>(b.size(), riff + 8 + uint64_t{ReadU32(b, riff + 4)}));
  size_t fmt = FindChunk(b, riff + 12, riffEnd, "fmt ");
  if (fmt == std::string::npos) return;
  const uint32_t fmtSize = ReadU32(b, fmt + 4);
  if (fmtSize < 14 || fmt + 8 + uint64_t{fmtSize} > b.size()) return;
  std::vector<uint8_t> format(std::max<uint32_t>(fmtSize, 18), 0);
  std::copy_n(b.begin() + static_cast<ptrdiff_t>(fmt + 8), fmtSize, format.begin());

  size_t data = FindChunk(b, fmt + 8 + fmtSize + (fmtSize & 1), riffEnd, "data");
  if (data == std::string::npos) return;
  fDataOffset = static_cast<uint32_t>(data + 8);
  // A chunk that claims more than the image holds is cut to the bytes present.
  fDataSize = static_cast<uint32_t>(std::min<uint64_t>(ReadU32(b, data + 4), b.size() - (data + 8)));
  fWaveFormat = std::move(format);
  fValid = true;
}

bool TWave::Valid() const {
  Refresh();
  return fValid;
}

uint32_t TWave::DataSize() const {
  Refresh();
  return fValid ? fDataSize : 0;
}

uint32_t TWave::DataOffset() const {
  Refresh();
  return fValid ? fDataOffset : 0;
}

const std::vector<uint8_t>* TWave::WaveFormat() const {
  Refresh();
  return fValid ? &fWaveFormat : nullptr;
}

uint32_t TWave::Length() const {
  const auto* f = WaveFormat();
  if (!f) return 0;
  uint32_t avg = WaveFormatView{*f}.AvgBytesPerSec();
  if (avg == 0) return 0;
  return static_cast<uint32_t>(MulDivRound(1000, fDataSize, avg));
}

const uint8_t* TWave::Data() const {
  if (!Valid() || fDataSize == 0) return nullptr;
  return fStream.data() + fDataOffset;
}

uint32_t TWave::MsToBytes(uint32_t ms) const {
  const auto* f = WaveFormat();
  if (!f) return 0;
  WaveFormatView view{*f};
  uint64_t n = MulDivRound(view.AvgBytesPerSec(), ms, 1000);
  if (view.BlockAlign() >= 2) n -= n % view.BlockAlign();
  return static_cast<uint32_t>(std::min<uint64_t>(n, UINT32_MAX));
}

bool TWave::Delete(uint32_t Pos, uint32_t Len) {
  if (!Valid() || Len == 0 || Pos >= Length()) return false;
  const uint32_t size = fDataSize;
  const uint64_t start = std::min<uint64_t>(MsToBytes(Pos), size);
  const uint64_t end = std::min<uint64_t>(start + MsToBytes(Len), size);
  const uint8_t* data = fStream.data() + fDataOffset;
  std::vector<uint8_t> copy(data, data + start);
  copy.insert(copy.end(), data + end, data + size);
  const std::vector<uint8_t> format = fWaveFormat;
  if (!BeginRewrite(format)) return false;
  int64_t written = Write(copy.data(), static_cast<uint32_t>(copy.size()));
  EndRewrite();
  return written > 0;
}

bool TWave::ChangeVolume(int Percent) {
  const auto* f = WaveFormat();
  if (!f) return false;
  WaveFormatView view{*f};
  if (view.FormatTag() != 1 || (view.BitsPerSample() != 8 && view.BitsPerSample() != 16)) return false;
  if (fDataSize == 0) return false;
  uint8_t* p = fStream.data() + fDataOffset;
  if (view.BitsPerSample() == 16) {
    for (uint32_t i = 0; i + 1 < fDataSize; i += 2) {
      int64_t s = static_cast<int16_t>(p[i] | p[i + 1] << 8);
      int64_t v = std::clamp<int64_t>(s + (s * Percent) / 100, -32767, 32767);
      p[i] = static_cast<uint8_t>(v & 0xFF);
      p[i + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    }
  } else {
    for (uint32_t i = 0; i < fDataSize; ++i) {
      int64_t s = p[i];
      p[i] = static_cast<uint8_t>(std::clamp<int64_t>(s + (s * Percent) / 100, 0, 255));
    }
  }
  return true;
}

bool TWave::BeginRewrite(const std::vector<uint8_t>& format) {
  if (fState != TWaveStreamState::wssReady || format.size() < 18) return false;
  MarkModified();
  const uint16_t cbSize = WaveFormatView{format}.CbSize();
  const uint32_t fmtLength = 18u + cbSize;
  fStream.clear();
  AppendId(fStream, "RIFF");
  riffSizeAt_ = fStream.size();
  AppendU32(fStream, 0);
  AppendId(fStream, "WAVE");
  AppendId(fStream, "fmt ");
  AppendU32(fStream, fmtLength);
  // The record may be shorter than its cbSize claims; the rest is zeros.
  for (uint32_t i = 0; i < fmtLength; ++i) fStream.push_back(i < format.size() ? format[i] : 0);
  if (fmtLength & 1) fStream.push_back(0);
  AppendId(fStream, "data");
  dataSizeAt_ = fStream.size();
  AppendU32(fStream, 0);
  fDataOffset = static_cast<uint32_t>(fStream.size());
  fState = TWaveStreamState::wssWriting;
  return true;
}

int64_t TWave::Write(const void* buffer, uint32_t count) {
  if (fState != TWaveStreamState::wssWriting) return -1;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  fStream.insert(fStream.end(), bytes, bytes + count);
  return count;
}

bool TWave::EndRewrite() {
  if (fState != TWaveStreamState::wssWriting) return false;
  const size_t dataStart = dataSizeAt_ + 4;
  const uint32_t dataBytes = static_cast<uint32_t>(fStream.size() - dataStart);
  PutU32(fStream, dataSizeAt_, dataBytes);
  PutU32(fStream, riffSizeAt_, static_cast<uint32_t>(fStream.size() + (dataBytes & 1) - 8));
  fState = TWaveStreamState::wssReady;
  fModified = true;
  Refresh();
  if (fValid) fStream.resize(size_t{fDataOffset} + fDataSize);
  return true;
}

}  // namespace corvane
