#include "settings/app_paths.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace corvane {
namespace fs = std::filesystem;

namespace {
std::mutex pathMutex;
std::optional<std::string> cachedAppData;

fs::path XdgBase(const char* variable, const char* fallbackBelowHome) {
  const char* value = std::getenv(variable);
  if (value && *value && fs::path(value).is_absolute()) return value;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  return fs::path(home) / fallbackBelowHome;
}
}  // namespace

std::string AppDataPath() {
  std::lock_guard lock(pathMutex);
  if (cachedAppData) return *cachedAppData;
  fs::path base = XdgBase("XDG_DATA_HOME", ".local/share");
  std::error_code ec;
  fs::path folder = base / "Corvane Metronome";
  if (base.empty() || (fs::create_directories(folder, ec), ec) || !fs::is_directory(folder, ec))
    throw std::runtime_error("Error: cannot get Application Data folder path.");
  cachedAppData = folder.string() + "/";
  return *cachedAppData;
}

void ForgetAppDataPath() {
  std::lock_guard lock(pathMutex);
  cachedAppData.reset();
}

fs::path ProgramDataDir() {
  if (const char* dir = std::getenv("CORVANE_DATA_DIR"); dir && *dir) return dir;
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    fs::path beside = exe.parent_path() / "data";
    if (fs::is_directory(beside, ec)) return beside;
    fs::path shared = exe.parent_path().parent_path() / "share" / "corvane-metronome";
    if (fs::is_directory(shared, ec)) return shared;
  }
  return fs::current_path(ec);
}

}  // namespace corvane
