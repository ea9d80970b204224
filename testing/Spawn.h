// Runs a program as a separate process with a changed environment, for
// tests and benchmarks that drive the suite's program as the suite does.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
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

// Runs `program` (looked up on PATH when it has no '/') with `args` and the
// environment changed by `overrides`; with `quiet` its output is dropped.
inline ChildRun Spawn(const std::string& program, const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& overrides = {},
                      bool quiet = false) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    if (!overrides.count(text.substr(0, text.find('=')))) env.push_back(text);
  }
  for (const auto& [name, value] : overrides) env.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<std::string> argvStore = {program};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvStore) argv.push_back(arg.data());
  argv.push_back(nullptr);

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
      posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
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

}  // namespace vext::test
