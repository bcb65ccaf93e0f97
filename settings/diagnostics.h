#pragma once
// Diagnostic output and the result-code check shared by the platform layers.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// Writes one diagnostic line (to standard error unless a sink is installed).
void DebugStr(std::string_view text);
void DebugInt(long long value);

// Replaces the destination of diagnostic lines; an empty function restores
// standard error. Tests use it to read what was reported.
void SetDiagnosticSink(std::function<void(std::string_view)> sink);

// Result codes of our own platform layers. The high bit marks a failure,
// the facility 0x0CF keeps them apart from codes of other origins.
namespace rc {
inline constexpr uint32_t Ok = 0;
inline constexpr uint32_t Fail = 0x80004005;            // generic failure
inline constexpr uint32_t OutOfMemory = 0x8007000E;
inline constexpr uint32_t InvalidArg = 0x80070057;
inline constexpr uint32_t NoAudioDriver = 0x80CF0001;   // no usable audio driver
inline constexpr uint32_t NoAudioDevice = 0x80CF0002;   // the driver lists no output device
inline constexpr uint32_t DeviceOpenFailed = 0x80CF0003;
inline constexpr uint32_t BufferLost = 0x80CF0004;      // buffer released or never created
inline constexpr uint32_t InvalidCall = 0x80CF0005;     // call not allowed in this state
inline constexpr uint32_t LockFailed = 0x80CF0006;
inline constexpr uint32_t FileWriteFailed = 0x80CF0010;
inline constexpr uint32_t FileReadFailed = 0x80CF0011;
}  // namespace rc

// One-line description of a result code; "Unrecognized Error" when unknown.
std::string DescribeResult(uint32_t code);

// When code is not 0, writes "text [HR=XXXXXXXX] description". Always keeps
// code as the last result code. Returns true when code is not 0 (a failure).
bool CheckHR(uint32_t code, std::string_view text);

// The code passed to the last CheckHR (0 after a success).
uint32_t LastResultCode();
void ResetLastResultCode();

}  // namespace corvane
