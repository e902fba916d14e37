// Unit ToolEdit, the file and directory edits: combo edits whose button opens a file or folder
// dialog (TFilenameEdit, TDirectoryEdit, on their base TFileDirEdit), and which take files
// dropped from the desktop.
#pragma once

#include "components/edits/ToolEdit.h"
#include "ui/dialogs/Dialogs.h"

// Before and after the dialog: Name is the file or folder it works on, clearing Action stops it.
using TExecOpenDialogEvent = std::function<void(TObject* Sender, String& Name, bool& Action)>;

class TFileDirEdit : public TCustomComboEdit {
public:
    explicit TFileDirEdit(TComponent* AOwner);

    // Files dropped from the desktop reach ReceptFileDir.
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value);
    virtual String GetLongName() = 0;
    virtual String GetShortName() = 0;

    TNotifyEvent OnDropFiles;
    TExecOpenDialogEvent OnBeforeDialog;
    TExecOpenDialogEvent OnAfterDialog;

    void WndProc(TMessage& Message) override;

protected:
    virtual void ReceptFileDir(const String& AFileName) = 0;
    virtual void ClearFileList() {}
    TBitmap* GetDefaultBitmap(bool& DestroyNeeded) override;
    void DoBeforeDialog(String& FileName, bool& Action);
    void DoAfterDialog(String& FileName, bool& Action);
    bool FMultipleDirs = false;

private:
    void DropFiles(TMessage& Message);
    bool FAcceptFiles = false;
};

enum TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };

class TFilenameEdit : public TFileDirEdit {
public:
    explicit TFilenameEdit(TComponent* AOwner);

    TFileDialogKind DialogKind() const { return FDialogKind; }
    void SetDialogKind(TFileDialogKind Value);
    TOpenDialog* Dialog() const { return FDialog; }
    // The name last set while the text still shows it; else the text when it names an existing
    // file, else the file part of the text read as a command line.
    String FileName() const;
    // Raises "Invalid file name - %s" for a name the file system cannot take; a name with a
    // space is shown in double quotes.
    void SetFileName(const String& Value);
    String DefaultExt() const { return FDialog->DefaultExt(); }
    void SetDefaultExt(const String& Value) { FDialog->SetDefaultExt(Value); }
    String Filter() const { return FDialog->Filter(); }
    void SetFilter(const String& Value) { FDialog->SetFilter(Value); }
    int FilterIndex() const { return FDialog->FilterIndex(); }
    void SetFilterIndex(int Value) { FDialog->SetFilterIndex(Value); }
    String InitialDir() const { return FDialog->InitialDir(); }
    void SetInitialDir(const String& Value) { FDialog->SetInitialDir(Value); }
    // With ofAllowMultiSelect several dropped files all reach the dialog's file list.
    TOpenOptions DialogOptions() const { return FDialog->Options(); }
    void SetDialogOptions(TOpenOptions Value);
    TFileEditStyle FileEditStyle() const { return FDialog->FileEditStyle(); }
    void SetFileEditStyle(TFileEditStyle Value) { FDialog->SetFileEditStyle(Value); }
    String DialogTitle() const { return FDialog->Title(); }
    void SetDialogTitle(const String& Value) { FDialog->SetTitle(Value); }
    TStrings* DialogFiles() const { return FDialog->Files(); }
    TStrings* HistoryList() const { return FDialog->HistoryList(); }
    void SetHistoryList(TStrings* Value) { FDialog->SetHistoryList(Value); }

    String GetLongName() override;
    String GetShortName() override;

protected:
    void ButtonClick() override;
    void ReceptFileDir(const String& AFileName) override;
    void ClearFileList() override;

private:
    void CreateEditDialog();
    TOpenDialog* NewDialog(TFileDialogKind Kind);
    TOpenDialog* FDialog = nullptr;
    TFileDialogKind FDialogKind = dkOpen;
    // A name set is read back as it was set: quoting cannot hold a name with both a space and a
    // double quote.
    String FSetName;
    String FSetText;
};

enum TDirDialogKind { dkLibrary, dkWin32 };

class TDirectoryEdit : public TFileDirEdit {
public:
    explicit TDirectoryEdit(TComponent* AOwner);

    // The text is a ";"-separated list of folders, each choice or drop adding one.
    bool MultipleDirs() const { return FMultipleDirs; }
    void SetMultipleDirs(bool Value) { FMultipleDirs = Value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    const String& DialogText() const { return FDialogText; }
    void SetDialogText(const String& Value) { FDialogText = Value; }
    TDirDialogKind DialogKind() const { return FDialogKind; }
    void SetDialogKind(TDirDialogKind Value) { FDialogKind = Value; }
    // For the library's dialog: whether a folder that does not exist may be chosen, asked
    // about and created.
    TSelectDirOpts DialogOptions() const { return FDialogOptions; }
    void SetDialogOptions(TSelectDirOpts Value) { FDialogOptions = Value; }

    String GetLongName() override;
    String GetShortName() override;

protected:
    void ButtonClick() override;
    void ReceptFileDir(const String& AFileName) override;

private:
    void AddDirectory(const String& Dir);
    String ConvertDirs(const std::function<String(const String&)>& Convert);
    String FInitialDir;
    String FDialogText;
    TDirDialogKind FDialogKind = dkLibrary;
    TSelectDirOpts FDialogOptions;
};
