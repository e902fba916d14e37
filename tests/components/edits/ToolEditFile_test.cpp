// The file and directory edits: the file name text (validation, quoting, command-line clipping),
// their dialogs through the test responder (start folder and name, the choice taken, the
// before and after events), the real file dialog's history and picture preview, and files
// dropped from the desktop.
#include "components/edits/ToolEditFile.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

#include <filesystem>
#include <fstream>

#include "components/graphics/VtGIF.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "tests/components/ModalDialog.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/dialogs/PictureDialogs.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

namespace fs = std::filesystem;

class FileEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        dir = fs::temp_directory_path() / ("vt_fileedit_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "sub dir");
        std::ofstream(dir / "sub dir" / "a file.txt") << "x";
        std::ofstream(dir / "b.txt") << "x";
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 200);
        fileEdit = Place<TFilenameEdit>();
        dirEdit = Place<TDirectoryEdit>();
    }
    void TearDown() override
    {
        delete form;
        fs::remove_all(dir);
    }
    template <class T>
    T* Place()
    {
        auto* edit = new T(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 250, 21);
        return edit;
    }
    String Path(const char* name) const { return (dir / name).string(); }

    fs::path dir;
    TForm* form = nullptr;
    TFilenameEdit* fileEdit = nullptr;
    TDirectoryEdit* dirEdit = nullptr;
};

