#pragma once
// Shared fixture: a fresh engine, a fixed dither seed, private XDG folders
// and captured diagnostic lines.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/random.h"
#include "settings/app_paths.h"
#include "settings/diagnostics.h"

namespace corvane::testing {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEngine();
    RandSeed(20261211);
    ResetLastResultCode();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir = std::filesystem::temp_directory_path() / ("corvane-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    ForgetAppDataPath();
    SetDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
  }
  void TearDown() override {
    SetDiagnosticSink({});
    ResetEngine();
    std::filesystem::remove_all(dir);
  }

  std::filesystem::path WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    auto path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  std::filesystem::path dir;
  std::vector<std::string> diagnostics;
};

// Builds RIFF images chunk by chunk.
class RiffBuilder {
 public:
  RiffBuilder& Chunk(const std::string& id, const std::vector<uint8_t>& body, bool pad = true) {
    Id(id);
    U32(static_cast<uint32_t>(body.size()));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) bytes_.push_back(0);
    return *this;
  }
  RiffBuilder& Raw(const std::vector<uint8_t>& raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    return *this;
  }
  // A RIFF WAVE image around the chunks added so far.
  std::vector<uint8_t> Wave() const {
    RiffBuilder outer;
    outer.Id("RIFF");
    outer.U32(static_cast<uint32_t>(bytes_.size() + 4));
    outer.Id("WAVE");
    outer.Raw(bytes_);
    return outer.bytes_;
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  static std::vector<uint8_t> Pcm16Format(size_t length = 16) {
    std::vector<uint8_t> f = {1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0};
    f.resize(length, 0);
    return f;
  }
  static std::vector<uint8_t> Samples(const std::vector<int16_t>& s) {
    std::vector<uint8_t> b;
    for (int16_t v : s) {
      b.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) & 0xFF));
      b.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    }
    return b;
  }
  static std::vector<uint8_t> PcmFile(const std::vector<int16_t>& s) {
    return RiffBuilder().Chunk("fmt ", Pcm16Format()).Chunk("data", Samples(s)).Wave();
  }

 private:
  void Id(const std::string& id) { bytes_.insert(bytes_.end(), id.begin(), id.begin() + 4); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace corvane::testing
