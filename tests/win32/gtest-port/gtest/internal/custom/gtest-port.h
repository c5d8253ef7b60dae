// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// GoogleTest's own hook for platform adjustments, taking the place of its empty
// default for the Win32 tests. MinGW-w64's default C++ library (win32 threads)
// has no std::mutex or std::condition_variable, on which GoogleTest builds its
// Notification; GoogleTest itself waits on one only in the thread tests of its
// own suite, so a flag does here.
#ifndef FROSTLANE_WIN32_TESTS_GTEST_PORT_H_
#define FROSTLANE_WIN32_TESTS_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // FROSTLANE_WIN32_TESTS_GTEST_PORT_H_
