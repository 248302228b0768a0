#include "batch/posix_shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zenkar {
namespace {

// Starts `program` (looked up on PATH) with its output on our standard error,
// in `working_folder` when one is given; its process id, or -1 when it could
// not be started.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args,
            const std::string& working_folder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  if (!working_folder.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, working_folder.c_str());
  }
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

}  // namespace

bool PosixShell::StartProgram(const std::string& program, const std::vector<std::string>& args,
                              const std::string& working_folder) {
  return Spawn(program, args, working_folder) > 0;
}

int PosixShell::RunProgram(const std::string& program, const std::vector<std::string>& args) {
  const pid_t pid = Spawn(program, args, "");
  if (pid <= 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  // The shell's "command not found" status: the program could not be started.
  return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
}

}  // namespace zenkar
