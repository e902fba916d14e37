// The test responder for message boxes and file dialogs: a test queues the answers and reads back
// every box that was shown. While one is installed no real dialog appears; a box shown with no
// answer queued fails the test (EUnexpectedDialog, and an abort if that exception was swallowed).
#pragma once

#include <deque>
#include <stdexcept>
#include <vector>

#include "rtl/StrUtils.h"
#include "ui/dialogs/Dialogs.h"

namespace vt {

class EUnexpectedDialog : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct ShownDialog {
    String Kind;     // "MessageBox", "MessageDlg", "ShowMessage", "Open", "Save", "SelectDirectory", "Help"
    String Text;     // message text; for file dialogs the filter; for help the help file
    String Caption;  // box caption or dialog title
    TMsgDlgType Type = mtCustom;
    std::vector<int> Buttons;  // modal results offered, in the order shown
    String InitialDir;
    String FileName;  // the file name the dialog started with
};

class DialogResponder {
public:
    DialogResponder();
    ~DialogResponder();
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;

    // Answers for the next boxes, in order: a modal result (mrYes, mrOk, mrCancel ...).
    DialogResponder& Answer(int result);
    // A file or folder dialog that is confirmed with this path.
    DialogResponder& AnswerFile(const String& path);
    // The next box or dialog raises an Exception with this message instead of answering.
    DialogResponder& Raise(const String& message);

    const std::vector<ShownDialog>& Shown() const { return FShown; }
    const ShownDialog& Last() const;
    // A test that expects EUnexpectedDialog acknowledges it here.
    std::vector<String> TakeFailures();

    static DialogResponder* Current();
    // Platform side: records the box and returns the queued answer (and path).
    int Respond(const ShownDialog& shown, String* path);
    // Platform side: records a window that asks nothing (the help stand-in).
    void Record(const ShownDialog& shown) { FShown.push_back(shown); }

private:
    struct QueuedAnswer {
        int Result;
        String Path;
        bool Raises = false;
    };
    std::deque<QueuedAnswer> FAnswers;
    std::vector<ShownDialog> FShown;
    std::vector<String> FFailures;
    DialogResponder* FPrevious;
};

}  // namespace vt
