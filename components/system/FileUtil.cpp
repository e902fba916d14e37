// File utilities over the C++ file system library and POSIX: every copy is written under a
// temporary name beside its destination and renamed over it only when complete, so a copy or move
// that fails or is cancelled part way leaves the destination as it was. Links inside a copied
// folder are copied as links; a copy onto an existing link writes through it to the file it names.
#include "components/system/FileUtil.h"
#include "components/system/FileTrash.h"
#include "rtl/TypInfo.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "components/common/Vtconst.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/ResStrings.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kBlockSize = 8192;

// Called with the bytes copied so far after each block; raises to stop the copy.
using CopyProgress = std::function<void(std::int64_t copied)>;

// The platform's progress bar is the progress control the routines drive; sizes beyond its
// integer range are shown in KiB.
class ProgressDisplay {
public:
    ProgressDisplay(TControl* control, std::int64_t total) : FBar(dynamic_cast<TProgressBar*>(control))
    {
        while (total / FScale > INT_MAX)
            FScale *= 1024;
        if (FBar) {
            FBar->SetMin(0);
            FBar->SetMax(static_cast<int>(total / FScale));
            FBar->SetPosition(0);
        }
    }
    ~ProgressDisplay()
    {
        if (FBar)
            FBar->SetPosition(0);
    }
    void Show(std::int64_t done)
    {
        if (FBar)
            FBar->SetPosition(static_cast<int>(done / FScale));
    }

private:
    TProgressBar* FBar;
    std::int64_t FScale = 1;
};

struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool IsReadOnly(const String& name)
{
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

void MakeWritable(const String& name)
{
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0)
        ::chmod(name.c_str(), st.st_mode | S_IWUSR);
}

void WriteAll(int fd, const char* data, std::int64_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(fd, data, static_cast<std::size_t>(count));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EWriteError("Stream write error");
        data += n;
        count -= n;
    }
}

std::int64_t ReadBlock(int fd, char* data)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, kBlockSize);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            throw EReadError("Stream read error");
    }
}

[[noreturn]] void RaiseNotCopyable(const String& path)
{
    throw EFOpenError(Format("%s is no file, folder or link and is not copied", {path}));
}

// The pattern of a temporary name beside dest: "." + its name + ".XXXXXX", the name cut so that
// the whole stays within the longest name a file system takes.
String TempPattern(const String& dest)
{
    constexpr std::size_t kAdded = 8;
    return ExtractFilePath(dest) + "." + ExtractFileName(dest).substr(0, NAME_MAX - kAdded) + ".XXXXXX";
}

// The file a copy onto dest writes: dest itself, or, when dest is a link, the file the link names
// (the link stays, as a copy onto a link does where these routines come from).
String WriteTarget(const String& dest)
{
    constexpr int kMaxHops = 40;
    fs::path path = dest;
    std::error_code error;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        const fs::path named = fs::read_symlink(path, error);
        if (error || hops == kMaxHops)
            throw EFCreateError(Format("Cannot create file %s", {dest}));
        path = named.is_absolute() ? named : path.parent_path() / named;
    }
    return path.lexically_normal().string();
}

// The copy itself: source bytes into a temporary file beside dest, its date and mode from the
// source, flushed to disk, then renamed over dest. On any failure the temporary file goes. A
// source that is no regular file is refused before anything is read: a named pipe would wait
// for a writer for ever.
void CopyContents(const String& source, const String& destName, bool overwriteReadOnly, const CopyProgress& progress)
{
    FileDescriptor in;
    in.fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || S_ISDIR(st.st_mode))
        throw EFOpenError(Format("Cannot open file %s", {source}));
    if (!S_ISREG(st.st_mode))
        RaiseNotCopyable(source);
    ForceDirectories(ExtractFileDir(destName));
    const String dest = WriteTarget(destName);
    if (IsReadOnly(dest) && !overwriteReadOnly)
        throw EFCreateError(Format("Cannot create file %s", {dest}));

    String temp = TempPattern(dest);
    FileDescriptor out;
    out.fd = ::mkstemp(temp.data());
    if (out.fd < 0)
        throw EFCreateError(Format("Cannot create file %s", {dest}));
    try {
        std::vector<char> block(kBlockSize);
        std::int64_t copied = 0;
        for (;;) {
            const std::int64_t n = ReadBlock(in.fd, block.data());
            WriteAll(out.fd, block.data(), n);
            copied += n;
            progress(copied);
            if (n < kBlockSize)
                break;
        }
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(out.fd, times) != 0 || ::fchmod(out.fd, st.st_mode & 07777) != 0 || ::fsync(out.fd) != 0)
            throw EWriteError("Stream write error");
        if (::rename(temp.c_str(), dest.c_str()) != 0)
            throw EFCreateError(Format("Cannot create file %s", {dest}));
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