// A user chooses once the dialog lists its folder: until then the dialog's own loading may
// still change its selection.
void WaitForTheListing(QDialog* dialog)
{
    auto* list = dialog->findChild<QListView*>("listView");
    ASSERT_NE(list, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(list->model());
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(vt::testing::WaitUntil([&] { return model->rowCount(list->rootIndex()) >= 2; }));
}

TEST_F(FileEditTest, FileNamesAreValidatedQuotedAndReadBack)
{
    const String spaced = Path("sub dir/a file.txt");
    fileEdit->SetFileName(spaced);
    EXPECT_EQ(fileEdit->Text(), "\"" + spaced + "\"");
    EXPECT_EQ(fileEdit->FileName(), spaced);

    fileEdit->SetText("/usr/bin/tool --flag value");
    EXPECT_EQ(fileEdit->FileName(), "/usr/bin/tool");

    try {
        fileEdit->SetFileName("  ");  // no file name in it
        FAIL();
    } catch (const EComboEditError& e) {
        EXPECT_EQ(e.Message(), "Invalid file name -   ");
    }
    EXPECT_EQ(fileEdit->FileName(), "/usr/bin/tool");
    fileEdit->SetFileName("");
    EXPECT_EQ(fileEdit->Text(), "");
}

// Whatever a name holds, the name set is the name read back, also for a file not made yet.
TEST_F(FileEditTest, ANameSetIsReadBackAsItWasSet)
{
    for (const char* name : {"say \"hi\" now.txt", "\"quoted\".txt", "two words.txt", "/tmp/x \"y\" z/w.txt",
                             "plain.txt"}) {
        fileEdit->SetFileName(name);
        EXPECT_EQ(fileEdit->FileName(), name);
    }
    fileEdit->SetText("say \"hi\" now.txt");  // typed: read as a command line
    EXPECT_EQ(fileEdit->FileName(), "say");
}

TEST_F(FileEditTest, TheFileDialogStartsAtTheFileShownAndItsChoiceBecomesTheText)
{
    fileEdit->SetFileName(Path("b.txt"));
    const String chosen = Path("sub dir/a file.txt");
    vt::DialogResponder responder;
    responder.AnswerFile(chosen);
    fileEdit->DoClick();
    const vt::ShownDialog& shown = responder.Last();
    EXPECT_EQ(shown.Kind, "Open");
    EXPECT_EQ(shown.Caption, "Browse");
    EXPECT_EQ(shown.Text, "All files (*.*)|*.*");
    EXPECT_EQ(shown.FileName, Path("b.txt"));
    EXPECT_EQ(fs::path(shown.InitialDir), fs::path(dir.string() + "/"));
    EXPECT_EQ(fileEdit->FileName(), chosen);
    EXPECT_EQ(fileEdit->InitialDir(), Path("sub dir/"));

    fileEdit->SetDialogKind(dkSave);
    responder.Answer(mrCancel);
    fileEdit->DoClick();
    EXPECT_EQ(responder.Last().Kind, "Save");
    EXPECT_EQ(responder.Last().Caption, "Browse");
    EXPECT_EQ(fileEdit->FileName(), chosen);
}

// Names Linux takes, though other systems refuse some of their characters, are picked and shown.
TEST_F(FileEditTest, AnExistingFileWithBracketsQuotesOrBarsIsPicked)
{
    for (const char* name : {"report[final].txt", "a|b <draft>.txt", "\"quoted\".txt"}) {
        const String file = Path(name);
        std::ofstream(file) << "x";
        vt::DialogResponder responder;
        responder.AnswerFile(file).Answer(mrCancel);
        fileEdit->DoClick();
        EXPECT_EQ(fileEdit->FileName(), file) << name;
        fileEdit->DoClick();  // and the dialog starts on it again
        EXPECT_EQ(responder.Shown().back().FileName, file) << name;
    }
}

TEST_F(FileEditTest, TheDialogEventsCanStopOrChangeTheChoice)
{
    vt::DialogResponder responder;
    fileEdit->OnBeforeDialog = [](TObject*, String&, bool& action) { action = false; };
    fileEdit->DoClick();
    EXPECT_TRUE(responder.Shown().empty());

    fileEdit->OnBeforeDialog = nullptr;
    fileEdit->OnAfterDialog = [this](TObject*, String& name, bool&) { name = Path("b.txt"); };
    responder.AnswerFile(Path("sub dir/a file.txt"));
    fileEdit->DoClick();
    EXPECT_EQ(fileEdit->FileName(), Path("b.txt"));
}

TEST_F(FileEditTest, TheDirectoryDialogStartsAtTheFolderShownOrTheRootAndAppendsWithMultipleDirs)
{
    struct Case {
        String Text;
        String Start;
    } cases[] = {{Path("sub dir"), Path("sub dir")}, {"/no/such/folder", "/"}};
    for (const Case& c : cases) {
        vt::DialogResponder responder;
        dirEdit->SetText(c.Text);
        responder.AnswerFile(dir.string());
        dirEdit->DoClick();
        EXPECT_EQ(responder.Last().Kind, "SelectDirectory");
        EXPECT_EQ(responder.Last().FileName, c.Start);
        EXPECT_EQ(dirEdit->Text(), dir.string());
    }
    dirEdit->SetMultipleDirs(true);
    vt::DialogResponder responder;
    responder.AnswerFile(Path("sub dir"));
    dirEdit->DoClick();
    EXPECT_EQ(dirEdit->Text(), dir.string() + ";" + Path("sub dir"));
    EXPECT_EQ(dirEdit->InitialDir(), Path("sub dir"));
}

TEST_F(FileEditTest, AFolderThatDoesNotExistIsRefusedAcceptedAskedAboutOrCreatedByDialogOptions)
{
    const String missing = Path("Été 2026/camp's rosters");
    struct Case {
        TSelectDirOpts Options;
        std::vector<int> Answers;  // mrOk picks the missing folder
        std::vector<String> Shown;
        bool Chosen;
        bool Created;
    } cases[] = {
        {{}, {mrOk, mrCancel}, {"SelectDirectory", "SelectDirectory"}, false, false},
        {{sdAllowCreate}, {mrOk}, {"SelectDirectory"}, true, false},
        {{sdAllowCreate, sdPerformCreate}, {mrOk}, {"SelectDirectory"}, true, true},
        {{sdAllowCreate, sdPrompt, sdPerformCreate},
         {mrOk, mrNo, mrOk, mrYes},
         {"SelectDirectory", "MessageDlg", "SelectDirectory", "MessageDlg"},
         true,
         true},
        {{sdAllowCreate, sdPrompt, sdPerformCreate}, {mrOk, mrNo, mrCancel}, {"SelectDirectory", "MessageDlg", "SelectDirectory"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Shown.size());
        fs::remove_all(dir / "Été 2026");
        dirEdit->SetText(Path("sub dir"));
        dirEdit->SetDialogOptions(c.Options);
        vt::DialogResponder responder;
        for (int answer : c.Answers)
            answer == mrOk ? responder.AnswerFile(missing) : responder.Answer(answer);
        dirEdit->DoClick();
        std::vector<String> shown;
        for (const vt::ShownDialog& d : responder.Shown()) {
            shown.push_back(d.Kind);
            if (d.Kind == "MessageDlg")
                EXPECT_EQ(d.Text, "The specified directory does not exist. Create it?");
        }
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(dirEdit->Text(), c.Chosen ? missing : Path("sub dir"));
        EXPECT_EQ(fs::is_directory(fs::u8path(missing)), c.Created);
    }
}

TEST_F(FileEditTest, TheHistoryListIsOfferedByTheDialogAndKeptAcrossDialogKinds)
{
    TStringList history;
    history.Add(Path("sub dir"));
    history.Add("/tmp");
    fileEdit->SetHistoryList(&history);
    fileEdit->SetDialogKind(dkOpenPicture);
    QStringList offered;
    vt::testing::ModalDialogDriver driver([&](QDialog* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(fileDialog, nullptr);
        offered = fileDialog->history();
        WaitForTheListing(dialog);
        // The name typed into the dialog's name field, as a user chooses it: selectFile would
        // leave a field that has the focus alone.
        auto* name = fileDialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(Path("b.txt")));
        dialog->accept();  // the file dialog's own accept, as its OK button
    });
    fileEdit->DoClick();
    ASSERT_TRUE(driver.Ran());
    EXPECT_TRUE(offered.contains(QString::fromStdString(Path("sub dir")))) << offered.join(",").toStdString();
    EXPECT_TRUE(offered.contains("/tmp"));
    EXPECT_EQ(fileEdit->FileName(), Path("b.txt"));
    ASSERT_EQ(fileEdit->HistoryList()->Count(), 2);
    EXPECT_EQ(fileEdit->HistoryList()->Strings(0), Path("sub dir"));
    EXPECT_EQ(fileEdit->HistoryList()->Strings(1), "/tmp");
}

// With the combo-box style the dialog's name field lists the history list; the style is kept
// when the dialog kind changes.
TEST_F(FileEditTest, TheComboBoxStyleListsTheHistoryInTheNameField)
{
    TStringList history;
    history.Add(Path("b.txt"));
    history.Add(Path("sub dir/a file.txt"));
    fileEdit->SetHistoryList(&history);
    fileEdit->SetFileEditStyle(fsComboBox);
    fileEdit->SetDialogKind(dkOpenPicture);
    EXPECT_EQ(fileEdit->FileEditStyle(), fsComboBox);
    QStringList listed;
    vt::testing::ModalDialogDriver driver([&](QDialog* dialog) {
        auto* combo = dialog->findChild<QComboBox*>("fileNameCombo");
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->count(); ++i)
            listed << combo->itemText(i);
        WaitForTheListing(dialog);
        combo->setCurrentIndex(1);  // the user picks the second entry
        dialog->accept();
    });
    fileEdit->DoClick();
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(listed, (QStringList{QString::fromStdString(Path("b.txt")),
                                   QString::fromStdString(Path("sub dir/a file.txt"))}));
    EXPECT_EQ(fileEdit->FileName(), Path("sub dir/a file.txt"));
}

