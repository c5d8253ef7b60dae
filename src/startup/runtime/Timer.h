// A timer control of a form: while enabled it fires its handler every Interval
// milliseconds on the form's thread. Enabling can fail (no window, no timer left);
// it then stays disabled.
#pragma once

#include <functional>

#include "Form.h"

namespace runtime {

class Timer {
 public:
  Timer(Form& owner, int id, int intervalMilliseconds, std::function<void()> handler);

  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  int Id() const { return id_; }

  // Starts or stops the timer; false when it cannot be started.
  bool SetEnabled(bool enabled);

  void Fire() { handler_(); }

 private:
  Form& owner_;
  int id_;
  int interval_;
  bool enabled_ = false;
  std::function<void()> handler_;
};

}  // namespace runtime
