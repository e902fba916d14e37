// The file and directory edits: the file name text and its quoting, the dialogs their buttons
// open, and files dropped from the desktop.
#include "components/edits/ToolEditFile.h"
#include "rtl/TypInfo.h"

#include "components/system/FileUtil.h"
#include "components/common/vtGuiutils.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "ui/dialogs/PictureDialogs.h"
#include "ui/kernel/WinApi.h"

namespace {
const char* const kDefaultFilter = "All files (*.*)|*.*";
const char* const kDefaultTitle = "Browse";

// A name with a space is shown in double quotes, unless it is quoted already.
String QuotedFileName(const String& Name)
{
    if (Name.find(' ') != String::npos && (Name.empty() || Name[0] != '"'))
        return Format("\"%s\"", {Name});
    return Name;
}

// The file part of a text read as a command line.
String ClipFileName(const String& Text)
{
    String name, params;
    SplitCommandLine(Text, name, params);
    return name;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TFileDirEdit

TFileDirEdit::TFileDirEdit(TComponent* AOwner) : TCustomComboEdit(AOwner) { SetGlyphKind(gkDefault); }

TBitmap* TFileDirEdit::GetDefaultBitmap(bool& DestroyNeeded)
{
    DestroyNeeded = false;
    return vt::SharedBitmap("FEDITBMP");
}

void TFileDirEdit::SetAcceptFiles(bool Value)
{
    if (Value == FAcceptFiles)
        return;
    FAcceptFiles = Value;
    if (!ComponentState().Contains(csDesigning))
        DragAcceptFiles(Widget(), Value);
}

void TFileDirEdit::DoBeforeDialog(String& FileName, bool& Action)
{
    if (OnBeforeDialog)
        OnBeforeDialog(this, FileName, Action);
}

void TFileDirEdit::DoAfterDialog(String& FileName, bool& Action)
{
    if (OnAfterDialog)
        OnAfterDialog(this, FileName, Action);
}

void TFileDirEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DROPFILES)
        DropFiles(Message);
    else
        TCustomComboEdit::WndProc(Message);
}

// Only the first dropped name counts unless several folders are allowed; the drop is released
// whatever happens.
void TFileDirEdit::DropFiles(TMessage& Message)
{
    auto drop = reinterpret_cast<HDROP>(Message.WParam);
    try {
        const int count = DragQueryFileCount(drop);
        if (count > 0)
            ClearFileList();
        for (int i = 0; i < count; ++i) {
            ReceptFileDir(DragQueryFile(drop, i));
            if (!FMultipleDirs)
                break;
        }
        if (OnDropFiles)
            OnDropFiles(this);
    } catch (...) {
        DragFinish(drop);
        throw;
    }
    DragFinish(drop);
}

// ---------------------------------------------------------------------------------------------
// TFilenameEdit

TFilenameEdit::TFilenameEdit(TComponent* AOwner) : TFileDirEdit(AOwner) { CreateEditDialog(); }

void TFilenameEdit::SetDialogKind(TFileDialogKind Value)
{
    if (Value == FDialogKind)
        return;
    FDialogKind = Value;
    CreateEditDialog();
}

// A new dialog takes over the settings of the one it replaces.
void TFilenameEdit::CreateEditDialog()
{
    TOpenDialog* dialog = NewDialog(FDialogKind);
    if (FDialog) {
        dialog->SetTitle(FDialog->Title());
        dialog->SetOptions(FDialog->Options());
        dialog->SetFileName(FDialog->FileName());
        dialog->SetFilter(FDialog->Filter());
        dialog->SetFilterIndex(FDialog->FilterIndex());
        dialog->SetInitialDir(FDialog->InitialDir());
        dialog->SetHistoryList(FDialog->HistoryList());
        dialog->SetFileEditStyle(FDialog->FileEditStyle());
        dialog->SetDefaultExt(FDialog->DefaultExt());
        delete FDialog;
    } else {
        dialog->SetTitle(kDefaultTitle);
        dialog->SetFilter(kDefaultFilter);
        dialog->SetOptions(TOpenOptions{ofHideReadOnly});
    }
    FDialog = dialog;
}

