#include "settings/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define CORVANE_POSIX_FILES 1
#endif

namespace corvane {
namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

#ifdef CORVANE_POSIX_FILES
// Writes through a file descriptor so that the data can be synced before the
// rename: otherwise a power cut may leave an empty file under the final name.
bool WriteAndSync(const fs::path& tmp, std::string_view contents, std::string* error) {
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    SetError(error, std::strerror(errno));
    return false;
  }
  const char* p = contents.data();
  size_t left = contents.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetError(error, n < 0 ? std::strerror(errno) : "short write");
      ::close(fd);
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    SetError(error, std::strerror(errno));
    ::close(fd);
    return false;
  }
  if (::close(fd) != 0) {
    SetError(error, std::strerror(errno));
    return false;
  }
  return true;
}
#else
bool WriteAndSync(const fs::path& tmp, std::string_view contents, std::string* error) {
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.flush();
  if (!out) {
    SetError(error, "write failed");
    return false;
  }
  return true;
}
#endif

}  // namespace

bool WriteFileAtomically(const fs::path& path, std::string_view contents, std::string* error) {
  std::error_code ec;
  if (path.has_parent_path()) {
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
      SetError(error, ec.message());
      return false;
    }
  }
  fs::path tmp = path;
  tmp += ".tmp";
#ifdef CORVANE_POSIX_FILES
  tmp += std::to_string(::getpid());
#endif
  if (!WriteAndSync(tmp, contents, error)) {
    fs::remove(tmp, ec);
    return false;
  }
  fs::rename(tmp, path, ec);
  if (ec) {
    SetError(error, ec.message());
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

bool ReadWholeFile(const fs::path& path, std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  contents = std::move(data);
  return true;
}

}  // namespace corvane
