// The picture dialogs: the library's file dialog with a preview column added to its layout,
// refreshed whenever the current file changes.
#include "ui/dialogs/PictureDialogs.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>

#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Controls_p.h"

namespace {

constexpr int kPreviewSide = 160;

// The picture a file holds, drawn on a bitmap of its own size; nullptr when the file is no
// picture a registered format reads.
std::unique_ptr<TBitmap> LoadPicture(const String& fileName)
{
    if (fileName.empty() || !FileExists(fileName))
        return nullptr;
    TPicture picture;
    try {
        picture.LoadFromFile(fileName);
    } catch (const Exception&) {
        return nullptr;  // unreadable or no picture: nothing to preview
    }
    if (!picture.Graphic() || picture.Graphic()->Empty())
        return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(picture.Width(), picture.Height());
    picture.Graphic()->Draw(bitmap->Canvas(), TRect{0, 0, picture.Width(), picture.Height()});
    return bitmap;
}

// Shows the picture of the file, or "(None)".
void ShowPreview(QLabel* preview, QLabel* size, const QString& path)
{
    const std::unique_ptr<TBitmap> bitmap = LoadPicture(vt::FromQString(path));
    if (!bitmap) {
        preview->setPixmap(QPixmap());
        size->setText(QStringLiteral("(None)"));
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(bitmap->Image());
    if (pixmap.width() > kPreviewSide || pixmap.height() > kPreviewSide)
        pixmap = pixmap.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    preview->setPixmap(pixmap);
    size->setText(vt::ToQString(Format("%d x %d", {bitmap->Width(), bitmap->Height()})));
}

}  // namespace

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    SetFilter(TPicture::GraphicFilter());
}

void TOpenPictureDialog::PrepareDialog(QFileDialog& dialog)
{
    auto* column = new QVBoxLayout;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(vt::kPicturePreviewName);
    preview->setAccessibleName(QStringLiteral("Preview"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    auto* size = new QLabel(&dialog);
    size->setObjectName(vt::kPictureSizeName);
    size->setAlignment(Qt::AlignCenter);
    column->addWidget(preview);
    column->addWidget(size);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addLayout(column, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview, size](const QString& path) { ShowPreview(preview, size, path); });
    ShowPreview(preview, size, vt::ToQString(FileName()));
}

bool TSavePictureDialog::Execute() { return ExecuteAs(true); }
