// What a copy of Vantrel does in its windows, as lines of a small script, so that
// a test can interleave two copies of the program on one file (one of them in a process of its
// own, see SecondCopyDriver.cpp):
//   select attendee|chaperone|session <key> the record made current, as a click in its grid does
//   open attendee|chaperone|session <key>   the record's editor, as the main window's Edit opens it
//   main                                     the main window shown; its controls are used from now on
//   page <tab sheet>                         the page brought to the front, as a click on its tab
//   act <action> [answers]                   the action executed, as its menu item does
//   type <control> <text>                    the text typed over what the control shows
//   pick <control> <item>                    the item chosen in the combo box
//   click <control> [yes|no|cancel|ok ...]   the button clicked, the boxes answered in order
//   hold | release                           a write transaction begun and left open, rolled back
// Run gives the boxes a line showed ("Caption: Text", one line each) and what it raised.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

class TForm;
class TWinControl;

namespace vt::test {

// A copy of the program started on the camp database in the given folder, as a driver process
// starts it, left idle.
void StartCopyIn(const String& folder);

class CopyScript {
public:
  std::vector<String> Run(const String& line);

private:
  void Select(const String& editor, int key);
  void Open(const String& editor);
  TWinControl* Control(const String& name);

  TForm* open_ = nullptr;
};

}  // namespace vt::test
