// File utilities on a temporary directory: copying with progress and through a temporary name,
// cancelling and failing part way, masks, directory helpers, locks, the folder browser, the file
// operator's collisions and trash, and launcher links.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "components/system/FileUtil.h"
#include "rtl/Exceptions.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"
#include "tests/components/ModalDialog.h"
#include "tests/fixtures/ScratchMount.h"

namespace fs = std::filesystem;

namespace {

class FileUtilTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        dir = fs::temp_directory_path() / ("vt-fileutil-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(dir); }

    String Path(const String& name) const { return (dir / name).string(); }
    String Write(const String& name, const String& content)
    {
        fs::create_directories((dir / name).parent_path());
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }
    static String Read(const String& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The names left in a folder (a temporary copy left behind would show here).
    std::vector<String> Names(const String& sub = "") const
    {
        std::vector<String> names;
        for (const auto& e : fs::directory_iterator(dir / sub))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

TEST_F(FileUtilTest, PathTextHelpersCutAtTheSlash)
{
    struct Case {
        String in, normal, removed;
    };
    for (const Case& c : std::vector<Case>{{"", "", ""},
                                            {"/", "/", "/"},
                                            {"/usr/lib", "/usr/lib/", "/usr/lib"},
                                            {"/usr/lib/", "/usr/lib/", "/usr/lib"},
                                            {"c", "c/", "c"}}) {
        EXPECT_EQ(NormalDir(c.in), c.normal) << c.in;
        EXPECT_EQ(RemoveBackSlash(c.in), c.removed) << c.in;
    }
    EXPECT_FALSE(ValidFileName(""));
    EXPECT_FALSE(ValidFileName(String("a\0b", 3)));
    for (const char* good : {"/home/camp/Roster 2026.txt", "report[final].txt", "a<b>c", "say \"hi\"", "a|b"})
        EXPECT_TRUE(ValidFileName(good)) << good;
    EXPECT_EQ(LongToShortPath("/home/camp/Long Name.txt"), "/home/camp/Long Name.txt");
    EXPECT_EQ(ShortToLongFileName("x.txt"), "x.txt");
}

TEST_F(FileUtilTest, CopyIntoADirectoryKeepsTheNameTheBytesAndTheDateAndDrivesTheProgressBar)
{
    const String content(16384, 'x');  // two full blocks, then an empty read
    const String source = Write("in/data.bin", content);
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    fs::create_directories(dir / "out");

    TProgressBar bar(nullptr);
    bar.SetPosition(50);
    CopyFile(source, Path("out"), &bar);
    EXPECT_EQ(Read(Path("out/data.bin")), content);
    EXPECT_EQ(FileDateTime(Path("out/data.bin")), FileDateTime(source));
    EXPECT_EQ(bar.Max(), 16384);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(Names("out"), std::vector<String>{"data.bin"});

    CopyFile(Write("empty", ""), Path("out/empty.copy"));
    EXPECT_EQ(GetFileSize(Path("out/empty.copy")), 0);
}

TEST_F(FileUtilTest, AFailedCopyLeavesTheDestinationAsItWas)
{
    const String source = Write("source.txt", "new text");
    const String dest = Write("dest.txt", "old text");

    ::chmod(dest.c_str(), 0444);
    try {
        CopyFile(source, dest);
        FAIL() << "a read-only destination was overwritten";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + dest);
    }
    EXPECT_EQ(Read(dest), "old text");
    CopyFileEx(source, dest, true, false);  // allowed to overwrite it
    EXPECT_EQ(Read(dest), "new text");

    // A destination folder that cannot be made: its parent is a file.
    Write("blocker", "");
    EXPECT_THROW(CopyFile(source, Path("blocker/sub/dest.txt")), EFCreateError);
    EXPECT_THROW(CopyFile(Path("missing.txt"), dest), EFOpenError);
    EXPECT_THROW(CopyFile(Path("."), dest), EFOpenError);  // a folder is no file to copy
    EXPECT_EQ(Read(dest), "new text");
    EXPECT_EQ(Names(), (std::vector<String>{"blocker", "dest.txt", "source.txt"}));
}

TEST_F(FileUtilTest, MoveRenamesOrCopiesIntoAFolderAndDeletesTheSource)
{
    const String a = Write("a.txt", "A");
    MoveFile(a, Path("b.txt"));
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(Read(Path("b.txt")), "A");

    fs::create_directories(dir / "folder");
    MoveFile(Path("b.txt"), Path("folder"));  // renaming onto a folder fails: copied into it
    EXPECT_EQ(Read(Path("folder/b.txt")), "A");
    EXPECT_FALSE(FileExists(Path("b.txt")));

    MoveFileEx(Path("folder/b.txt"), Path("folder/c.txt"), true);
    EXPECT_EQ(Names("folder"), std::vector<String>{"c.txt"});
}

TEST_F(FileUtilTest, DeleteByMaskTakesMatchingFilesOnly)
{
    Write("x/a.tmp", "");
    Write("x/b.tmp", "");
    Write("x/c.txt", "");
    Write("x/.hidden.tmp", "");
    fs::create_directories(dir / "x/dir.tmp");
    EXPECT_TRUE(DeleteFiles(Path("x/*.tmp")));
    EXPECT_EQ(Names("x"), (std::vector<String>{".hidden.tmp", "c.txt", "dir.tmp"}));

    EXPECT_TRUE(DeleteFilesEx({Path("x/*.none"), Path("x/*.*")}));
    EXPECT_EQ(Names("x"), (std::vector<String>{"dir.tmp"}));
}

TEST_F(FileUtilTest, ClearDirEmptiesRecursivelyAndRemovesTheFolderWhenAsked)
{
    Write("tree/a.txt", "");
    const String readOnly = Write("tree/sub/deep/b.txt", "");
    ::chmod(readOnly.c_str(), 0444);
    fs::create_directories(dir / "outside");
    fs::create_directory_symlink(dir / "outside", dir / "tree/link");
    Write("outside/kept.txt", "");

    EXPECT_TRUE(ClearDir(Path("tree"), false));
    EXPECT_TRUE(DirExists(Path("tree")));
    EXPECT_TRUE(Names("tree").empty());
    EXPECT_TRUE(FileExists(Path("outside/kept.txt")));  // a link is removed, not followed

    Write("tree/c.txt", "");
    EXPECT_TRUE(ClearDir(Path("tree/"), true));
    EXPECT_FALSE(fs::exists(dir / "tree"));
    EXPECT_FALSE(ClearDir(Path("tree"), true));
}

TEST_F(FileUtilTest, SizesDatesAndAttributes)
{
    const String file = Write("f.txt", "12345");
    EXPECT_EQ(GetFileSize(file), 5);
    EXPECT_EQ(GetFileSize(Path("")), -1);
    EXPECT_EQ(GetFileSize(Path("none")), -1);
    EXPECT_EQ(FileDateTime(Path("none")), 0);
    EXPECT_NEAR(FileDateTime(file), Now(), 1.0 / 24);

    EXPECT_TRUE(DirExists(Path("")));
    EXPECT_FALSE(DirExists(file));
    EXPECT_FALSE(HasAttr(file, faReadOnly));
    ::chmod(file.c_str(), 0444);
    EXPECT_TRUE(HasAttr(file, faReadOnly));
    EXPECT_FALSE(HasAttr(file, faReadOnly | faDirectory));
    EXPECT_TRUE(HasAttr(Write(".dot", ""), faHidden));
    EXPECT_FALSE(HasAttr(Path("none"), 0));
    EXPECT_EQ(GetTempDir().back(), '/');
}

TEST_F(FileUtilTest, LocksOfTwoHandlesOnOneFileConflictOnlyWhereTheyOverlap)
{
    const String file = Write("locked.dat", String(100, 'x'));
    const int first = ::open(file.c_str(), O_RDWR);
    const int second = ::open(file.c_str(), O_RDWR);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);

    EXPECT_EQ(FileLock(first, 0, 50), 0);
    EXPECT_EQ(FileLock(second, 40, 20), EAGAIN);
    EXPECT_EQ(FileLock(second, 50, 50), 0);
    EXPECT_EQ(FileUnlock(first, 0, 50), 0);
    EXPECT_EQ(FileLock(second, 40, 10), 0);
    EXPECT_EQ(FileLock(-1, 0, 1), EBADF);
    ::close(first);
    ::close(second);
}

TEST_F(FileUtilTest, TheFolderBrowserAsksThePlatformsDirectoryDialog)
{
    vt::DialogResponder responder;
    responder.AnswerFile(Path("chosen") + "/").Answer(mrCancel);
    String folder = Path("");
    EXPECT_TRUE(BrowseDirectory(folder, "Pick the camp folder"));
    EXPECT_EQ(folder, Path("chosen"));
    EXPECT_EQ(responder.Last().Kind, "SelectDirectory");
    EXPECT_EQ(responder.Last().Caption, "Pick the camp folder");
    EXPECT_EQ(responder.Last().FileName, Path(""));

    folder = Path("missing");  // a folder that does not exist is not offered
    EXPECT_FALSE(BrowseDirectory(folder, ""));
    EXPECT_EQ(folder, Path("missing"));
    EXPECT_EQ(responder.Last().FileName, "");
}

// The real browser: its start on FolderName, each selection change with OK following whether
// the folder exists, and the choice taken with OK.
TEST_F(FileUtilTest, TheFolderBrowsersEventsFollowTheSelectionAndOKOnlyTakesAnExistingFolder)
{
    fs::create_directories(Path("Été camp"));
    fs::create_directories(Path("gone"));
    TBrowseFolderDlg browser(nullptr);
    browser.SetDialogText("Pick the camp folder");
    browser.SetFolderName(Path("Été camp") + "/");
    std::vector<String> events;
    browser.OnInitialized = [&](TObject*) { events.push_back("init " + browser.Selection()); };
    browser.OnSelChanged = [&](TObject*) { events.push_back("sel " + browser.Selection()); };
    vt::testing::ModalDialogDriver driver([&](QDialog* dialog) {
        auto* tree = dialog->findChild<QTreeView*>();
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_TRUE(tree && buttons);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        EXPECT_EQ(events, (std::vector<String>{"sel " + Path("Été camp"), "init " + Path("Été camp")}));
        EXPECT_TRUE(ok->isEnabled());

        const QPersistentModelIndex gone = model->index(QString::fromStdString(Path("gone")));
        fs::remove(Path("gone"));  // removed while the tree still lists it
        tree->setCurrentIndex(gone);
        EXPECT_EQ(events.back(), "sel " + Path("gone"));
        EXPECT_FALSE(ok->isEnabled());
        tree->setCurrentIndex(QModelIndex());
        EXPECT_EQ(events.back(), "sel ");
        EXPECT_FALSE(ok->isEnabled());
        tree->setCurrentIndex(model->index(QString::fromStdString(Path("Été camp"))));
        EXPECT_EQ(events.back(), "sel " + Path("Été camp"));
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    EXPECT_TRUE(browser.Execute());
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(browser.FolderName(), Path("Été camp"));
    EXPECT_EQ(browser.Selection(), Path("Été camp"));
}

TEST_F(FileUtilTest, TheFolderBrowserIsCentredByPositionAndHasAHelpButtonOnlyWithAHelpContext)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    Screen->SetActiveForm(&form);
    std::vector<std::pair<WORD, LPARAM>> helpAsked;
    Application->OnHelp = [&](WORD command, LPARAM data, bool& callHelp) {
        helpAsked.emplace_back(command, data);
        callHelp = false;
        return true;
    };
    struct Case {
        TDialogPosition Position;
        int HelpContext;
    } cases[] = {{dpScreenCenter, 0}, {dpScreenCenter, 42}, {dpDefault, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.HelpContext);
        TBrowseFolderDlg browser(nullptr);
        browser.SetPosition(c.Position);
        browser.SetHelpContext(c.HelpContext);
        vt::testing::ModalDialogDriver driver([&](QDialog* dialog) {
            const QPoint screenCentre = dialog->screen()->availableGeometry().center();
            const QPoint centre = dialog->frameGeometry().center();
            EXPECT_EQ((centre - screenCentre).manhattanLength() <= 1, c.Position == dpScreenCenter)
                << centre.x() << "," << centre.y() << " screen " << screenCentre.x() << "," << screenCentre.y()
                << " size " << dialog->width() << "x" << dialog->height();
            QPushButton* help = nullptr;
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == "&Help")
                    help = button;
            ASSERT_EQ(help != nullptr, c.HelpContext != 0);
            if (help)
                help->click();
        });
        EXPECT_FALSE(browser.Execute());
        EXPECT_TRUE(driver.Ran());
    }
    Application->OnHelp = nullptr;
    Screen->SetActiveForm(nullptr);
    EXPECT_EQ(helpAsked, (std::vector<std::pair<WORD, LPARAM>>{{HELP_CONTEXT, 42}, {HELP_CONTEXT, 7}}));
}

// Runs a step on the event loop, which the file operator turns between blocks.
class Later {
public:
    explicit Later(std::function<void()> step)
        : FStep(std::move(step)), FWindow(AllocateHWnd([this](TMessage&) { FStep(); }))
    {
        PostMessage(FWindow, WM_USER, 0, 0);
    }
    ~Later() { DeallocateHWnd(FWindow); }

private:
    std::function<void()> FStep;
    HWND FWindow;
};

TCustomForm* ProgressWindow(const String& title)
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->Caption() == title)
            return Screen->Forms(i);
    return nullptr;
}

