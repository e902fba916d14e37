// The clipboard over QClipboard: text as text, bitmaps as images, other formats as MIME data
// under a name of our own.
#include "ui/kernel/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <map>

#include "rtl/Exceptions.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Controls_p.h"

namespace {

std::map<String, unsigned>& Formats()
{
    static std::map<String, unsigned> formats;
    return formats;
}

QString MimeOf(unsigned format) { return QStringLiteral("application/x-vantrel-clipboard-%1").arg(format); }

QClipboard* System()
{
    vt::EnsureQtApplication();
    return QApplication::clipboard();
}

// Fresh clipboard content, holding a copy of the current formats when adding to them.
QMimeData* NewContent(bool adding)
{
    auto* content = new QMimeData;
    const QMimeData* current = System()->mimeData();
    if (!adding || !current)
        return content;
    for (const QString& format : current->formats())
        content->setData(format, current->data(format));
    if (current->hasImage())
        content->setImageData(current->imageData());
    return content;
}

}  // namespace

unsigned RegisterClipboardFormat(const String& name)
{
    auto& formats = Formats();
    const String key = UpperCase(name);
    auto it = formats.find(key);
    if (it != formats.end())
        return it->second;
    const unsigned format = 0xC000 + static_cast<unsigned>(formats.size());
    formats[key] = format;
    return format;
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}

String TClipboard::AsText() const { return vt::FromQString(System()->text()); }

void TClipboard::SetAsText(const String& v)
{
    QMimeData* content = NewContent(Adding());
    content->setText(vt::ToQString(v));
    System()->setMimeData(content);
}

void TClipboard::Open()
{
    if (FOpenCount++ == 0)
        FFilled = false;
}

void TClipboard::Close()
{
    if (FOpenCount > 0)
        --FOpenCount;
}

bool TClipboard::Adding()
{
    const bool adding = FOpenCount > 0 && FFilled;
    FFilled = FOpenCount > 0;
    return adding;
}

bool TClipboard::HasFormat(unsigned format) const
{
    const QMimeData* data = System()->mimeData();
    if (!data)
        return false;
    if (format == CF_TEXT || format == CF_UNICODETEXT)
        return data->hasText();
    if (format == CF_BITMAP || format == CF_DIB)
        return data->hasImage();
    return data->hasFormat(MimeOf(format));
}

void TClipboard::Clear()
{
    System()->clear();
    FFilled = false;
}

std::vector<std::uint8_t> TClipboard::GetAsBytes(unsigned format) const
{
    if (format == CF_TEXT || format == CF_UNICODETEXT) {
        const String text = AsText();
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    const QMimeData* data = System()->mimeData();
    if (!data)
        return {};
    if (format == CF_BITMAP || format == CF_DIB) {
        TBitmap bitmap;
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (image.isNull())
            return {};
        bitmap.Image() = image.convertToFormat(QImage::Format_RGB32);
        bitmap.SetPixelFormat(pf24bit);
        return bitmap.SaveToBytes();
    }
    const QByteArray bytes = data->data(MimeOf(format));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void TClipboard::SetAsBytes(unsigned format, const std::vector<std::uint8_t>& data)
{
    if (format == CF_TEXT || format == CF_UNICODETEXT) {
        SetAsText(String(data.begin(), data.end()));
        return;
    }
    if (format == CF_BITMAP || format == CF_DIB) {
        TBitmap bitmap;
        bitmap.LoadFromBytes(data);
        QMimeData* content = NewContent(Adding());
        content->setImageData(bitmap.Image());
        System()->setMimeData(content);
        return;
    }
    QMimeData* mime = NewContent(Adding());
    mime->setData(MimeOf(format), QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
    System()->setMimeData(mime);
}

void TClipboard::Assign(TPersistent* Source)
{
    TGraphic* graphic = nullptr;
    if (auto* picture = dynamic_cast<TPicture*>(Source))
        graphic = picture->Graphic();
    else
        graphic = dynamic_cast<TGraphic*>(Source);
    if (!graphic) {
        TPersistent::Assign(Source);
        return;
    }
    // A graphic may put further formats of its own beside the one it hands back.
    const ClipboardOpen open(this);
    unsigned format = CF_BITMAP;
    const std::vector<std::uint8_t> bytes = graphic->SaveToClipboardFormat(format);
    SetAsBytes(format, bytes);
}

void TClipboard::AssignTo(TPersistent* Dest)
{
    auto* picture = dynamic_cast<TPicture*>(Dest);
    auto* bitmap = dynamic_cast<TBitmap*>(Dest);
    if (!picture && !bitmap) {
        TPersistent::AssignTo(Dest);
        return;
    }
    if (bitmap) {
        bitmap->LoadFromBytes(GetAsBytes(CF_BITMAP));
        return;
    }
    const QMimeData* data = System()->mimeData();
    if (data && data->hasImage()) {
        picture->LoadFromClipboardFormat(CF_BITMAP, GetAsBytes(CF_BITMAP));
        return;
    }
    for (const auto& [name, format] : Formats())
        if (HasFormat(format) && TPicture::SupportsClipboardFormat(format)) {
            picture->LoadFromClipboardFormat(format, GetAsBytes(format));
            return;
        }
    throw EInvalidGraphic("Unsupported clipboard format");
}
