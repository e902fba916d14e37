// WinExec over posix_spawnp: the program is the command line's first word, the rest its
// arguments, split by the Windows rules; "explorer" stands for the desktop's opener, xdg-open.
#include "win/shell/Shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


extern char** environ;

namespace {

std::vector<String>* recordedCommands = nullptr;

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
  std::vector<String> words = vt::CommandLineToArgs(commandLine);
  if (words.empty()) return ERROR_FILE_NOT_FOUND;
  if (SameText(words[0], "explorer")) words[0] = "xdg-open";

  std::vector<char*> argv;
  for (String& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return SpawnDetached(argv.data()) ? 33 : ERROR_FILE_NOT_FOUND;
}

namespace vt {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program: up to the closing quote when it starts with one, else up to a blank.
String ProgramWord(const String& s, size_t& i) {
  String word;
  if (s[i] == '"') {
    const size_t close = s.find('"', i + 1);
    word = s.substr(i + 1, close == String::npos ? String::npos : close - i - 1);
    i = close == String::npos ? s.size() : close + 1;
  } else {
    while (i < s.size() && !IsBlank(s[i])) word += s[i++];
  }
  return word;
}

// One argument from i; ends at a blank outside quotes.
String ArgumentWord(const String& s, size_t& i) {
  String word;
  bool quoted = false;
  while (i < s.size() && (quoted || !IsBlank(s[i]))) {
    size_t backslashes = 0;
    while (i < s.size() && s[i] == '\\') ++backslashes, ++i;
    if (i < s.size() && s[i] == '"') {
      word.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) word += '"';
      else quoted = !quoted;
      ++i;
    } else {
      word.append(backslashes, '\\');
      if (i < s.size() && (quoted || !IsBlank(s[i]))) word += s[i++];
    }
  }
  return word;
}

}  // namespace

std::vector<String> CommandLineToArgs(const String& commandLine) {
  std::vector<String> words;
  size_t i = 0;
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  if (i == commandLine.size()) return words;
  words.push_back(ProgramWord(commandLine, i));
  for (;;) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i == commandLine.size()) return words;
    words.push_back(ArgumentWord(commandLine, i));
  }
}

void RecordWinExecForTests(std::vector<String>* commands) { recordedCommands = commands; }

}  // namespace vt
