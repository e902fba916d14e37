// What a copy of Vantrel does to the records in its editors, as lines of a small script, so that
// a test can interleave two copies of the program on one file (one of them in a process of its
// own, see SecondCopyDriver.cpp):
//   open attendee|chaperone|session <key>   the record's editor, as the main window's Edit opens it
//   page <tab sheet>                         the editor's page brought to the front
//   type <control> <text>                    the text typed over what the editor's control shows
//   pick <control> <item>                    the item chosen in the editor's combo box
//   click <control> [yes|no|cancel|ok ...]   the editor's button clicked, the boxes answered in order
//   hold | release                           a write transaction begun and left open, rolled back
// Run gives the boxes a line showed ("Caption: Text", one line each) and what it raised.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

class TForm;
class TWinControl;

namespace vt::test {

class CopyScript {
public:
  std::vector<String> Run(const String& line);

private:
  void Open(const String& editor, int key);
  TWinControl* Control(const String& name);

  TForm* open_ = nullptr;
};

}  // namespace vt::test