TEST_F(FileUtilTest, TheOperatorsProgressWindowShowsTheBytesAndItsCancelLeavesTheTargetAsItWas)
{
    const String big = Write("src/big.bin", String(10 * 8192, 'n'));
    Write("src/small.txt", "s");
    const String old = Write("dst/big.bin", "old");

    TForm other(nullptr);
    other.Show();
    int shownPosition = -1;
    bool otherEnabled = true;
    Later cancel([&] {
        otherEnabled = other.Enabled();
        TCustomForm* window = ProgressWindow("Copying camp files");
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < window->ComponentCount(); ++i)
            if (auto* bar = dynamic_cast<TProgressBar*>(window->Components(i)))
                shownPosition = bar->Position();
        vt::ClickControl(static_cast<TControl*>(window->FindComponent("CancelButton")));
    });
    TVtFileOperator op(nullptr);
    op.SetSource(Path("src/*.bin") + ";" + Path("src/small.txt"));
    op.SetDestination(Path("dst"));
    op.SetProgressTitle("Copying camp files");
    op.SetOptions({flNoConfirmation});
    EXPECT_FALSE(op.Execute());
    EXPECT_TRUE(op.Aborted());
    EXPECT_EQ(shownPosition, 8192);  // the first block, of the whole operation's bytes
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(other.Enabled());
    EXPECT_EQ(Read(old), "old");
    EXPECT_EQ(Names("dst"), std::vector<String>{"big.bin"});
    EXPECT_EQ(ProgressWindow("Copying camp files"), nullptr);

    EXPECT_TRUE(op.Execute());
    EXPECT_FALSE(op.Aborted());
    EXPECT_EQ(Read(old), Read(big));
    EXPECT_EQ(Read(Path("dst/small.txt")), "s");
}

