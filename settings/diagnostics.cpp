#include "settings/diagnostics.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace corvane {
namespace {

std::mutex sinkMutex;
std::function<void(std::string_view)> sinkFunction;
std::atomic<uint32_t> lastResult{0};

struct Description {
  uint32_t code;
  const char* text;
};

constexpr Description kDescriptions[] = {
    {rc::Fail, "An undetermined error occurred."},
    {rc::OutOfMemory, "Not enough memory is available to complete the operation."},
    {rc::InvalidArg, "An invalid parameter was passed to the returning function."},
    {rc::NoAudioDriver, "No usable audio driver is available."},
    {rc::NoAudioDevice, "The audio driver lists no output device."},
    {rc::DeviceOpenFailed, "The audio output device could not be opened."},
    {rc::BufferLost, "The sound buffer does not exist."},
    {rc::InvalidCall, "This function is not valid for the current state of this object."},
    {rc::LockFailed, "The buffer could not be locked."},
    {rc::FileWriteFailed, "The file could not be written."},
    {rc::FileReadFailed, "The file could not be read."},
};

}  // namespace

void SetDiagnosticSink(std::function<void(std::string_view)> sink) {
  std::lock_guard lock(sinkMutex);
  sinkFunction = std::move(sink);
}

void DebugStr(std::string_view text) {
  std::lock_guard lock(sinkMutex);
  if (sinkFunction) {
    sinkFunction(text);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void DebugInt(long long value) { DebugStr(std::to_string(value)); }

std::string DescribeResult(uint32_t code) {
  for (const auto& d : kDescriptions)
    if (d.code == code) return d.text;
  return "Unrecognized Error";
}

bool CheckHR(uint32_t code, std::string_view text) {
  lastResult.store(code, std::memory_order_relaxed);
  if (code == 0) return false;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", code);
  std::string line(text);
  line += " [HR=";
  line += hex;
  line += "] ";
  line += DescribeResult(code);
  DebugStr(line);
  return true;
}

uint32_t LastResultCode() { return lastResult.load(std::memory_order_relaxed); }
void ResetLastResultCode() { lastResult.store(0, std::memory_order_relaxed); }

}  // namespace corvane
