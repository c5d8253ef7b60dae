// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "WholeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace render {

namespace {

// Pictures are for everyone to read, like files made with the usual umask.
constexpr mode_t kPictureMode = 0644;

bool WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = EIO;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    error = "not a regular file";
    return false;
  }
  std::string partial = path + ".XXXXXX";
  const int descriptor = ::mkstemp(partial.data());
  if (descriptor < 0) {
    error = std::strerror(errno);
    return false;
  }
  bool ok = WriteAll(descriptor, bytes) && ::fchmod(descriptor, kPictureMode) == 0;
  int reason = errno;
  // Closing may be the first to report a full disk.
  if (::close(descriptor) != 0 && ok) {
    ok = false;
    reason = errno;
  }
  if (ok && ::rename(partial.c_str(), path.c_str()) == 0) return true;
  if (ok) reason = errno;
  error = std::strerror(reason);
  ::unlink(partial.c_str());
  return false;
}

}  // namespace render