TEST_F(FileUtilTest, TheOperatorAsksBeforeReplacingOrRenamesOnCollision)
{
    Write("src/a.txt", "new a");
    Write("src/b.txt", "new b");
    Write("dst/a.txt", "old a");
    Write("dst/b.txt", "old b");
    TVtFileOperator op(nullptr);
    op.SetSource(Path("src/a.txt") + "|" + Path("src/b.txt"));
    op.SetDestination(Path("dst"));
    op.SetOptions({flSilent});
    {
        vt::DialogResponder responder;
        responder.Answer(mrNo).Answer(mrYes);
        EXPECT_TRUE(op.Execute());
        EXPECT_EQ(responder.Shown().at(0).Text, "Replace the existing file " + Path("dst/a.txt") + "?");
    }
    EXPECT_EQ(Read(Path("dst/a.txt")), "old a");
    EXPECT_EQ(Read(Path("dst/b.txt")), "new b");

    op.SetOptions({flSilent, flRenameOnCollision});
    EXPECT_TRUE(op.Execute());
    EXPECT_TRUE(op.Execute());
    EXPECT_EQ(Names("dst"), (std::vector<String>{"Copy (2) of a.txt", "Copy (2) of b.txt", "Copy of a.txt",
                                                 "Copy of b.txt", "a.txt", "b.txt"}));

    // A failure is shown and reported, not swallowed.
    op.SetSource(Path("src/none.txt"));
    op.SetOptions({flSilent});
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    EXPECT_FALSE(op.Execute());
    EXPECT_FALSE(op.Aborted());
    EXPECT_EQ(responder.Last().Text, "Cannot open file " + Path("src/none.txt"));
}