// A BMP and a GIF written here: one small, one scaled to fit, one that is no picture.
TEST_F(FileEditTest, ThePictureDialogPreviewsThePictureUnderTheSelection)
{
    auto writeBitmap = [](const String& name, int width, int height) {
        TBitmap bitmap;
        bitmap.SetSize(width, height);
        bitmap.Canvas()->Brush()->SetColor(clRed);
        bitmap.Canvas()->FillRect(TRect(0, 0, width, height));
        bitmap.SaveToFile(name);
        return name;
    };
    writeBitmap(Path("small.bmp"), 40, 20);
    writeBitmap(Path("large.bmp"), 400, 200);
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(30, 50);
    TGIFImage gif;
    gif.Assign(&source);
    gif.SaveToFile(Path("tall.gif"));

    struct Case {
        const char* File;
        QSize Shown;  // the preview's picture; 0 x 0 for none
        const char* Size;
    } cases[] = {{"large.bmp", {160, 80}, "400 x 200"}, {"tall.gif", {30, 50}, "30 x 50"}, {"b.txt", {0, 0}, "(None)"}};
    for (TFileDialogKind kind : {dkOpenPicture, dkSavePicture}) {
        fileEdit->SetDialogKind(kind);
        fileEdit->SetFileName(Path("small.bmp"));
        vt::testing::ModalDialogDriver driver([&](QDialog* dialog) {
            auto* preview = dialog->findChild<QLabel*>(vt::kPicturePreviewName);
            auto* size = dialog->findChild<QLabel*>(vt::kPictureSizeName);
            auto* list = dialog->findChild<QListView*>("listView");
            ASSERT_TRUE(preview && size && list);
            EXPECT_EQ(preview->pixmap().size(), QSize(40, 20));
            EXPECT_EQ(size->text(), "40 x 20");
            auto* model = qobject_cast<QFileSystemModel*>(list->model());
            ASSERT_NE(model, nullptr);
            for (const Case& c : cases) {
                list->setCurrentIndex(model->index(QString::fromStdString(Path(c.File))));
                EXPECT_TRUE(vt::testing::WaitUntil([&] { return size->text() == c.Size; }))
                    << c.File << ": " << size->text().toStdString();
                EXPECT_EQ(preview->pixmap().size(), c.Shown) << c.File;
            }
        });
        fileEdit->DoClick();
        EXPECT_TRUE(driver.Ran());
        EXPECT_EQ(fileEdit->FileName(), Path("small.bmp"));  // cancelled
    }
}

