// The folder browser on a tree over the file system model, folders only; the owner's callbacks
// run inside the dialog's set-up and on each change of the current item.
#include "ui/dialogs/FolderBrowser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"

namespace vt {

namespace {
// An exception out of a callback must not cross Qt's signal delivery.
void Guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        Application->HandleException(nullptr);
    }
}
}  // namespace

struct FolderBrowser::Window {
    QFileSystemModel model;  // outlives the tree that shows it
    QDialog dialog;
    QTreeView* tree;
    QDialogButtonBox* buttons;

    Window(QWidget* parent, const QString& text) : dialog(parent)
    {
        dialog.setWindowTitle(QStringLiteral("Browse for Folder"));
        dialog.setAccessibleName(dialog.windowTitle());
        auto* layout = new QVBoxLayout(&dialog);
        if (!text.isEmpty()) {
            auto* label = new QLabel(text, &dialog);
            label->setWordWrap(true);
            layout->addWidget(label);
        }
        model.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
        model.setRootPath(QStringLiteral("/"));
        tree = new QTreeView(&dialog);
        tree->setModel(&model);
        tree->setHeaderHidden(true);
        for (int column = 1; column < model.columnCount(); ++column)
            tree->hideColumn(column);
        layout->addWidget(tree);
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        dialog.resize(360, 420);
    }
    String CurrentPath() const
    {
        const QModelIndex current = tree->currentIndex();
        return current.isValid() ? FromQString(model.filePath(current)) : String();
    }
};

FolderBrowser::FolderBrowser() = default;
FolderBrowser::~FolderBrowser() = default;

bool FolderBrowser::Execute()
{
    const bool chosen = DialogResponder::Current() ? Respond() : Show();
    FWindow.reset();
    return chosen;
}

bool FolderBrowser::Respond()
{
    if (OnInitialized)
        OnInitialized();
    ShownDialog shown;
    shown.Kind = "SelectDirectory";
    shown.Caption = FText;
    shown.FileName = FSelection;
    String path;
    if (DialogResponder::Current()->Respond(shown, &path) != mrOk)
        return false;
    FFolder = path;
    return true;
}

bool FolderBrowser::Show()
{
    EnsureQtApplication();
    QWidget* parent = Screen->ActiveForm() ? Screen->ActiveForm()->Widget() : nullptr;
    FWindow = std::make_unique<Window>(parent, ToQString(FText));
    QObject::connect(FWindow->tree->selectionModel(), &QItemSelectionModel::currentChanged,
                     [this] { Guarded([this] { ReportSelection(); }); });
    // Shown before the set-up, so that its frame is known when it is centred.
    FWindow->dialog.setWindowModality(Qt::ApplicationModal);
    FWindow->dialog.show();
    if (OnInitialized)
        OnInitialized();
    if (!FWindow->tree->currentIndex().isValid())
        ReportSelection();  // the start, on no item
    if (FWindow->dialog.exec() != QDialog::Accepted)
        return false;
    FFolder = FWindow->CurrentPath();
    return true;
}

void FolderBrowser::ReportSelection()
{
    FSelection = FWindow->CurrentPath();
    if (OnSelChanged)
        OnSelChanged(FSelection);
}

void FolderBrowser::CenterOnScreen()
{
    if (!FWindow)
        return;
    QDialog& dialog = FWindow->dialog;
    QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}

void FolderBrowser::SetSelection(const String& path)
{
    FSelection = path;
    if (!FWindow)
        return;
    const QModelIndex item = FWindow->model.index(ToQString(path));
    for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
        FWindow->tree->expand(parent);
    FWindow->tree->setCurrentIndex(item);
    FWindow->tree->scrollTo(item);
}

void FolderBrowser::EnableOK(bool enable)
{
    if (FWindow)
        FWindow->buttons->button(QDialogButtonBox::Ok)->setEnabled(enable);
}

void FolderBrowser::AddButton(const String& caption, std::function<void()> onClick)
{
    if (!FWindow)
        return;
    QPushButton* button = FWindow->buttons->addButton(ToQString(caption), QDialogButtonBox::HelpRole);
    QObject::connect(button, &QPushButton::clicked, [onClick = std::move(onClick)] { Guarded(onClick); });
}

}  // namespace vt