// A folder moved onto a folder of the same name cannot be renamed there and is copied: the one
// answer covers it, and its source goes only with the copy complete.
TEST_F(FileUtilTest, AMoveAskedOnceKeepsItsSourceUnlessTheCopyIsComplete)
{
    Write("src/roster/a.txt", "new a");
    Write("src/roster/b.txt", "new b");
    Write("dst/roster/a.txt", "old a");
    TVtFileOperator op(nullptr);
    op.SetOperation(foMove);
    op.SetOptions({flSilent});
    op.SetSource(Path("src/roster"));
    op.SetDestination(Path("dst"));
    {
        vt::DialogResponder responder;
        responder.Answer(mrNo);
        EXPECT_TRUE(op.Execute());
        EXPECT_EQ(responder.Shown().size(), 1u);
    }
    EXPECT_EQ(Read(Path("src/roster/a.txt")), "new a");
    EXPECT_EQ(Read(Path("dst/roster/a.txt")), "old a");
    {
        vt::DialogResponder responder;
        responder.Answer(mrYes).Answer(mrNo);  // a second question would get No
        EXPECT_TRUE(op.Execute());
        ASSERT_EQ(responder.Shown().size(), 1u);
        EXPECT_EQ(responder.Shown()[0].Text, "Replace the existing file " + Path("dst/roster") + "?");
    }
    EXPECT_FALSE(fs::exists(dir / "src/roster"));
    EXPECT_EQ(Read(Path("dst/roster/a.txt")), "new a");
    EXPECT_EQ(Read(Path("dst/roster/b.txt")), "new b");

    // A copy that fails part way (a file stands where a folder must go) keeps the source.
    Write("src/camp/sub/x.txt", "x");
    Write("dst/camp/keep.txt", "k");
    Write("dst/camp/sub", "a file");
    op.SetSource(Path("src/camp"));
    op.SetOptions({flSilent, flNoConfirmation, flNoErrorUI});
    EXPECT_FALSE(op.Execute());
    EXPECT_FALSE(op.Aborted());
    EXPECT_EQ(Read(Path("src/camp/sub/x.txt")), "x");
}

