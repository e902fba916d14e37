// Open and save dialogs for pictures: beside the file list a preview of the picture under the
// current selection, scaled to fit, with its size. Any format TPicture reads is shown.
#pragma once

#include "ui/dialogs/Dialogs.h"

namespace vt {
// The names the preview's parts carry, for tests and accessibility.
inline constexpr const char* kPicturePreviewName = "PicturePreview";
inline constexpr const char* kPictureSizeName = "PictureSize";
}  // namespace vt

class TOpenPictureDialog : public TOpenDialog {
public:
    // The filter starts as the registered picture formats.
    explicit TOpenPictureDialog(TComponent* AOwner);

protected:
    void PrepareDialog(QFileDialog& dialog) override;
};

class TSavePictureDialog : public TOpenPictureDialog {
public:
    explicit TSavePictureDialog(TComponent* AOwner) : TOpenPictureDialog(AOwner) {}
    bool Execute() override;
};