TOpenDialog* TFilenameEdit::NewDialog(TFileDialogKind Kind)
{
    switch (Kind) {
    case dkSave: return new TSaveDialog(this);
    case dkOpenPicture: return new TOpenPictureDialog(this);
    case dkSavePicture: return new TSavePictureDialog(this);
    default: return new TOpenDialog(this);
    }
}

String TFilenameEdit::FileName() const
{
    const String text = Text();
    if (text == FSetText)
        return FSetName;
    return FileExists(text) ? text : ClipFileName(text);
}

void TFilenameEdit::SetFileName(const String& Value)
{
    if (!Value.empty() && !ValidFileName(ClipFileName(Value)))
        throw EComboEditError(Format("Invalid file name - %s", {Value}));
    FSetName = Value;
    FSetText = QuotedFileName(Value);
    SetText(FSetText);
    DoChange();
}

void TFilenameEdit::SetDialogOptions(TOpenOptions Value)
{
    FDialog->SetOptions(Value);
    FMultipleDirs = Value.Contains(ofAllowMultiSelect);
}

String TFilenameEdit::GetLongName() { return ShortToLongFileName(FileName()); }

String TFilenameEdit::GetShortName() { return LongToShortFileName(FileName()); }

void TFilenameEdit::ClearFileList() { FDialog->Files()->Clear(); }

void TFilenameEdit::ReceptFileDir(const String& AFileName)
{
    if (!FMultipleDirs) {
        SetFileName(AFileName);
        return;
    }
    if (FDialog->Files()->Count() == 0)
        SetFileName(AFileName);
    FDialog->Files()->Add(AFileName);
}

// The dialog starts in the folder of the file shown and on its name; a confirmed choice becomes
// the text and its folder the next start.
void TFilenameEdit::ButtonClick()
{
    TFileDirEdit::ButtonClick();
    String temp = FileName();
    bool action = true;
    DoBeforeDialog(temp, action);
    if (!action)
        return;
    if (ValidFileName(temp)) {
        if (const String dir = ExtractFilePath(temp); DirectoryExists(dir))
            SetInitialDir(dir);
        if (!ValidFileName(ExtractFileName(temp)))
            temp.clear();
        FDialog->SetFileName(temp);
    }
    action = FDialog->Execute();
    if (action)
        temp = FDialog->FileName();
    if (CanFocus())
        SetFocus();
    DoAfterDialog(temp, action);
    if (!action)
        return;
    SetFileName(temp);
    SetInitialDir(ExtractFilePath(temp));
}

// ---------------------------------------------------------------------------------------------
// TDirectoryEdit

TDirectoryEdit::TDirectoryEdit(TComponent* AOwner) : TFileDirEdit(AOwner) {}

void TDirectoryEdit::AddDirectory(const String& Dir)
{
    if (FMultipleDirs && !Text().empty())
        SetText(Text() + ";" + Dir);
    else
        SetText(Dir);
}

// The dialog starts in the folder shown (else the initial one, else the root); a confirmed
// choice replaces the text or, with several folders, is added to it.
void TDirectoryEdit::ButtonClick()
{
    TFileDirEdit::ButtonClick();
    String temp = Text();
    bool action = true;
    DoBeforeDialog(temp, action);
    if (!action)
        return;
    if (temp.empty())
        temp = FInitialDir.empty() ? "/" : FInitialDir;
    if (!DirectoryExists(temp))
        temp = "/";
    action = FDialogKind == dkWin32 ? BrowseDirectory(temp, FDialogText) : SelectDirectory(temp, FDialogOptions);
    if (CanFocus())
        SetFocus();
    DoAfterDialog(temp, action);
    if (!action)
        return;
    SetSelLength(0);
    AddDirectory(temp);
    if (DirectoryExists(temp))
        FInitialDir = temp;
}

