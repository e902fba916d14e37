// Helpers for tests of forms and controls: a headless application, keys and clicks delivered as
// Qt events (so focus rules, key routing and native handling all take part), running the event
// loop until it is idle, and screenshots of a form.
#pragma once

#include "rtl/Classes.h"
#include "ui/kernel/Controls.h"

class TCustomForm;

namespace vt {

// A QApplication on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
void EnsureTestApplication();
// Runs posted events until none are left (or a few rounds have passed).
void ProcessEventsUntilIdle();

// Mouse at a client position of the control; (-1, -1) means its centre.
void ClickControl(TControl* control, int x = -1, int y = -1, TMouseButton button = mbLeft);
void DoubleClickControl(TControl* control, int x = -1, int y = -1);
void PressMouse(TControl* control, int x, int y, TMouseButton button = mbLeft);
void ReleaseMouse(TControl* control, int x, int y, TMouseButton button = mbLeft);
void MoveMouse(TControl* control, int x, int y);
void MouseEnter(TControl* control);
void MouseLeave(TControl* control);

// A key press and release sent to the control's widget; the text is the character typed
// (0: the key's own character for letters, digits, Enter, Esc, Tab, Backspace and space).
void SendKey(TWinControl* control, WORD key, TShiftState shift = {}, char text = 0);
// Types every character of text into the control.
void TypeText(TWinControl* control, const String& text);
// The same keys queued behind whatever is pending, as a fast typist's keys wait for the program.
void PostText(TWinControl* control, const String& text);
// A left click queued for the control (press and release at a client position).
void PostClick(TControl* control, int x = -1, int y = -1);
// The control whose widget has Qt's keyboard focus, or nullptr.
TControl* QtFocusedControl();

// What the desktop's accessibility interface reports for the control: its role ("label",
// "button", "edit", "table", "client", else the role's number), name and description.
struct AccessibleInfo {
    String Role;
    String Name;
    String Description;
};
AccessibleInfo Accessible(TControl* control);

// Local files dropped onto the control from the desktop (drag enter, then drop).
void DropFiles(TControl* control, const std::vector<String>& files);

// Saves the form's client area as a PNG file; false when it could not be written.
bool SaveScreenshot(TCustomForm* form, const String& fileName);

}  // namespace vt
