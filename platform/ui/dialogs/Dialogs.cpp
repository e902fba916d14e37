// Message boxes and file dialogs over Qt, or answered by the test responder when one is
// installed. Every box goes through vt::ShowMessageBox so that both roads see the same texts.
#include "ui/dialogs/Dialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/StringList.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"

namespace {

// Boxes and dialogs belong to the active form, when there is one.
QWidget* ActiveFormWidget() { return Screen->ActiveForm() ? Screen->ActiveForm()->Widget() : nullptr; }

String CaptionOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return Application->Title();
    }
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonText {
    int result;
    const char* text;
    QMessageBox::ButtonRole role;
};
constexpr ButtonText kButtons[] = {
    {mrOk, "OK", QMessageBox::AcceptRole},       {mrCancel, "Cancel", QMessageBox::RejectRole},
    {mrAbort, "&Abort", QMessageBox::RejectRole}, {mrRetry, "&Retry", QMessageBox::AcceptRole},
    {mrIgnore, "&Ignore", QMessageBox::AcceptRole}, {mrYes, "&Yes", QMessageBox::YesRole},
    {mrNo, "&No", QMessageBox::NoRole},           {mrAll, "&All", QMessageBox::YesRole},
    {mrNoToAll, "N&o to All", QMessageBox::NoRole}, {mrYesToAll, "Yes to &All", QMessageBox::YesRole},
};

// Offered in the class library's button order.
std::vector<int> ResultsOf(TMsgDlgButtons buttons)
{
    static const std::pair<TMsgDlgBtn, int> order[] = {
        {mbYes, mrYes}, {mbNo, mrNo}, {mbOK, mrOk}, {mbCancel, mrCancel}, {mbAbort, mrAbort},
        {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll}, {mbYesToAll, mrYesToAll}};
    std::vector<int> results;
    for (const auto& [button, result] : order)
        if (buttons.Contains(button))
            results.push_back(result);
    return results;
}

int RealMessageBox(const String& text, const String& caption, TMsgDlgType type, const std::vector<int>& buttons)
{
    vt::EnsureQtApplication();
    QMessageBox box(IconOf(type), vt::ToQString(caption), vt::ToQString(text), QMessageBox::NoButton,
                    ActiveFormWidget());
    box.setAccessibleName(vt::ToQString(caption));
    box.setAccessibleDescription(vt::ToQString(text));
    std::vector<std::pair<QAbstractButton*, int>> made;
    for (int result : buttons)
        for (const ButtonText& b : kButtons)
            if (b.result == result)
                made.emplace_back(box.addButton(QString::fromUtf8(b.text), b.role), result);
    if (!made.empty())
        box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
    box.exec();
    for (const auto& [button, result] : made)
        if (box.clickedButton() == button)
            return result;
    // Closed without a button: the cancel answer when there is one, else the first button.
    for (int result : buttons)
        if (result == mrCancel || result == mrNo)
            return result;
    return buttons.empty() ? mrOk : buttons.front();
}

// "Text files (*.txt)|*.txt|All|*.*" becomes Qt's "Text files (*.txt);;All (*.*)".
QString QtFilter(const String& filter)
{
    QStringList parts = vt::ToQString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << parts[i] + " (" + patterns + ")";
    }
    return out.join(";;");
}

}  // namespace

namespace vt {

int ShowMessageBox(const String& kind, const String& text, const String& caption, TMsgDlgType type,
                   const std::vector<int>& buttons)
{
    if (DialogResponder* responder = DialogResponder::Current()) {
        ShownDialog shown;
        shown.Kind = kind;
        shown.Text = text;
        shown.Caption = caption;
        shown.Type = type;
        shown.Buttons = buttons;
        return responder->Respond(shown, nullptr);
    }
    return RealMessageBox(text, caption, type, buttons);
}

void ShowHelp(const String& helpFile, unsigned command, long data)
{
    if (DialogResponder* responder = DialogResponder::Current()) {
        // The help window asks nothing: it is recorded but takes no answer.
        ShownDialog shown;
        shown.Kind = "Help";
        shown.Text = helpFile;
        shown.Caption = "Help Topics";
        responder->Record(shown);
        return;
    }
    vt::EnsureQtApplication();
    QMessageBox::information(ActiveFormWidget(),
                             QStringLiteral("Help Topics"),
                             QStringLiteral("Help file: %1").arg(vt::ToQString(helpFile)));
}

}  // namespace vt

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, long HelpCtx)
{
    return vt::ShowMessageBox("MessageDlg", Msg, CaptionOf(DlgType), DlgType, ResultsOf(Buttons));
}

void ShowMessage(const String& Msg)
{
    vt::ShowMessageBox("ShowMessage", Msg, Application->Title(), mtCustom, {mrOk});
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory)
{
    if (vt::DialogResponder* responder = vt::DialogResponder::Current()) {
        vt::ShownDialog shown;
        shown.Kind = "SelectDirectory";
        shown.Caption = Caption;
        shown.InitialDir = Root;
        shown.FileName = Directory;
        String path;
        const int result = responder->Respond(shown, &path);
        if (result != mrOk)
            return false;
        Directory = path;
        return true;
    }
    vt::EnsureQtApplication();
    const QString chosen = QFileDialog::getExistingDirectory(nullptr, vt::ToQString(Caption),
                                                             vt::ToQString(Directory.empty() ? Root : Directory));
    if (chosen.isEmpty())
        return false;
    Directory = vt::FromQString(chosen);
    return true;
}