TEST_F(FileEditTest, DroppedFilesTakeTheFirstOrAddEachFolder)
{
    form->Show();
    fileEdit->SetAcceptFiles(true);
    dirEdit->SetAcceptFiles(true);
    int drops = 0;
    fileEdit->OnDropFiles = [&](TObject*) { ++drops; };
    const std::vector<String> files{Path("b.txt"), Path("sub dir/a file.txt"), Path("sub dir")};
    vt::DropFiles(fileEdit, files);
    EXPECT_EQ(fileEdit->FileName(), Path("b.txt"));
    EXPECT_EQ(drops, 1);

    fileEdit->SetDialogOptions({ofHideReadOnly, ofAllowMultiSelect});
    vt::DropFiles(fileEdit, files);
    EXPECT_EQ(fileEdit->FileName(), Path("b.txt"));
    std::vector<String> listed;
    for (int i = 0; i < fileEdit->DialogFiles()->Count(); ++i)
        listed.push_back(fileEdit->DialogFiles()->Strings(i));
    EXPECT_EQ(listed, files);
    EXPECT_EQ(drops, 2);

    vt::DropFiles(dirEdit, files);
    EXPECT_EQ(dirEdit->Text(), dir.string());
    dirEdit->SetMultipleDirs(true);
    vt::DropFiles(dirEdit, {Path("sub dir/a file.txt"), Path("sub dir")});
    EXPECT_EQ(dirEdit->Text(), dir.string() + ";" + Path("sub dir") + ";" + Path("sub dir"));

    dirEdit->SetAcceptFiles(false);
    dirEdit->SetText("");
    vt::DropFiles(dirEdit, files);
    EXPECT_EQ(dirEdit->Text(), "");
}

}  // namespace