TEST_F(FileUtilTest, TheOperatorMovesRenamesAndDeletesIntoTheTrashWhenUndoIsAllowed)
{
    Write("m/one.txt", "1");
    Write("m/sub/two.txt", "2");
    TVtFileOperator op(nullptr);
    op.SetOptions({flSilent});
    op.SetOperation(foMove);
    op.SetSource(Path("m/sub"));
    op.SetDestination(Path("moved"));
    EXPECT_TRUE(op.Execute());
    EXPECT_EQ(Read(Path("moved/two.txt")), "2");

    op.SetOperation(foRename);
    op.SetSource(Path("m/one.txt"));
    op.SetDestination("renamed.txt");
    EXPECT_TRUE(op.Execute());
    EXPECT_EQ(Names("m"), std::vector<String>{"renamed.txt"});

    op.SetOperation(foDelete);
    op.SetOptions({flSilent, flAllowUndo});
    op.SetSource(Path("m/renamed.txt"));
    EXPECT_TRUE(op.Execute());
    EXPECT_FALSE(FileExists(Path("m/renamed.txt")));
    EXPECT_EQ(Read(Path("data/Trash/files/renamed.txt")), "1");
    EXPECT_NE(Read(Path("data/Trash/info/renamed.txt.trashinfo")).find("Path=" + Path("m/renamed.txt")), String::npos);

    op.SetOptions({flSilent, flNoErrorUI});
    op.SetSource(Path("moved"));
    EXPECT_TRUE(op.Execute());
    EXPECT_FALSE(fs::exists(dir / "moved"));
    EXPECT_FALSE(op.Execute());  // gone already: a failure, without a message box
}

TEST_F(FileUtilTest, LinksAreDesktopEntriesInTheSpecialFolder)
{
    const String program = Write("bin/camp tool", "#!/bin/sh\n");
    ::chmod(program.c_str(), 0755);
    CreateFileLink(program, "Camp Tool", CSIDL_PROGRAMS);
    const String entry = Read(Path("data/applications/Camp Tool.desktop"));
    EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nExec=\"" + program + "\"\nName=Camp Tool\nIcon=" + program + "\n");

    CreateFileLink(Write("roster.txt", ""), "Roster", CSIDL_STARTUP);
    EXPECT_NE(Read(Path("config/autostart/Roster.desktop")).find("Type=Link\nURL=file://" + Path("roster.txt")),
              String::npos);
    DeleteFileLink("Roster", CSIDL_STARTUP);
    EXPECT_FALSE(FileExists(Path("config/autostart/Roster.desktop")));
}