namespace {
// The folder dialog of the options form: one that does not exist may be typed when it may be
// created.
bool PickDirectory(String& Directory, bool allowMissing)
{
    if (vt::DialogResponder* responder = vt::DialogResponder::Current()) {
        vt::ShownDialog shown;
        shown.Kind = "SelectDirectory";
        shown.Caption = "Select Directory";
        shown.FileName = Directory;
        String path;
        if (responder->Respond(shown, &path) != mrOk)
            return false;
        Directory = path;
        return true;
    }
    vt::EnsureQtApplication();
    QFileDialog dialog(ActiveFormWidget(),
                       QStringLiteral("Select Directory"), vt::ToQString(Directory));
    dialog.setFileMode(allowMissing ? QFileDialog::AnyFile : QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    Directory = vt::FromQString(dialog.selectedFiles().front());
    return true;
}

bool MayCreate(TSelectDirOpts options)
{
    if (!options.Contains(sdAllowCreate))
        return false;
    return !options.Contains(sdPrompt) ||
           MessageDlg("The specified directory does not exist. Create it?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}
}  // namespace

bool SelectDirectory(String& Directory, TSelectDirOpts Options)
{
    String chosen = Directory;
    while (true) {
        if (!PickDirectory(chosen, Options.Contains(sdAllowCreate)))
            return false;
        if (DirectoryExists(chosen) || MayCreate(Options))
            break;
    }
    if (Options.Contains(sdPerformCreate) && !DirectoryExists(chosen) && !ForceDirectories(chosen))
        throw Exception("Unable to create directory " + chosen);
    Directory = chosen;
    return true;
}

// ---------------------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TComponent(AOwner), FFiles(new TStringList), FHistoryList(new TStringList)
{
}

TOpenDialog::~TOpenDialog()
{
    delete FHistoryList;
    delete FFiles;
}

void TOpenDialog::SetHistoryList(TStrings* v) { FHistoryList->Assign(v); }

bool TOpenDialog::Execute() { return ExecuteAs(false); }
bool TSaveDialog::Execute() { return ExecuteAs(true); }

String TOpenDialog::WithDefaultExt(const String& name) const
{
    if (FDefaultExt.empty() || !ExtractFileExt(name).empty())
        return name;
    return name + "." + FDefaultExt;
}

namespace {
// The name field is put into an editable combo box listing the history; the dialog still reads
// the name from its own field.
void OfferHistoryInNameField(QFileDialog& dialog, const QStringList& history)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
    if (!edit || !layout)
        return;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    layout->getItemPosition(layout->indexOf(edit), &row, &column, &rowSpan, &columnSpan);
    const QString text = edit->text();
    auto* combo = new QComboBox(&dialog);
    combo->setObjectName(QStringLiteral("fileNameCombo"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setLineEdit(edit);
    // An editable combo makes its first item current while it is filled; the dialog must not
    // see that as a name typed, or it selects that file beside the one picked later.
    const QSignalBlocker quiet(edit);
    combo->addItems(history);
    combo->setCurrentIndex(-1);
    edit->setText(text);
    layout->addWidget(combo, row, column, rowSpan, columnSpan);
}
}  // namespace

// The library's own dialog rather than the desktop's, so that the history and the additions of
// PrepareDialog show.
bool TOpenDialog::ShowFileDialog(bool save, std::vector<String>& chosen)
{
    vt::EnsureQtApplication();
    QFileDialog dialog(ActiveFormWidget(), vt::ToQString(FTitle),
                       vt::ToQString(FFileName.empty() ? FInitialDir : FFileName), QtFilter(FFilter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                                      ? QFileDialog::AnyFile
                       : FOptions.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                               : QFileDialog::ExistingFile);
    if (FFilterIndex >= 1 && FFilterIndex <= dialog.nameFilters().size())
        dialog.selectNameFilter(dialog.nameFilters().at(FFilterIndex - 1));
    QStringList history;
    for (int i = 0; i < FHistoryList->Count(); ++i)
        history << vt::ToQString(FHistoryList->Strings(i));
    dialog.setHistory(history);
    if (FFileEditStyle == fsComboBox)
        OfferHistoryInNameField(dialog, history);
    PrepareDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    for (const QString& file : dialog.selectedFiles())
        chosen.push_back(vt::FromQString(file));
    return true;
}

bool TOpenDialog::ExecuteAs(bool save)
{
    if (OnShow)
        OnShow(this);
    std::vector<String> chosen;
    bool ok;
    if (vt::DialogResponder* responder = vt::DialogResponder::Current()) {
        vt::ShownDialog shown;
        shown.Kind = save ? "Save" : "Open";
        shown.Text = FFilter;
        shown.Caption = FTitle;
        shown.InitialDir = FInitialDir;
        shown.FileName = FFileName;
        chosen.emplace_back();
        ok = responder->Respond(shown, &chosen.front()) == mrOk;
    } else {
        ok = ShowFileDialog(save, chosen);
    }
    if (ok) {
        FFiles->Clear();
        for (const String& file : chosen)
            FFiles->Add(WithDefaultExt(file));
        FFileName = FFiles->Strings(0);
    }
    if (OnClose)
        OnClose(this);
    return ok;
}
