// A second copy of Vantrel on the camp database in the given folder, driven by the lines of a
// copy script (tests/app/CopyScript.h) read from standard input until "quit".
// Usage: vt_second_copy_driver <folder>
// The program's start is answered "ok"; each line then by what it showed, one line each, and "ok".
#include <cstdio>
#include <iostream>

#include "tests/app/CopyScript.h"
#include "ui/testing/UiTesting.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  vt::test::StartCopyIn(argv[1]);
  vt::test::CopyScript copy;
  std::printf("ok\n");
  std::fflush(stdout);
  for (String line; std::getline(std::cin, line) && line != "quit";) {
    for (const String& shown : copy.Run(line)) std::printf("%s\n", shown.c_str());
    std::printf("ok\n");
    std::fflush(stdout);
  }
  return 0;
}
