#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// Writes contents to a temporary file beside path, flushes it to the disk and
// renames it over path, so that a crash or a full disk never leaves a
// half-written file in place. Creates missing parent folders. On failure the
// old file is untouched, the temporary file removed, and error says why.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::string* error = nullptr);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& contents);

}  // namespace corvane
