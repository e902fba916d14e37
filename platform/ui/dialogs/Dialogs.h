// Message boxes and the common dialogs: MessageDlg, ShowMessage, the application's message box,
// the file open/save dialogs and directory selection. With a vt::DialogResponder installed they
// are answered from its queue instead of being shown.
#pragma once

#include <vector>

#include "rtl/Classes.h"

class QFileDialog;
class TStrings;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = Set<TMsgDlgBtn>;
const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Returns the modal result of the button pressed (mrYes, mrNo, mrOk ...).
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, long HelpCtx);
// The caption is the application's title.
void ShowMessage(const String& Msg);
// Picks a folder; true with Directory set when the user chose one.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);
enum TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = Set<TSelectDirOpt>;
// Picks a folder starting at Directory. A folder that does not exist is taken only with
// sdAllowCreate (else the dialog comes back); sdPrompt asks first, No returning to the dialog;
// sdPerformCreate makes it. True with Directory set when the user chose one.
bool SelectDirectory(String& Directory, TSelectDirOpts Options);

enum TOpenOption { ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
                   ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
                   ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
                   ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing };
using TOpenOptions = Set<TOpenOption>;
// fsComboBox: the dialog's name field is a combo box whose list holds the history list.
enum TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    // Shows the dialog; true when the user chose a file (FileName holds it).
    virtual bool Execute();

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    // "Description|*.ext;*.ext2|Description2|*.other"
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& v) { FInitialDir = v; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& v) { FDefaultExt = v; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    // ofAllowMultiSelect lets the user choose several files: Files holds them all, FileName
    // the first.
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }
    TStrings* Files() const { return FFiles; }
    // Offered in the dialog's "Look in" list, and with fsComboBox in its name field's list.
    TStrings* HistoryList() const { return FHistoryList; }
    void SetHistoryList(TStrings* v);
    TFileEditStyle FileEditStyle() const { return FFileEditStyle; }
    void SetFileEditStyle(TFileEditStyle v) { FFileEditStyle = v; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    bool ExecuteAs(bool save);
    // Called with the dialog set up, before it shows: a chance to add to it.
    virtual void PrepareDialog(QFileDialog& dialog) {}

private:
    bool ShowFileDialog(bool save, std::vector<String>& chosen);
    String WithDefaultExt(const String& name) const;
    String FFileName;
    String FFilter;
    int FFilterIndex = 1;
    String FInitialDir;
    String FDefaultExt;
    String FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    TFileEditStyle FFileEditStyle = fsEdit;
    TStrings* FFiles;
    TStrings* FHistoryList;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};

namespace vt {
// The one road every box takes: the responder when installed, else a Qt message box.
// Buttons are modal results (mrOk, mrYes ...); returns the one chosen.
int ShowMessageBox(const String& kind, const String& text, const String& caption, TMsgDlgType type,
                   const std::vector<int>& buttons);
// The help stand-in: shows which help file and topic were asked for.
void ShowHelp(const String& helpFile, unsigned command, long data);
}  // namespace vt
