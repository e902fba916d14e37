// File-system helpers of the component library on "/" paths: the folder browser, file operations
// with a progress window that can be cancelled, copying and moving with progress, deleting by
// mask, clearing directories, path text helpers, file attributes and dates, advisory file locks,
// and launcher links (freedesktop ".desktop" files) in the desktop's special folders.
#pragma once

#include <cstdint>
#include <vector>

#include "rtl/DateTime.h"
#include "rtl/FileNames.h"
#include "ui/dialogs/FolderBrowser.h"
#include "ui/kernel/Controls.h"

enum TDialogPosition { dpDefault, dpScreenCenter };

// The folder browser: the platform's folder tree, starting on FolderName when it exists, OK
// only on an existing folder, a "&Help" button for a HelpContext other than 0.
class TBrowseFolderDlg : public TComponent {
public:
    explicit TBrowseFolderDlg(TComponent* AOwner) : TComponent(AOwner) {}
    // True with FolderName set (without a trailing "/") when the user chose a folder.
    bool Execute();

    const String& DialogText() const { return FDialogText; }
    void SetDialogText(const String& v) { FDialogText = v; }
    const String& FolderName() const { return FFolderName; }
    void SetFolderName(const String& v) { FFolderName = v; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }
    TDialogPosition Position() const { return FPosition; }
    void SetPosition(TDialogPosition v) { FPosition = v; }
    // The path of the folder selected in the running dialog; after it, the one chosen.
    const String& Selection() const { return FSelection; }

    TNotifyEvent OnInitialized;
    TNotifyEvent OnSelChanged;

private:
    void Initialize(vt::FolderBrowser& Browser);
    void SelectionChanged(vt::FolderBrowser& Browser, const String& Path);
    int FHelpContext = 0;
    TDialogPosition FPosition = dpScreenCenter;
    String FDialogText;
    String FSelection;
    String FFolderName;
};

bool BrowseDirectory(String& FolderName, const String& DialogText, int HelpContext = 0);

enum TFileOperation { foCopy, foDelete, foMove, foRename };
enum TFileOperFlag { flAllowUndo, flConfirmMouse, flFilesOnly, flMultiDest, flNoConfirmation, flNoConfirmMkDir,
                     flRenameOnCollision, flSilent, flSimpleProgress, flNoErrorUI };
using TFileOperFlags = Set<TFileOperFlag>;

// Copies, moves, renames or deletes the items of Source ("a;b" or "a|b", masks allowed in the
// file-name part) to Destination, showing a progress window titled ProgressTitle unless flSilent;
// its Cancel stops the operation, leaving the file being written as it was.
class TVtFileOperator : public TComponent {
public:
    explicit TVtFileOperator(TComponent* AOwner) : TComponent(AOwner) {}
    bool Execute();
    bool Aborted() const { return FAborted; }

    TFileOperation Operation() const { return FOperation; }
    void SetOperation(TFileOperation v) { FOperation = v; }
    TFileOperFlags Options() const { return FOptions; }
    void SetOptions(TFileOperFlags v) { FOptions = v; }
    const String& ProgressTitle() const { return FProgressTitle; }
    void SetProgressTitle(const String& v) { FProgressTitle = v; }
    const String& Source() const { return FSource; }
    void SetSource(const String& v) { FSource = v; }
    const String& Destination() const { return FDestination; }
    void SetDestination(const String& v) { FDestination = v; }

private:
    void Run();
    void ReportFailure(const String& Reason);
    bool FAborted = false;
    TFileOperation FOperation = foCopy;
    TFileOperFlags FOptions{flAllowUndo, flNoConfirmMkDir};
    String FProgressTitle;
    String FSource;
    String FDestination;
};

// One file; a destination that is a directory keeps the file's name. The copy is written under a
// temporary name beside the destination and renamed over it only when complete. ProgressControl
// (a progress bar, or nullptr) shows the bytes copied.
void CopyFile(const String& FileName, const String& DestName, TControl* ProgressControl = nullptr);
void CopyFileEx(const String& FileName, const String& DestName, bool OverwriteReadOnly, bool ShellDialog,
                TControl* ProgressControl = nullptr);
void MoveFile(const String& FileName, const String& DestName);
void MoveFileEx(const String& FileName, const String& DestName, bool ShellDialog);

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faDirectory = 0x10;

// -1 for a directory or a missing file.
std::int64_t GetFileSize(const String& FileName);
// The file's modification time; 0 (the null date) for a missing file.
TDateTime FileDateTime(const String& FileName);
// Read-only: the owner may not write; hidden: the name starts with ".".
bool HasAttr(const String& FileName, int Attr);

bool DeleteFiles(const String& FileMask);
bool DeleteFilesEx(const std::vector<String>& FileMasks);
bool ClearDir(const String& Path, bool Delete);

// "" stays ""; a name ending in "/" stays; anything else gets "/".
String NormalDir(const String& DirName);
// A trailing "/" goes, except from the root.
String RemoveBackSlash(const String& DirName);
bool DirExists(const String& Name);
String GetTempDir();
bool ValidFileName(const String& FileName);

// 0 on success, else the system's error code (EAGAIN while another handle holds the range).
int FileLock(int Handle, std::int64_t Offset, std::int64_t LockSize);
int FileUnlock(int Handle, std::int64_t Offset, std::int64_t LockSize);

// The file system keeps one name per file: the names are their own long and short forms.
String ShortToLongFileName(const String& ShortName);
String LongToShortFileName(const String& LongName);
String ShortToLongPath(const String& ShortName);
String LongToShortPath(const String& LongName);

// Special folders a link can be made in.
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PROGRAMS = 0x0002;
constexpr int CSIDL_STARTUP = 0x0007;
// A launcher "<DisplayName>.desktop" in the folder, opening FileName with its icon.
void CreateFileLink(const String& FileName, const String& DisplayName, int Folder);
void DeleteFileLink(const String& DisplayName, int Folder);
