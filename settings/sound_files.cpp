#include "settings/sound_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace corvane {

namespace {
bool MatchesSoundMask(const std::string& name) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos || name.size() < dot + 4) return false;
  std::string tail = name.substr(name.size() - 3);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == "wav";
}
}  // namespace

std::string FolderPrefixOf(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::vector<std::string> ListSoundFiles(const std::string& folderPrefix) {
  std::vector<std::string> files;
  std::error_code ec;
  const std::filesystem::path folder = folderPrefix.empty() ? std::filesystem::path(".") : std::filesystem::path(folderPrefix);
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (it->is_directory(ec) || !MatchesSoundMask(name)) continue;
    files.push_back(folderPrefix + name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace corvane