// A destination that is an existing directory takes the file under its own name.
String CopyTarget(const String& fileName, const String& destName)
{
    return DirExists(destName) ? NormalDir(destName) + ExtractFileName(fileName) : destName;
}

// The masks are "*" and "?"; every other character stands for itself, so the characters that
// fnmatch reads as its own syntax are escaped.
String FnmatchPattern(const String& mask)
{
    String pattern;
    for (char c : mask) {
        if (c == '[' || c == ']' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// "*.*" means every file, as on the system the masks come from.
bool MatchesMask(const String& name, const String& mask)
{
    return mask == "*.*" || ::fnmatch(FnmatchPattern(mask).c_str(), name.c_str(), FNM_PERIOD) == 0;
}

// Calls visit for each entry of a folder; false when the folder could not be read to its end.
bool ForEachEntry(const String& dir, const std::function<void(const fs::directory_entry&)>& visit)
{
    std::error_code error;
    fs::directory_iterator entry(dir, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error))
        visit(*entry);
    return !error;
}

// The entries of a folder that match the mask of "folder/mask", with their full paths.
std::vector<String> Matching(const String& pathMask, bool filesOnly)
{
    const String mask = ExtractFileName(pathMask);
    const String dir = ExtractFileDir(ExpandFileName(pathMask));
    std::vector<String> found;
    ForEachEntry(dir, [&](const fs::directory_entry& entry) {
        std::error_code error;
        if (filesOnly && entry.is_directory(error))
            return;
        if (MatchesMask(entry.path().filename().string(), mask))
            found.push_back(entry.path().string());
    });
    std::sort(found.begin(), found.end());
    return found;
}

bool HasMask(const String& name) { return ExtractFileName(name).find_first_of("*?") != String::npos; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Folder browser

bool TBrowseFolderDlg::Execute()
{
    vt::FolderBrowser browser;
    browser.SetText(FDialogText);
    browser.OnInitialized = [&] { Initialize(browser); };
    browser.OnSelChanged = [&](const String& path) { SelectionChanged(browser, path); };
    if (!browser.Execute())
        return false;
    FFolderName = RemoveBackSlash(browser.Folder());
    FSelection = FFolderName;
    return true;
}

void TBrowseFolderDlg::Initialize(vt::FolderBrowser& Browser)
{
    if (FPosition == dpScreenCenter)
        Browser.CenterOnScreen();
    if (DirExists(FFolderName))
        Browser.SetSelection(FFolderName);
    if (FHelpContext != 0)
        Browser.AddButton(LoadStr(SHelpButton), [this] { Application->HelpContext(FHelpContext); });
    if (OnInitialized)
        OnInitialized(this);
}

void TBrowseFolderDlg::SelectionChanged(vt::FolderBrowser& Browser, const String& Path)
{
    FSelection = Path;
    Browser.EnableOK(!Path.empty() && DirExists(Path));
    if (OnSelChanged)
        OnSelChanged(this);
}

bool BrowseDirectory(String& FolderName, const String& DialogText, int HelpContext)
{
    TBrowseFolderDlg dialog(nullptr);
    dialog.SetDialogText(DialogText);
    dialog.SetFolderName(FolderName);
    dialog.SetHelpContext(HelpContext);
    if (!dialog.Execute())
        return false;
    FolderName = dialog.FolderName();
    return true;
}

// ---------------------------------------------------------------------------------------------
// File operations

namespace {

// The window that shows a file operation's progress; Cancel is read between blocks. The program's
// other forms are disabled meanwhile, so nothing else starts while the operation turns the loop.
class TFileProgressWindow : public TForm {
public:
    TFileProgressWindow(const String& title, std::int64_t total) : TForm(nullptr)
    {
        SetBorderStyle(bsDialog);
        SetCaption(title);
        SetPosition(poScreenCenter);
        SetClientWidth(360);
        SetClientHeight(96);
        FFile = new TLabel(this);
        FFile->SetParent(this);
        FFile->SetBounds(12, 10, 336, 16);
        FBar = new TProgressBar(this);
        FBar->SetParent(this);
        FBar->SetBounds(12, 32, 336, 16);
        auto* cancel = new TButton(this);
        cancel->SetName("CancelButton");
        cancel->SetParent(this);
        cancel->SetCaption("Cancel");
        cancel->SetBounds(273, 60, 75, 25);
        cancel->OnClick = [this](TObject*) { FCancelled = true; };
        FProgress = new ProgressDisplay(FBar, total);
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TCustomForm* form = Screen->Forms(i); form != this && form->Enabled())
                FDisabled.push_back(form);
        for (TCustomForm* form : FDisabled)
            form->SetEnabled(false);
        Show();
    }
    ~TFileProgressWindow() override
    {
        delete FProgress;
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (std::find(FDisabled.begin(), FDisabled.end(), Screen->Forms(i)) != FDisabled.end())
                Screen->Forms(i)->SetEnabled(true);
    }

    void ShowFile(const String& name) { FFile->SetCaption(name); }
    void Step(std::int64_t done)
    {
        FProgress->Show(done);
        Application->ProcessMessages();
        if (FCancelled)
            Abort();
    }

private:
    TLabel* FFile;
    TProgressBar* FBar;
    ProgressDisplay* FProgress;
    std::vector<TCustomForm*> FDisabled;
    bool FCancelled = false;
};

std::vector<String> SplitItems(const String& list)
{
    std::vector<String> items;
    String item;
    for (char c : list + ";") {
        if (c == ';' || c == '|') {
            if (!Trim(item).empty())
                items.push_back(Trim(item));
            item.clear();
        } else {
            item += c;
        }
    }
    return items;
}

bool IsLink(const String& path)
{
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(path, error));
}

// A name is taken by anything, a link that names nothing included.
bool Taken(const String& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The bytes a copy of the item writes, for the progress bar: what cannot be read counts nothing.
std::int64_t BytesUnder(const String& path)
{
    std::error_code error;
    if (!fs::is_directory(path, error))
        return std::max<std::int64_t>(GetFileSize(path), 0);
    std::int64_t total = 0;
    fs::recursive_directory_iterator entry(path, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error))
        if (entry->is_regular_file(error) && !entry->is_symlink(error))
            total += static_cast<std::int64_t>(entry->file_size(error));
    return total;
}

// True when target is the folder itself or lies inside it, the folder seen through its links.
bool WithinFolder(const String& target, const String& folder)
{
    std::error_code error;
    const fs::path inner = fs::weakly_canonical(target, error);
    const fs::path outer = fs::weakly_canonical(folder, error);
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

// A folder copied or moved into itself would hold itself again and again.
void RefuseIntoItself(const String& source, const String& target, const char* verb)
{
    std::error_code error;
    if (fs::is_directory(source, error) && WithinFolder(target, source))
        throw EInOutError(Format("Cannot %s the folder %s into itself", {String(verb), source}));
}

// Before a folder is copied, everything in it is looked at: a folder that cannot be read or an
// entry that is no file, folder or link refuses the copy with nothing written.
void CheckFolderCopyable(const String& folder)
{
    const bool complete = ForEachEntry(folder, [](const fs::directory_entry& entry) {
        std::error_code error;
        const fs::file_status status = entry.symlink_status(error);
        if (fs::is_directory(status))
            CheckFolderCopyable(entry.path().string());
        else if (!fs::is_symlink(status) && !fs::is_regular_file(status))
            RaiseNotCopyable(entry.path().string());
    });
    if (!complete)
        throw EFOpenError(Format("Cannot open file %s", {folder}));
}

// The link itself, naming what the source link names, under a temporary name renamed over dest.
void CopyLink(const String& source, const String& dest)
{
    std::error_code error;
    const fs::path named = fs::read_symlink(source, error);
    if (error)
        throw EFOpenError(Format("Cannot open file %s", {source}));
    for (int attempt = 0;; ++attempt) {
        String temp = TempPattern(dest);
        const String number = IntToStr(attempt);
        temp.replace(temp.size() - number.size(), number.size(), number);
        fs::create_symlink(named, temp, error);
        if (!error) {
            if (::rename(temp.c_str(), dest.c_str()) != 0) {
                ::unlink(temp.c_str());
                throw EFCreateError(Format("Cannot create file %s", {dest}));
            }
            return;
        }
        if (error != std::errc::file_exists || attempt == 100)
            throw EFCreateError(Format("Cannot create file %s", {dest}));
    }
}

// A free name "Copy of <name>", "Copy (2) of <name>" ... beside the taken one.
String FreeName(const String& taken)
{
    const String dir = ExtractFilePath(taken);
    const String name = ExtractFileName(taken);
    String candidate = dir + "Copy of " + name;
    for (int n = 2; Taken(candidate); ++n)
        candidate = dir + "Copy (" + IntToStr(n) + ") of " + name;
    return candidate;
}

class FileOperation {
public:
    FileOperation(TFileOperFlags options, TFileProgressWindow* window) : FOptions(options), FWindow(window) {}

    // A folder is copied item by item; each file taken asks about its own destination. A folder
    // whose name is taken merges into it, or with rename on collision becomes a copy of its own.
    void Copy(const String& source, const String& target)
    {
        String dest = target;
        std::error_code error;
        if (fs::is_directory(source, error)) {
            if (FOptions.Contains(flRenameOnCollision) && Taken(dest))
                dest = FreeName(dest);
            RefuseIntoItself(source, dest, "copy");
            CheckFolderCopyable(source);
        }
        CopyItem(source, dest, true);
    }

    // One question for the item: a folder that must be copied because it cannot be renamed
    // replaces what its destination holds without asking again, and the source goes only once
    // every byte of it has been copied.
    void Move(const String& source, const String& target)
    {
        String dest = target;
        if (!Resolve(dest))
            return;
        RefuseIntoItself(source, dest, "move");
        std::error_code error;
        fs::rename(source, dest, error);
        if (!error) {
            FDone += BytesUnder(dest);
            return;
        }
        if (fs::is_directory(source, error))
            CheckFolderCopyable(source);
        CopyItem(source, dest, false);
        fs::remove_all(source, error);
        if (error)
            throw EInOutError(Format("Cannot delete %s", {source}));
    }

    void Delete(const String& path)
    {
        if (!Taken(path))
            throw EInOutError(Format("Cannot delete %s", {path}));
        if (FOptions.Contains(flAllowUndo)) {
            if (MoveToTrash(path))
                return;
            ConfirmDeletingForGood(path);
        }
        std::error_code error;
        fs::remove_all(path, error);
        if (error)
            throw EInOutError(Format("Cannot delete %s", {path}));
    }

private:
    // The item named by the caller is followed when it is a link; links inside a folder are
    // copied as links.
    void CopyItem(const String& source, const String& target, bool ask)
    {
        std::error_code error;
        if (fs::is_directory(source, error)) {
            if (!ForceDirectories(target))
                throw EFCreateError(Format("Cannot create file %s", {target}));
            const bool complete = ForEachEntry(source, [&](const fs::directory_entry& entry) {
                const String name = entry.path().string();
                const String into = NormalDir(target) + entry.path().filename().string();
                if (IsLink(name))
                    CopyLinkItem(name, into, ask);
                else
                    CopyItem(name, into, ask);
            });
            if (!complete)
                throw EFOpenError(Format("Cannot open file %s", {source}));
            return;
        }
        String dest = target;
        if (ask && !Resolve(dest))
            return;
        if (FWindow)
            FWindow->ShowFile(source);
        const std::int64_t before = FDone;
        CopyContents(source, dest, true, [this, before](std::int64_t copied) {
            FDone = before + copied;
            if (FWindow)
                FWindow->Step(FDone);
        });
    }

    void CopyLinkItem(const String& source, const String& target, bool ask)
    {
        String dest = target;
        if (ask && !Resolve(dest))
            return;
        CopyLink(source, dest);
    }

    // No trash takes the item (a file system without one that can be made): only the user's
    // answer, or the caller's "no confirmation", deletes it for good; No stops the operation.
    void ConfirmDeletingForGood(const String& path)
    {
        if (FOptions.Contains(flNoConfirmation))
            return;
        if (MessageDlg(Format("%s cannot be moved to the trash. Delete it for good?", {path}), mtConfirmation,
                       TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
            Abort();
    }

    // What to do about a taken destination: another name, the user's answer, or replacing it.
    bool Resolve(String& dest)
    {
        if (!Taken(dest))
            return true;
        if (FOptions.Contains(flRenameOnCollision)) {
            dest = FreeName(dest);
            return true;
        }
        if (FOptions.Contains(flNoConfirmation))
            return true;
        const int answer = MessageDlg(Format("Replace the existing file %s?", {dest}), mtConfirmation,
                                      mbYesNoCancel, 0);
        if (answer == mrCancel)
            Abort();
        return answer == mrYes;
    }

    TFileOperFlags FOptions;
    TFileProgressWindow* FWindow;
    std::int64_t FDone = 0;
};

}  // namespace

bool TVtFileOperator::Execute()
{
    FAborted = false;
    try {
        Run();
        return true;
    } catch (const EAbort&) {
        FAborted = true;
    } catch (const Exception& e) {
        ReportFailure(e.Message());
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    }
    return false;
}

void TVtFileOperator::ReportFailure(const String& Reason)
{
    if (!FOptions.Contains(flNoErrorUI))
        MessageDlg(Reason, mtError, TMsgDlgButtons{mbOK}, 0);
}

void TVtFileOperator::Run()
{
    std::vector<String> items;
    for (const String& item : SplitItems(FSource)) {
        if (!HasMask(item))
            items.push_back(ExpandFileName(item));
        for (const String& match : HasMask(item) ? Matching(item, FOptions.Contains(flFilesOnly)) : std::vector<String>{})
            items.push_back(match);
    }
    const std::vector<String> destinations = SplitItems(FDestination);
    if (FOperation != foDelete && destinations.empty())
        throw EInOutError("No destination given");

    std::int64_t total = 0;
    if (FOperation != foDelete)
        for (const String& item : items)
            total += BytesUnder(item);
    std::unique_ptr<TFileProgressWindow> window(
        FOptions.Contains(flSilent) ? nullptr : new TFileProgressWindow(FProgressTitle, total));
    FileOperation operation(FOptions, window.get());

    for (std::size_t i = 0; i < items.size(); ++i) {
        const String& item = items[i];
        if (FOperation == foDelete) {
            operation.Delete(item);
            continue;
        }
        String target = FOptions.Contains(flMultiDest) && i < destinations.size() ? destinations[i] : destinations[0];
        if (FOperation == foRename && ExtractFilePath(target).empty())
            target = ExtractFilePath(item) + target;
        else if (!FOptions.Contains(flMultiDest) && (items.size() > 1 || DirExists(target)))
            target = NormalDir(target) + ExtractFileName(RemoveBackSlash(item));
        if (FOperation == foCopy)
            operation.Copy(item, ExpandFileName(target));
        else
            operation.Move(item, ExpandFileName(target));
    }
}

// ---------------------------------------------------------------------------------------------
// Copying and moving single files

namespace {
// Runs a one-file operation as a file operation, which raises the silent abort when it failed.
void RunShellOperation(TFileOperation operation, const String& fileName, const String& destName, bool noConfirmation)
{
    TVtFileOperator op(nullptr);
    op.SetOperation(operation);
    op.SetSource(fileName);
    op.SetDestination(destName);
    TFileOperFlags options = op.Options() - TFileOperFlags{flAllowUndo};
    if (noConfirmation)
        options << flNoConfirmation;
    op.SetOptions(options);
    if (!op.Execute())
        Abort();
}
}  // namespace

void CopyFile(const String& FileName, const String& DestName, TControl* ProgressControl)
{
    CopyFileEx(FileName, DestName, false, false, ProgressControl);
}

void CopyFileEx(const String& FileName, const String& DestName, bool OverwriteReadOnly, bool ShellDialog,
                TControl* ProgressControl)
{
    if (ShellDialog) {
        RunShellOperation(foCopy, FileName, DestName, OverwriteReadOnly);
        return;
    }
    ProgressDisplay progress(ProgressControl, std::max<std::int64_t>(GetFileSize(FileName), 0));
    CopyContents(FileName, CopyTarget(FileName, ExpandFileName(DestName)), OverwriteReadOnly,
                 [&progress](std::int64_t copied) { progress.Show(copied); });
}

void MoveFile(const String& FileName, const String& DestName)
{
    const String dest = ExpandFileName(DestName);
    if (::rename(FileName.c_str(), dest.c_str()) == 0)
        return;
    if (::access(FileName.c_str(), R_OK) != 0)
        throw EFOpenError(Format("Cannot open file %s", {FileName}));
    MakeWritable(FileName);
    CopyFile(FileName, dest);
    if (!DeleteFile(FileName))
        throw EInOutError(Format("Cannot delete %s", {FileName}));
}

void MoveFileEx(const String& FileName, const String& DestName, bool ShellDialog)
{
    if (!ShellDialog) {
        MoveFile(FileName, DestName);
        return;
    }
    const bool sameDir = ExtractFileDir(ExpandFileName(FileName)) == ExtractFileDir(ExpandFileName(DestName));
    RunShellOperation(sameDir ? foRename : foMove, FileName, DestName, false);
}

// ---------------------------------------------------------------------------------------------
// Attributes, deleting, directories

std::int64_t GetFileSize(const String& FileName)
{
    struct stat st {};
    if (::stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

TDateTime FileDateTime(const String& FileName)
{
    struct stat st {};
    if (::stat(FileName.c_str(), &st) != 0)
        return 0;
    struct tm local {};
    ::localtime_r(&st.st_mtim.tv_sec, &local);
    return EncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                      static_cast<Word>(local.tm_mday)) +
           EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                      static_cast<Word>(std::min(local.tm_sec, 59)), 0);
}

bool HasAttr(const String& FileName, int Attr)
{
    struct stat st {};
    if (::stat(FileName.c_str(), &st) != 0)
        return false;
    int attrs = 0;
    if (!(st.st_mode & S_IWUSR))
        attrs |= faReadOnly;
    if (ExtractFileName(RemoveBackSlash(FileName)).starts_with("."))
        attrs |= faHidden;
    if (S_ISDIR(st.st_mode))
        attrs |= faDirectory;
    return (attrs & Attr) == Attr;
}

bool DeleteFiles(const String& FileMask)
{
    for (const String& file : Matching(FileMask, true))
        if (!DeleteFile(file))
            return false;
    return true;
}

bool DeleteFilesEx(const std::vector<String>& FileMasks)
{
    return std::all_of(FileMasks.begin(), FileMasks.end(), [](const String& mask) { return DeleteFiles(mask); });
}

bool ClearDir(const String& Path, bool Delete)
{
    if (!DirExists(Path))
        return false;
    bool result = true;
    const bool listed = ForEachEntry(Path, [&result](const fs::directory_entry& entry) {
        const String name = entry.path().string();
        std::error_code error;
        if (entry.is_directory(error) && !entry.is_symlink(error)) {
            result = ClearDir(name, true) && result;
        } else {
            if (IsReadOnly(name))
                MakeWritable(name);
            result = fs::remove(entry.path(), error) && result;  // a link goes, not what it names
        }
    });
    if (!listed)
        return false;
    if (Delete && result && RemoveBackSlash(Path) != "/")
        result = RemoveDir(Path);
    return result;
}

String NormalDir(const String& DirName)
{
    if (DirName.empty() || DirName.back() == '/')
        return DirName;
    return DirName + "/";
}

String RemoveBackSlash(const String& DirName)
{
    if (DirName.size() > 1 && DirName.back() == '/')
        return DirName.substr(0, DirName.size() - 1);
    return DirName;
}

bool DirExists(const String& Name) { return HasAttr(Name, faDirectory); }

String GetTempDir()
{
    std::error_code error;
    return NormalDir(fs::temp_directory_path(error).string());
}

// Linux takes every byte in a name but NUL (and "/", which only ever separates the name's parts).
bool ValidFileName(const String& FileName) { return !FileName.empty() && FileName.find('\0') == String::npos; }

// ---------------------------------------------------------------------------------------------
// Locks: advisory locks of the open file description, so that two handles conflict even in one
// process, as the locks of the system the routines come from do.

namespace {
int SetLock(int handle, short type, std::int64_t offset, std::int64_t size)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = size;
    return ::fcntl(handle, F_OFD_SETLK, &lock) == 0 ? 0 : errno;
}
}  // namespace

int FileLock(int Handle, std::int64_t Offset, std::int64_t LockSize)
{
    const int access = ::fcntl(Handle, F_GETFL);
    if (access < 0)
        return errno;
    return SetLock(Handle, (access & O_ACCMODE) == O_RDONLY ? F_RDLCK : F_WRLCK, Offset, LockSize);
}

int FileUnlock(int Handle, std::int64_t Offset, std::int64_t LockSize) { return SetLock(Handle, F_UNLCK, Offset, LockSize); }

// ---------------------------------------------------------------------------------------------
// Names

String ShortToLongFileName(const String& ShortName) { return ShortName; }
String LongToShortFileName(const String& LongName) { return LongName; }
String ShortToLongPath(const String& ShortName) { return ShortName; }
String LongToShortPath(const String& LongName) { return LongName; }

// ---------------------------------------------------------------------------------------------
// Links

namespace {
String EnvOr(const char* name, const String& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? String(value) : fallback;
}

String SpecialFolder(int folder)
{
    const String home = EnvOr("HOME", "/");
    switch (folder) {
    case CSIDL_DESKTOP: return NormalDir(EnvOr("XDG_DESKTOP_DIR", NormalDir(home) + "Desktop"));
    case CSIDL_PROGRAMS: return NormalDir(EnvOr("XDG_DATA_HOME", NormalDir(home) + ".local/share")) + "applications/";
    case CSIDL_STARTUP: return NormalDir(EnvOr("XDG_CONFIG_HOME", NormalDir(home) + ".config")) + "autostart/";
    default: throw EInOutError(Format("Unknown special folder %d", {folder}));
    }
}

String LinkFileName(const String& displayName, int folder) { return SpecialFolder(folder) + displayName + ".desktop"; }

// A value of a desktop entry: backslash, line breaks and tabs escaped.
String EntryValue(const String& text)
{
    String out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// Exec arguments are quoted, with the characters special inside quotes escaped.
String ExecArgument(const String& path)
{
    String quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}
}  // namespace

void CreateFileLink(const String& FileName, const String& DisplayName, int Folder)
{
    const String link = LinkFileName(DisplayName, Folder);
    const String target = ExpandFileName(FileName);
    ForceDirectories(ExtractFileDir(link));
    std::ofstream out(link, std::ios::binary | std::ios::trunc);
    out << "[Desktop Entry]\n";
    if (::access(target.c_str(), X_OK) == 0 && !DirExists(target))
        out << "Type=Application\nExec=" << EntryValue(ExecArgument(target)) << "\n";
    else
        out << "Type=Link\nURL=file://" << EntryValue(target) << "\n";
    out << "Name=" << EntryValue(DisplayName) << "\nIcon=" << EntryValue(target) << "\n";
    out.close();
    if (!out)
        throw EFCreateError(Format("Cannot create file %s", {link}));
}

void DeleteFileLink(const String& DisplayName, int Folder) { DeleteFile(LinkFileName(DisplayName, Folder)); }

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TFileOperation> kFileOperation{"TFileOperation", {"foCopy", "foDelete", "foMove", "foRename"}};
const vt::EnumRegistration<TFileOperFlag> kFileOperFlag{
    "TFileOperFlag",
    {"flAllowUndo", "flConfirmMouse", "flFilesOnly", "flMultiDest", "flNoConfirmation", "flNoConfirmMkDir",
     "flRenameOnCollision", "flSilent", "flSimpleProgress", "flNoErrorUI"}};
const vt::EnumRegistration<TDialogPosition> kDialogPosition{"TDialogPosition", {"dpDefault", "dpScreenCenter"}};
const vt::ClassRegistration<TBrowseFolderDlg, TComponent> kBrowseFolderDlg{
    "TBrowseFolderDlg",
    {
        vt::Published("DialogText", &TBrowseFolderDlg::DialogText, &TBrowseFolderDlg::SetDialogText),
        vt::Published("FolderName", &TBrowseFolderDlg::FolderName, &TBrowseFolderDlg::SetFolderName),
        vt::Published("HelpContext", &TBrowseFolderDlg::HelpContext, &TBrowseFolderDlg::SetHelpContext),
        vt::Published("Position", &TBrowseFolderDlg::Position, &TBrowseFolderDlg::SetPosition),
    }};
const vt::ClassRegistration<TVtFileOperator, TComponent> kVtFileOperator{
    "TVtFileOperator",
    {
        vt::Published("Operation", &TVtFileOperator::Operation, &TVtFileOperator::SetOperation),
        vt::Published("Options", &TVtFileOperator::Options, &TVtFileOperator::SetOptions),
        vt::Published("ProgressTitle", &TVtFileOperator::ProgressTitle, &TVtFileOperator::SetProgressTitle),
        vt::Published("Source", &TVtFileOperator::Source, &TVtFileOperator::SetSource),
        vt::Published("Destination", &TVtFileOperator::Destination, &TVtFileOperator::SetDestination),
    }};
}  // namespace