// A file system of its own (a tmpfs mounted for the test, as a USB stick would be): its items go
// to the trash at its top directory. Mounting needs the rights CI has; elsewhere the tests skip.
class OtherFileSystemTest : public FileUtilTest {
protected:
    void SetUp() override
    {
        FileUtilTest::SetUp();
        stick = std::make_unique<vt::test::ScratchMount>(4 << 20);
        if (!stick->Mounted())
            GTEST_SKIP() << stick->Why();
    }
    String OnStick(const String& name) const { return stick->Folder() + name; }
    String WriteOnStick(const String& name, const String& content)
    {
        fs::create_directories(fs::path(OnStick(name)).parent_path());
        std::ofstream(OnStick(name), std::ios::binary) << content;
        return OnStick(name);
    }
    std::vector<String> NamesOnStick() const
    {
        std::vector<String> names;
        for (const auto& e : fs::directory_iterator(stick->Folder()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static bool DeleteWithUndo(const String& path)
    {
        TVtFileOperator op(nullptr);
        op.SetOperation(foDelete);
        op.SetOptions({flSilent, flAllowUndo});
        op.SetSource(path);
        return op.Execute();
    }

    std::unique_ptr<vt::test::ScratchMount> stick;
};

TEST_F(OtherFileSystemTest, ADeletedFileGoesToTheTrashOfItsFileSystemsTopDirectory)
{
    const String uid = std::to_string(::getuid());
    struct Case {
        const char* Prepare;  // what the administrator left at the top directory
        String Trash;
    } cases[] = {{"none", ".Trash-" + uid},
                 {"sticky", ".Trash/" + uid},
                 {"not sticky", ".Trash-" + uid},
                 {"link", ".Trash-" + uid}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Prepare);
        fs::remove_all(OnStick(".Trash"));
        fs::remove_all(OnStick(".Trash-" + uid));
        if (String(c.Prepare) == "sticky" || String(c.Prepare) == "not sticky") {
            fs::create_directories(OnStick(".Trash"));
            ::chmod(OnStick(".Trash").c_str(), String(c.Prepare) == "sticky" ? 01777 : 0777);
        } else if (String(c.Prepare) == "link") {
            fs::create_directories(OnStick("elsewhere"));
            fs::create_directory_symlink(OnStick("elsewhere"), OnStick(".Trash"));
        }
        const String file = WriteOnStick("rosters/Zoë's list.txt", "roster");
        EXPECT_TRUE(DeleteWithUndo(file));
        EXPECT_FALSE(FileExists(file));
        const String trash = OnStick(c.Trash);
        EXPECT_EQ(Read(trash + "/files/Zoë's list.txt"), "roster");
        const String info = Read(trash + "/info/Zoë's list.txt.trashinfo");
        EXPECT_NE(info.find("\nPath=rosters/Zo%C3%AB%27s%20list.txt\n"), String::npos) << info;
        EXPECT_EQ(fs::status(trash).permissions() & fs::perms::all, fs::perms::owner_all);
    }
    EXPECT_FALSE(fs::exists(dir / "data/Trash/info"));  // nothing went to the home trash
}

TEST_F(OtherFileSystemTest, WithoutATrashThereTheUserIsAskedBeforeDeletingForGood)
{
    const String uid = std::to_string(::getuid());
    WriteOnStick(".Trash-" + uid, "a file where the trash would go");
    const String file = WriteOnStick("old.txt", "old");
    {
        vt::DialogResponder responder;
        responder.Answer(mrNo);
        EXPECT_FALSE(DeleteWithUndo(file));
        EXPECT_EQ(responder.Last().Text, file + " cannot be moved to the trash. Delete it for good?");
    }
    EXPECT_EQ(Read(file), "old");
    EXPECT_EQ(NamesOnStick(), (std::vector<String>{".Trash-" + uid, "old.txt"}));  // no record left behind
    {
        vt::DialogResponder responder;
        responder.Answer(mrYes);
        EXPECT_TRUE(DeleteWithUndo(file));
    }
    EXPECT_FALSE(FileExists(file));
}

// Moving across file systems copies: one question, and the source goes after the copy.
TEST_F(OtherFileSystemTest, AMoveOntoAnotherFileSystemAsksOnce)
{
    const String source = Write("camp.txt", "new");
    WriteOnStick("camp.txt", "old");
    TVtFileOperator op(nullptr);
    op.SetOperation(foMove);
    op.SetOptions({flSilent});
    op.SetSource(source);
    op.SetDestination(stick->Folder());
    vt::DialogResponder responder;
    responder.Answer(mrYes);
    EXPECT_TRUE(op.Execute());
    EXPECT_EQ(responder.Shown().size(), 1u);
    EXPECT_EQ(Read(OnStick("camp.txt")), "new");
    EXPECT_FALSE(FileExists(source));
}


// Hostile trees on the scratch tmpfs: names that look like masks, folders copied into themselves,
// links, special files, unreadable folders and the longest names.
class HostileTreeTest : public OtherFileSystemTest {
protected:
    // Every path under the stick's folder, relative, links shown with what they name.
    std::vector<String> Tree(const String& sub = "") const
    {
        std::vector<String> paths;
        const fs::path root = OnStick(sub);
        for (auto e = fs::recursive_directory_iterator(root); e != fs::recursive_directory_iterator(); ++e) {
            String line = e->path().lexically_relative(root).string();
            if (e->is_symlink())
                line += " -> " + fs::read_symlink(e->path()).string();
            paths.push_back(line);
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    bool Run(TFileOperation operation, const String& source, const String& dest, TFileOperFlags options = {flSilent})
    {
        TVtFileOperator op(nullptr);
        op.SetOperation(operation);
        op.SetOptions(options);
        op.SetSource(source);
        op.SetDestination(dest);
        return op.Execute();
    }
};

TEST_F(HostileTreeTest, ANameWithSquareBracketsIsItselfAndNoPattern)
{
    struct Case {
        const char* What;
        std::function<bool(const String& name)> Act;
        std::vector<String> Left;
    } cases[] = {
        {"delete", [&](const String& n) { return Run(foDelete, n, "", {flSilent, flNoConfirmation}); },
         {"out", "report1.txt"}},
        {"delete files", [](const String& n) { return DeleteFiles(n); }, {"out", "report1.txt"}},
        {"move", [&](const String& n) { return Run(foMove, n, OnStick("out")); },
         {"out", "out/report[1].txt", "report1.txt"}},
        {"copy", [&](const String& n) { return Run(foCopy, n, OnStick("out")); },
         {"out", "out/report[1].txt", "report1.txt", "report[1].txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(OnStick("out"));
        fs::create_directories(OnStick("out"));
        WriteOnStick("report1.txt", "one");
        WriteOnStick("report[1].txt", "bracketed");
        EXPECT_TRUE(c.Act(OnStick("report[1].txt")));
        EXPECT_EQ(Tree(), c.Left);
        EXPECT_EQ(Read(OnStick("report1.txt")), "one");
    }
    EXPECT_TRUE(DeleteFiles(OnStick("report?.txt")));  // "?" and "*" are still masks
    EXPECT_EQ(Tree(), (std::vector<String>{"out", "out/report[1].txt", "report[1].txt"}));
}

TEST_F(HostileTreeTest, AFolderIsNotCopiedOrMovedIntoItself)
{
    WriteOnStick("d/file.txt", "x");
    fs::create_directories(OnStick("d/sub"));
    fs::create_directory_symlink(OnStick("d"), OnStick("through"));
    const std::vector<String> before = Tree();
    struct Case {
        TFileOperation Operation;
        String Source, Dest, Message;
    } cases[] = {
        {foCopy, "d", "d/sub", "Cannot copy the folder " + OnStick("d") + " into itself"},
        {foMove, "d", "d/sub", "Cannot move the folder " + OnStick("d") + " into itself"},
        {foCopy, "through", "d", "Cannot copy the folder " + OnStick("through") + " into itself"},
        {foCopy, "d", "d", "Cannot copy the folder " + OnStick("d") + " into itself"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Source + " into " + c.Dest);
        vt::DialogResponder responder;
        responder.Answer(mrOk);
        EXPECT_FALSE(Run(c.Operation, OnStick(c.Source), OnStick(c.Dest), {flSilent, flNoConfirmation}));
        EXPECT_EQ(responder.Last().Text, c.Message);
        EXPECT_EQ(Tree(), before);
    }
}

// Copied onto its own parent with rename on collision, a folder becomes "Copy of" it.
TEST_F(HostileTreeTest, AFolderCopiedOntoItsParentWithRenameOnCollisionBecomesACopyOfItself)
{
    WriteOnStick("d/file.txt", "x");
    EXPECT_TRUE(Run(foCopy, OnStick("d"), stick->Folder(), {flSilent, flRenameOnCollision}));
    EXPECT_EQ(Tree(), (std::vector<String>{"Copy of d", "Copy of d/file.txt", "d", "d/file.txt"}));
}

TEST_F(HostileTreeTest, LinksInsideAFolderAreCopiedAsLinks)
{
    WriteOnStick("big/huge.bin", String(100000, 'b'));
    WriteOnStick("d/file.txt", "x");
    fs::create_directory_symlink("..", OnStick("d/up"));
    fs::create_symlink("nowhere.txt", OnStick("d/dangling"));
    fs::create_directory_symlink(OnStick("big"), OnStick("d/big"));
    EXPECT_TRUE(Run(foCopy, OnStick("d"), OnStick("copy")));
    EXPECT_EQ(Tree("copy"), (std::vector<String>{"big -> " + OnStick("big"), "dangling -> nowhere.txt",
                                                  "file.txt", "up -> .."}));
    EXPECT_EQ(Read(OnStick("big/huge.bin")).size(), 100000u);
}

// A copy onto a link writes through it: the link stays and the file it names gets the bytes, as a
// copy onto a link does on the system the routines come from. A link among the entries of a copied
// folder replaces a link of that name.
TEST_F(HostileTreeTest, ACopyOntoALinkWritesThroughIt)
{
    const String source = WriteOnStick("new.txt", "new");
    WriteOnStick("target/real.txt", "old");
    fs::create_symlink(OnStick("target/real.txt"), OnStick("link.txt"));
    CopyFile(source, OnStick("link.txt"));
    EXPECT_TRUE(fs::is_symlink(OnStick("link.txt")));
    EXPECT_EQ(Read(OnStick("target/real.txt")), "new");

    WriteOnStick("d/real.txt", "newer");
    EXPECT_TRUE(Run(foCopy, OnStick("d/real.txt"), OnStick("link.txt"), {flSilent, flNoConfirmation}));
    EXPECT_EQ(Read(OnStick("target/real.txt")), "newer");

    fs::create_symlink("elsewhere", OnStick("d/link"));
    fs::create_directories(OnStick("e"));
    fs::create_symlink("before", OnStick("e/link"));
    EXPECT_TRUE(Run(foCopy, OnStick("d"), OnStick("e"), {flSilent, flNoConfirmation}));
    EXPECT_EQ(fs::read_symlink(OnStick("e/d/link")).string(), "elsewhere");
}

TEST_F(HostileTreeTest, ANamedPipeIsRefusedWithAMessageAndNothingIsWritten)
{
    WriteOnStick("d/file.txt", "x");
    ASSERT_EQ(::mkfifo(OnStick("d/pipe").c_str(), 0644), 0);
    fs::create_directory_symlink(OnStick("d"), OnStick("through"));
    const std::vector<String> before = Tree();
    auto refusal = [](const String& pipe) { return pipe + " is no file, folder or link and is not copied"; };
    for (const String source : {"d", "through"}) {  // the folder, and the folder through a link
        SCOPED_TRACE(source);
        vt::DialogResponder responder;
        responder.Answer(mrOk);
        EXPECT_FALSE(Run(foCopy, OnStick(source), OnStick("copy")));
        EXPECT_EQ(responder.Last().Text, refusal(OnStick(source + "/pipe")));
    }
    EXPECT_EQ(Tree(), before);
    try {
        CopyFile(OnStick("d/pipe"), OnStick("pipe.copy"));
        FAIL() << "a named pipe was copied";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), refusal(OnStick("d/pipe")));
    }
    EXPECT_EQ(Tree(), before);
}

// Names up to the longest a file system takes copy, the temporary name beside them included.
TEST_F(HostileTreeTest, TheLongestNamesCopy)
{
    fs::create_directories(OnStick("out"));
    for (std::size_t length : {247u, 248u, 255u}) {
        SCOPED_TRACE(length);
        const String name(length, 'n');
        const String source = WriteOnStick(name, "long");
        CopyFile(source, OnStick("out"));
        EXPECT_EQ(Read(OnStick("out/" + name)), "long");
        fs::remove(OnStick("out/" + name));
        EXPECT_TRUE(Run(foCopy, source, OnStick("out")));
        EXPECT_EQ(Read(OnStick("out/" + name)), "long");
        fs::remove(source);
    }
    EXPECT_EQ(Tree("out").size(), 3u);  // no temporary file left beside them
}

// An ordinary user's copy of a folder with an unreadable subfolder: refused, nothing written,
// and no exception of the standard library escapes. Runs in a child process under another uid.
TEST_F(HostileTreeTest, AnOrdinaryUsersCopyOfAnUnreadableFolderReturnsFalse)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to drop to another user";
    WriteOnStick("d/file.txt", "x");
    WriteOnStick("d/secret/hidden.txt", "y");
    ::chmod(OnStick("d/secret").c_str(), 0700);
    fs::create_directories(OnStick("out"));
    ::chmod(OnStick("out").c_str(), 0777);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        int failures = 0;
        try {
            failures += Run(foCopy, OnStick("d"), OnStick("out"), {flSilent, flNoErrorUI}) ? 1 : 0;
            failures += ClearDir(OnStick("d"), false) ? 1 : 0;
            failures += DeleteFiles(OnStick("d/secret/*")) ? 0 : 1;  // nothing it can list
        } catch (...) {
            ::_exit(20);
        }
        ::_exit(failures);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Tree("out"), std::vector<String>{});
}

}  // namespace
