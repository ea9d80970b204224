// A second process that holds a named mutex until the holder goes, as
// another program of the suite holding its instance mutex would.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/system/NamedMutex.h"

namespace vext::testing {

class MutexHolder {
 public:
  explicit MutexHolder(const char* name) {
    int fds[2];
    if (pipe(fds) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      const auto mutex = vext::NamedMutex::Create(name);
      const char ok = mutex ? '1' : '0';
      if (write(fds[1], &ok, 1) != 1) _exit(1);
      for (;;) pause();
    }
    close(fds[1]);
    char ok = '0';
    m_started = m_pid > 0 && read(fds[0], &ok, 1) == 1 && ok == '1';
    close(fds[0]);
  }
  ~MutexHolder() { Kill(); }
  MutexHolder(const MutexHolder&) = delete;
  MutexHolder& operator=(const MutexHolder&) = delete;

  // Whether the other process made the mutex and holds it.
  bool started() const { return m_started; }
  // Ends the other process as a crash would, without letting go first.
  void Kill() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  bool m_started = false;
};

}  // namespace vext::testing