void TDirectoryEdit::ReceptFileDir(const String& AFileName)
{
    AddDirectory(DirectoryExists(AFileName) ? AFileName : ExtractFileDir(AFileName));
}

String TDirectoryEdit::ConvertDirs(const std::function<String(const String&)>& Convert)
{
    if (!FMultipleDirs)
        return Convert(Text());
    String result;
    const String text = Text();
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(';', start);
        if (end == String::npos)
            end = text.size();
        if (const String part = Convert(text.substr(start, end - start)); !part.empty())
            result += (result.empty() ? "" : ";") + part;
        start = end + 1;
    }
    return result;
}

String TDirectoryEdit::GetLongName() { return ConvertDirs(ShortToLongPath); }

String TDirectoryEdit::GetShortName() { return ConvertDirs(LongToShortPath); }

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TFileDialogKind> kFileDialogKind{"TFileDialogKind",
                                                            {"dkOpen", "dkSave", "dkOpenPicture", "dkSavePicture"}};
const vt::EnumRegistration<TDirDialogKind> kDirDialogKind{"TDirDialogKind", {"dkLibrary", "dkWin32"}};
const vt::EnumRegistration<TOpenOption> kOpenOption{
    "TOpenOption",
    {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
     "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
     "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
     "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"}};
const vt::EnumRegistration<TFileEditStyle> kFileEditStyle{"TFileEditStyle", {"fsEdit", "fsComboBox"}};
const vt::EnumRegistration<TSelectDirOpt> kSelectDirOpt{"TSelectDirOpt",
                                                        {"sdAllowCreate", "sdPerformCreate", "sdPrompt"}};
const vt::ClassRegistration<TFileDirEdit, TCustomComboEdit> kFileDirEdit{
    "TFileDirEdit", {vt::Published("AcceptFiles", &TFileDirEdit::AcceptFiles, &TFileDirEdit::SetAcceptFiles)}};
const vt::ClassRegistration<TFilenameEdit, TFileDirEdit> kFilenameEdit{
    "TFilenameEdit",
    {
        vt::Published("DialogKind", &TFilenameEdit::DialogKind, &TFilenameEdit::SetDialogKind),
        vt::Published("DefaultExt", &TFilenameEdit::DefaultExt, &TFilenameEdit::SetDefaultExt),
        vt::Published("FileName", &TFilenameEdit::FileName, &TFilenameEdit::SetFileName),
        vt::Published("Filter", &TFilenameEdit::Filter, &TFilenameEdit::SetFilter),
        vt::Published("FilterIndex", &TFilenameEdit::FilterIndex, &TFilenameEdit::SetFilterIndex),
        vt::Published("InitialDir", &TFilenameEdit::InitialDir, &TFilenameEdit::SetInitialDir),
        vt::Published("DialogOptions", &TFilenameEdit::DialogOptions, &TFilenameEdit::SetDialogOptions),
        vt::Published("FileEditStyle", &TFilenameEdit::FileEditStyle, &TFilenameEdit::SetFileEditStyle),
        vt::Published("DialogTitle", &TFilenameEdit::DialogTitle, &TFilenameEdit::SetDialogTitle),
        vt::Published("HistoryList", &TFilenameEdit::HistoryList, &TFilenameEdit::SetHistoryList),
    }};
const vt::ClassRegistration<TDirectoryEdit, TFileDirEdit> kDirectoryEdit{
    "TDirectoryEdit",
    {
        vt::Published("MultipleDirs", &TDirectoryEdit::MultipleDirs, &TDirectoryEdit::SetMultipleDirs),
        vt::Published("InitialDir", &TDirectoryEdit::InitialDir, &TDirectoryEdit::SetInitialDir),
        vt::Published("DialogText", &TDirectoryEdit::DialogText, &TDirectoryEdit::SetDialogText),
        vt::Published("DialogKind", &TDirectoryEdit::DialogKind, &TDirectoryEdit::SetDialogKind),
        vt::Published("DialogOptions", &TDirectoryEdit::DialogOptions, &TDirectoryEdit::SetDialogOptions),
    }};
}  // namespace
