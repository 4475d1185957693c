#include "platform/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scen::platform {
namespace {

// Opens `name` (the null device when empty) onto descriptor `target`, in
// the child before exec; false when it cannot.
bool redirect(const std::filesystem::path& name, int flags, int target) {
  const int fd = ::open(name.empty() ? "/dev/null" : name.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (::dup2(fd, target) < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace

int run_program(const ProgramRun& run, std::string& why) {
  // Everything the child needs is made before the fork: after it, only
  // calls safe between fork and exec.
  const std::string program = run.program.native();
  std::vector<std::string> words{program};
  words.insert(words.end(), run.arguments.begin(), run.arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const int writing = O_WRONLY | O_CREAT | O_TRUNC;

  const pid_t child = ::fork();
  if (child < 0) {
    why = std::strerror(errno);
    return -1;
  }
  if (child == 0) {
    if ((!run.directory.empty() && ::chdir(run.directory.c_str()) != 0) || !redirect({}, O_RDONLY, 0) ||
        !redirect(run.output_file, writing, 1) || !redirect(run.error_file, writing, 2))
      ::_exit(127);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      why = std::strerror(errno);
      return -1;
    }
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  why = std::string("ended by signal ") + std::to_string(WTERMSIG(status));
  return -1;
}

}  // namespace scen::platform
