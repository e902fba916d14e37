// WinExec over posix_spawnp: the program is the command line's first word, the rest its
// arguments split at blanks; "explorer" stands for the desktop's opener, xdg-open.
#include "win/shell/Shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

extern char** environ;

namespace {

std::vector<String>* recordedCommands = nullptr;

std::vector<String> SplitAtBlanks(const String& commandLine) {
  std::vector<String> words;
  std::istringstream in(commandLine);
  for (String word; in >> word;) words.push_back(word);
  return words;
}

// The program is started by a short-lived intermediate child, so that it is nobody's child once
// that one has ended: WinExec does not wait for it, and its end leaves no zombie behind.
bool SpawnDetached(char* const argv[]) {
  const pid_t intermediate = fork();
  if (intermediate < 0) return false;
  if (intermediate == 0) {
    pid_t program = 0;
    _exit(posix_spawnp(&program, argv[0], nullptr, nullptr, argv, environ) == 0 ? 0 : 1);
  }
  int status = 0;
  if (waitpid(intermediate, &status, 0) != intermediate) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

UINT WinExec(const char* CmdLine, UINT CmdShow) {
  const String commandLine = CmdLine ? CmdLine : "";
  if (recordedCommands) {
    recordedCommands->push_back(commandLine);
    return 33;
  }
  std::vector<String> words = SplitAtBlanks(commandLine);
  if (words.empty()) return ERROR_FILE_NOT_FOUND;
  if (SameText(words[0], "explorer")) words[0] = "xdg-open";

  std::vector<char*> argv;
  for (String& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return SpawnDetached(argv.data()) ? 33 : ERROR_FILE_NOT_FOUND;
}

namespace vt {

void RecordWinExecForTests(std::vector<String>* commands) { recordedCommands = commands; }

}  // namespace vt
