// Runs a program as a separate process with a changed environment, for
// tests and benchmarks that drive the suite's program as the suite does;
// or several at one instant.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace vext::test {

struct ChildRun {
  int status = -1;        // exit status; -1 when it did not exit normally
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user + system
  double peakMiB = 0;     // maximum resident set
};

// The argument and environment vectors of a child: `program` and `args`,
// and this process's environment changed by `overrides`.
class ChildCommand {
 public:
  ChildCommand(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& overrides) {
    for (char** entry = environ; *entry; ++entry) {
      const std::string text = *entry;
      if (!overrides.count(text.substr(0, text.find('=')))) m_env.push_back(text);
    }
    for (const auto& [name, value] : overrides) m_env.push_back(name + '=' += value);
    m_args = {program};
    m_args.insert(m_args.end(), args.begin(), args.end());
    for (std::string& entry : m_env) m_envp.push_back(entry.data());
    m_envp.push_back(nullptr);
    for (std::string& arg : m_args) m_argv.push_back(arg.data());
    m_argv.push_back(nullptr);
  }
  ChildCommand(const ChildCommand&) = delete;
  ChildCommand& operator=(const ChildCommand&) = delete;

  const char* program() const { return m_args.front().c_str(); }
  char* const* argv() const { return m_argv.data(); }
  char* const* envp() const { return m_envp.data(); }

 private:
  std::vector<std::string> m_env, m_args;
  std::vector<char*> m_envp, m_argv;
};

// Runs `program` (looked up on PATH when it has no '/') with `args` and the
// environment changed by `overrides`; with `quiet` its output is dropped.
inline ChildRun Spawn(const std::string& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& overrides = {},
                      bool quiet = false) {
  const ChildCommand command(program, args, overrides);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  ChildRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned =
      posix_spawnp(&pid, command.program(), &actions, nullptr, command.argv(), command.envp());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
  const auto toSeconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  run.cpuSeconds = toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
  return run;
}

// Children that start one program at one instant: each is made ready
// (forked, waiting) by Add, and all run it once Go is called. The
// destructor kills and reaps those still running.
class StartingGate {
 public:
  StartingGate() {
    if (pipe(m_gate) != 0) m_gate[0] = m_gate[1] = -1;
  }
  ~StartingGate() {
    Go();
    for (pid_t pid : m_pending) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  StartingGate(const StartingGate&) = delete;
  StartingGate& operator=(const StartingGate&) = delete;

  // A child that runs `program` as Spawn would, once the gate opens;
  // false when it cannot be made.
  bool Add(const std::string& program, const std::vector<std::string>& args,
           const std::map<std::string, std::string>& overrides = {}) {
    if (m_gate[1] < 0) return false;
    const ChildCommand command(program, args, overrides);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
      close(m_gate[1]);
      char byte;
      ssize_t got;
      do got = read(m_gate[0], &byte, 1);
      while (got > 0 || (got < 0 && errno == EINTR));
      execvpe(command.program(), command.argv(), command.envp());
      _exit(127);
    }
    m_pending.push_back(pid);
    return true;
  }

  // Opens the gate: every child starts its program now.
  void Go() {
    for (int& fd : m_gate) {
      if (fd >= 0) close(fd);
      fd = -1;
    }
  }

  // Waits up to `timeout` for a child to end; its exit status (-1 when it
  // did not exit normally), or nullopt when none ended in time.
  std::optional<int> NextExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        int status = 0;
        if (waitpid(*it, &status, WNOHANG) == *it) {
          m_pending.erase(it);
          return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
      }
      if (m_pending.empty() || std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      usleep(2000);
    }
  }

  std::size_t running() const { return m_pending.size(); }

 private:
  int m_gate[2];
  std::vector<pid_t> m_pending;
};

}  // namespace vext::test
