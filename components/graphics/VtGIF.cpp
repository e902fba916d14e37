// The GIF picture class over the byte-level core: reading and writing streams, decoding frames
// into bitmaps on first use, encoding bitmaps back into frames, the clipboard and the editing
// operations. Copies of a picture are independent copies of its frames.
#include "components/graphics/VtGIF.h"

#include <algorithm>
#include <memory>

#include "components/graphics/AniFile.h"
#include "components/graphics/VtGraph.h"
#include "rtl/Exceptions.h"
#include "rtl/ResStrings.h"
#include "rtl/Streams.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/Clipboard.h"

bool GIFLoadCorrupted = true;
unsigned CF_GIF = 0;

namespace {

[[noreturn]] void RaiseGIF(int id) {
  vt::gif::RegisterTexts();
  throw EInvalidGraphicOperation(LoadStr(id));
}

// A claimed size is compared with what the stream holds before anything of that size is made.
std::vector<std::uint8_t> ReadBytes(TStream* stream, std::int64_t size) {
  if (size < 0 || size > stream->Size() - stream->Position()) throw EReadError("Stream read error");
  std::vector<std::uint8_t> bytes(std::size_t(size), 0);
  if (!bytes.empty()) stream->ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
  return bytes;
}

// Memory running out while a picture is read or decoded is the platform's resource error.
template <class Work>
auto WithinMemory(Work work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Out of system resources");
  }
}

void WriteBytes(TStream* stream, const std::vector<std::uint8_t>& bytes) {
  if (!bytes.empty()) stream->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

std::vector<std::uint8_t> BitmapBmp(TBitmap* bitmap) { return bitmap->SaveToBytes(); }

std::uint8_t GrayOf(TColor color) {
  return std::uint8_t((77 * (color & 0xFF) + 150 * ((color >> 8) & 0xFF) + 29 * ((color >> 16) & 0xFF)) >> 8);
}
TColor GrayColor(std::uint8_t gray) { return TColor(gray | (gray << 8) | (gray << 16)); }

}  // namespace

String GIFVersionName(TGIFVersion version) {
  switch (version) {
    case gv87a: return "87a";
    case gv89a: return "89a";
    default: return "";
  }
}

// ---- TGIFFrame ----

TGIFFrame::TGIFFrame(TGIFImage* owner) : owner_(owner) {}

TGIFFrame::~TGIFFrame() {
  delete bitmap_;
  delete commentLines_;
}

void TGIFFrame::Assign(TPersistent* Source) {
  if (auto* frame = dynamic_cast<TGIFFrame*>(Source)) {
    if (frame == this) return;
    data_ = frame->data_;
    grayscale_ = frame->grayscale_;
    DropBitmap();
    if (frame->bitmap_ && !frame->HasRaster()) {
      bitmap_ = new TBitmap;
      bitmap_->Assign(frame->bitmap_);
    }
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    data_ = vt::gif::Frame();
    DropBitmap();
    bitmap_ = new TBitmap;
    bitmap_->Assign(graphic);
    return;
  }
  TPersistent::Assign(Source);
}

void TGIFFrame::DropBitmap() {
  delete bitmap_;
  bitmap_ = nullptr;
}

TBitmap* TGIFFrame::Bitmap() {
  if (bitmap_ && !bitmap_->Empty()) return bitmap_;
  auto bitmap = std::make_unique<TBitmap>();
  if (HasRaster()) {
    WithinMemory([&] {
      bool corrupted = false;
      std::vector<std::uint8_t> bmp = vt::gif::FrameToBmp(data_, GIFLoadCorrupted, corrupted, owner_->ProgressHook());
      data_.corrupted = data_.corrupted || corrupted;
      bitmap->LoadFromBytes(bmp);
    });
  }
  delete bitmap_;
  bitmap_ = bitmap.release();
  return bitmap_;
}

int TGIFFrame::Width() {
  if (!bitmap_ && !HasRaster()) return 0;
  return HasRaster() ? data_.width : bitmap_->Width();
}

int TGIFFrame::Height() {
  if (!bitmap_ && !HasRaster()) return 0;
  return HasRaster() ? data_.height : bitmap_->Height();
}

void TGIFFrame::SetTopLeft(const TPoint& value) {
  data_.left = value.X;
  data_.top = value.Y;
  owner_->NoteChange();
}

void TGIFFrame::SetTransparentColor(TColor value) {
  data_.transparent = value;
  owner_->NoteChange();
}

void TGIFFrame::SetAnimateInterval(int value) {
  data_.interval = std::clamp(value, 0, 0xFFFF * 10);
  owner_->NoteChange();
}

void TGIFFrame::SetDisposalMethod(TDisposalMethod value) {
  data_.disposal = int(value);
  owner_->NoteChange();
}

String TGIFFrame::Comment() const {
  String text;
  for (const vt::gif::Extension& extension : data_.extensions)
    if (extension.kind == vt::gif::kComment)
      for (const std::string& block : extension.data) text += block;
  return text;
}

void TGIFFrame::SetComment(const String& value) {
  std::erase_if(data_.extensions, [](const vt::gif::Extension& e) { return e.kind == vt::gif::kComment; });
  if (!value.empty()) {
    vt::gif::Extension comment{vt::gif::kComment, {}, {}};
    for (std::size_t at = 0; at < value.size(); at += 255) comment.data.push_back(value.substr(at, 255));
    data_.extensions.push_back(std::move(comment));
  }
  owner_->NoteChange();
}

vt::gif::Extension* TGIFFrame::FirstComment() {
  for (vt::gif::Extension& extension : data_.extensions)
    if (extension.kind == vt::gif::kComment) return &extension;
  return nullptr;
}

TStrings* TGIFFrame::FindComment(bool ForceCreate) {
  vt::gif::Extension* comment = FirstComment();
  if (!comment && !ForceCreate) return nullptr;
  if (!commentLines_) {
    commentLines_ = new TStringList;
    commentLines_->OnChange = [this](TObject*) { StoreCommentLines(); };
  }
  readingComment_ = true;
  commentLines_->Clear();
  if (comment)
    for (const std::string& line : comment->data) commentLines_->Add(line);
  readingComment_ = false;
  return commentLines_;
}

// The lines edited go back into the first comment extension, made again if it was dropped.
void TGIFFrame::StoreCommentLines() {
  if (readingComment_) return;
  vt::gif::Extension* comment = FirstComment();
  if (!comment) comment = &data_.extensions.emplace_back(vt::gif::Extension{vt::gif::kComment, {}, {}});
  comment->data.clear();
  for (int i = 0; i < commentLines_->Count(); ++i) comment->data.push_back(commentLines_->Strings(i));
  owner_->NoteChange();
}

void TGIFFrame::Draw(TCanvas* ACanvas, const TRect& ARect, bool Transparent) {
  TBitmap* bitmap = Bitmap();
  if (Transparent && data_.transparent != clNone) {
    TBitmap copy;
    copy.Assign(bitmap);
    copy.SetTransparentColor(data_.transparent);
    copy.SetTransparent(true);
    ACanvas->StretchDraw(ARect, &copy);
  } else {
    ACanvas->StretchDraw(ARect, bitmap);
  }
}

// Makes the frame's raster data from its bitmap: 1, 4 or 8 bits as they are, any other depth
// reduced to 8 bits first.
void TGIFFrame::EncodeRasterData() {
  if (!bitmap_ || bitmap_->Empty()) RaiseGIF(vt::gif::SNoGIFData);
  std::vector<std::uint8_t> bmp;
  TPixelFormat format = bitmap_->PixelFormat();
  if (format == pf1bit || format == pf4bit || format == pf8bit) {
    bmp = BitmapBmp(bitmap_);
  } else {
    std::unique_ptr<TMemoryStream> stream(
        BitmapToMemoryStream(bitmap_, pf8bit, grayscale_ ? mmGrayscale : DefaultMappingMethod));
    bmp.assign(stream->Memory(), stream->Memory() + stream->Size());
  }
  vt::gif::EncodeBitmapStream(owner_->picture_, data_, bmp, owner_->ProgressHook());
}

void TGIFFrame::GrayscaleImage(bool ForceEncoding) {
  if (grayscale_) return;
  grayscale_ = true;
  if (HasRaster() && data_.table.count > 0) {
    int transparentIndex = -1;
    const TColor transparent = data_.transparent == clNone ? clNone : ColorToRGB(data_.transparent);
    for (int i = 0; i < data_.table.count && transparent != clNone; ++i)
      if (data_.table.colors[i] == transparent) {
        transparentIndex = i;
        break;
      }
    for (int i = 0; i < data_.table.count; ++i) data_.table.colors[i] = GrayColor(GrayOf(data_.table.colors[i]));
    if (transparentIndex >= 0) data_.transparent = data_.table.colors[transparentIndex];
    DropBitmap();
    return;
  }
  TBitmap* bitmap = Bitmap();
  GrayscaleBitmap(bitmap);
  // A new item made from the grey bitmap; the frame's own settings and comments stay, and its
  // transparent colour becomes the grey its pixels turned into.
  vt::gif::Frame fresh;
  fresh.left = data_.left;
  fresh.top = data_.top;
  fresh.interval = data_.interval;
  fresh.disposal = data_.disposal;
  fresh.extensions = std::move(data_.extensions);
  if (data_.transparent != clNone) fresh.transparent = GrayColor(GrayOf(ColorToRGB(data_.transparent)));
  data_ = std::move(fresh);
  if (ForceEncoding) EncodeRasterData();
}

// ---- TGIFImage ----

TGIFImage::TGIFImage() : comment_(new TStringList) { SetTransparent(true); }

TGIFImage::~TGIFImage() {
  Clear();
  delete comment_;
}

void TGIFImage::Clear() {
  for (TGIFFrame* frame : frames_) delete frame;
  frames_.clear();
  frameIndex_ = -1;
  picture_ = vt::gif::Picture();
  comment_->Clear();
}

void TGIFImage::NoteChange() {
  SetModified(true);
  Changed();
}

void TGIFImage::ProgressChanged(vt::gif::Stage stage, int percent) {
  if (OnProgress) OnProgress(this, TProgressStage(stage), Byte(std::clamp(percent, 0, 100)), false, TRect{}, "");
}

vt::gif::Progress TGIFImage::ProgressHook() {
  if (!OnProgress) return {};
  return [this](vt::gif::Stage stage, int percent) { ProgressChanged(stage, percent); };
}

bool TGIFImage::Empty() const {
  if (frames_.empty()) return true;
  const TGIFFrame* frame = frames_[std::size_t(std::max(frameIndex_, 0))];
  return !frame->bitmap_ && !frame->HasRaster();
}

int TGIFImage::Width() const {
  if (Empty() || frameIndex_ < 0 || frameIndex_ >= Count()) return 0;
  return frames_[std::size_t(frameIndex_)]->Bitmap()->Width();
}

int TGIFImage::Height() const {
  if (Empty() || frameIndex_ < 0 || frameIndex_ >= Count()) return 0;
  return frames_[std::size_t(frameIndex_)]->Bitmap()->Height();
}

void TGIFImage::SetWidth(int) { RaiseGIF(vt::gif::SChangeGIFSize); }
void TGIFImage::SetHeight(int) { RaiseGIF(vt::gif::SChangeGIFSize); }

bool TGIFImage::Transparent() const {
  return TGraphic::Transparent() &&
         std::any_of(frames_.begin(), frames_.end(), [](const TGIFFrame* f) { return f->data_.transparent != clNone; });
}

void TGIFImage::LoadFromStream(TStream* Stream) {
  ReadStream(Stream->Size() - Stream->Position(), Stream, true);
}

void TGIFImage::SaveToStream(TStream* Stream) { WriteStream(Stream, false); }

void TGIFImage::ReadData(TStream* Stream) {
  std::int32_t size = 0;
  Stream->ReadBuffer(&size, 4);
  ReadStream(size, Stream, true);
}

void TGIFImage::WriteData(TStream* Stream) { WriteStream(Stream, true); }

void TGIFImage::LoadFromResourceName(void* Instance, const String& ResName) {
  const std::vector<std::uint8_t>& bytes = vt::ResourceBytes(ResName, RT_RCDATA);
  TMemoryStream stream;
  WriteBytes(&stream, bytes);
  stream.SetPosition(0);
  ReadStream(stream.Size(), &stream, true);
}

void TGIFImage::LoadFromResourceID(void* Instance, int ResID) {
  LoadFromResourceName(Instance, "#" + std::to_string(ResID));
}

void TGIFImage::ReadStream(std::int64_t Size, TStream* Stream, bool ForceDecode) {
  Clear();
  std::vector<std::uint8_t> copy = WithinMemory([&] { return ReadBytes(Stream, Size); });
  vt::gif::Picture picture;
  try {
    WithinMemory([&] { vt::gif::ReadPicture(copy.data(), copy.size(), GIFLoadCorrupted, picture); });
  } catch (...) {
    // The frames read before the fault stay.
    std::vector<vt::gif::Frame> frames = std::move(picture.frames);
    picture.frames.clear();
    picture_ = std::move(picture);
    for (vt::gif::Frame& data : frames) {
      frames_.push_back(new TGIFFrame(this));
      frames_.back()->data_ = std::move(data);
    }
    if (!frames_.empty()) frameIndex_ = 0;
    throw;
  }
  for (vt::gif::Frame& data : picture.frames) {
    frames_.push_back(new TGIFFrame(this));
    frames_.back()->data_ = std::move(data);
  }
  picture.frames.clear();
  picture_ = std::move(picture);
  for (const std::string& line : picture_.comment) comment_->Add(line);
  if (!frames_.empty()) {
    frameIndex_ = 0;
    if (ForceDecode) {
      try {
        frames_[0]->Bitmap();
      } catch (...) {
        delete frames_[0];
        frames_.erase(frames_.begin());
        frameIndex_ = frames_.empty() ? -1 : 0;
        throw;
      }
    }
  }
  Changed();
}

void TGIFImage::WriteStream(TStream* Stream, bool WriteSize) {
  if (frames_.empty()) RaiseGIF(vt::gif::SNoGIFData);
  EncodeFrames(false);
  vt::gif::Picture picture = picture_;
  for (int i = 0; i < comment_->Count(); ++i) picture.comment.push_back(comment_->Strings(i));
  for (TGIFFrame* frame : frames_) picture.frames.push_back(frame->data_);
  // Colours are looked up in the tables as RGB: a system colour is resolved first.
  if (picture.background != clNone) picture.background = ColorToRGB(picture.background);
  for (vt::gif::Frame& frame : picture.frames)
    if (frame.transparent != clNone) frame.transparent = ColorToRGB(frame.transparent);
  std::vector<std::uint8_t> bytes = vt::gif::WritePicture(picture);
  picture_.version = picture.version;
  picture_.screenWidth = picture.screenWidth;
  picture_.screenHeight = picture.screenHeight;
  for (std::size_t i = 0; i < frames_.size(); ++i) frames_[i]->data_.extensions = picture.frames[i].extensions;
  if (WriteSize) {
    std::int32_t size = std::int32_t(bytes.size());
    Stream->WriteBuffer(&size, 4);
  }
  WriteBytes(Stream, bytes);
}

void TGIFImage::EncodeFrames(bool ReplaceBitmaps) {
  for (TGIFFrame* frame : frames_) {
    if (frame->HasRaster()) continue;
    frame->EncodeRasterData();
    if (ReplaceBitmaps && frame->bitmap_ && frame->bitmap_->Palette().empty()) frame->DropBitmap();
  }
  for (TGIFFrame* frame : frames_) vt::gif::UpdateExtensions(picture_, frame->data_);
}

void TGIFImage::DecodeAllFrames() {
  for (TGIFFrame* frame : frames_) frame->Bitmap();
}

void TGIFImage::SetFrameIndex(int Value) {
  Value = std::clamp(Value, -1, Count() - 1);
  if (Value == frameIndex_) return;
  frameIndex_ = Value;
  Changed();
}

TBitmap* TGIFImage::Bitmap() {
  if (frames_.empty()) {
    TBitmap empty;
    AddFrame(&empty);
  }
  int index = frameIndex_ >= 0 && frameIndex_ < Count() ? frameIndex_ : 0;
  return frames_[std::size_t(index)]->Bitmap();
}

void TGIFImage::SetBackgroundColor(TColor Value) {
  picture_.background = Value;
  NoteChange();
}

void TGIFImage::SetLooping(bool Value) {
  picture_.looping = Value;
  NoteChange();
}

void TGIFImage::SetRepeatCount(int Value) {
  picture_.repeatCount = std::clamp(Value, 0, 0xFFFF);
  NoteChange();
}

TStrings* TGIFImage::Comment() { return comment_; }

void TGIFImage::SetComment(TStrings* Value) {
  comment_->Assign(Value);
  NoteChange();
}

bool TGIFImage::Corrupted() const {
  return picture_.corrupted ||
         std::any_of(frames_.begin(), frames_.end(), [](const TGIFFrame* f) { return f->data_.corrupted; });
}

TColor TGIFImage::TransparentColor() const {
  if (frameIndex_ < 0 || frameIndex_ >= Count()) return clNone;
  return frames_[std::size_t(frameIndex_)]->TransparentColor();
}

TPixelFormat TGIFImage::PixelFormat() { return Bitmap()->PixelFormat(); }

void TGIFImage::UpdateScreenSize() {
  for (TGIFFrame* frame : frames_) {
    picture_.screenWidth = std::max(picture_.screenWidth, frame->data_.left + frame->Width());
    picture_.screenHeight = std::max(picture_.screenHeight, frame->data_.top + frame->Height());
  }
}

int TGIFImage::AddFrame(TGraphic* Value) {
  auto* frame = new TGIFFrame(this);
  frame->Assign(Value);
  frames_.push_back(frame);
  frameIndex_ = Count() - 1;
  if (picture_.version == vt::gif::Version::Unknown) picture_.version = vt::gif::Version::V87a;
  if (Count() > 1) picture_.version = vt::gif::Version::V89a;
  UpdateScreenSize();
  NoteChange();
  return frameIndex_;
}

void TGIFImage::DeleteFrame(int Index) {
  delete frames_.at(std::size_t(Index));
  frames_.erase(frames_.begin() + Index);
  frameIndex_ = std::min(frameIndex_, Count() - 1);
  NoteChange();
}

void TGIFImage::MoveFrame(int CurIndex, int NewIndex) {
  TGIFFrame* frame = frames_.at(std::size_t(CurIndex));
  frames_.erase(frames_.begin() + CurIndex);
  frames_.insert(frames_.begin() + std::clamp(NewIndex, 0, Count()), frame);
  NoteChange();
}

void TGIFImage::Grayscale(bool ForceEncoding) {
  if (frames_.empty()) RaiseGIF(vt::gif::SNoGIFData);
  // The global table is greyed with the frames that use it; the background follows its entry.
  if (picture_.background != clNone) picture_.background = GrayColor(GrayOf(ColorToRGB(picture_.background)));
  for (int i = 0; i < picture_.global.count; ++i) picture_.global.colors[i] = GrayColor(GrayOf(picture_.global.colors[i]));
  for (TGIFFrame* frame : frames_) frame->GrayscaleImage(ForceEncoding);
  NoteChange();
}

void TGIFImage::Draw(TCanvas* ACanvas, const TRect& ARect) {
  if (frameIndex_ < 0 || frameIndex_ >= Count()) return;
  frames_[std::size_t(frameIndex_)]->Draw(ACanvas, ARect, TGraphic::Transparent());
}

void TGIFImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* gif = dynamic_cast<TGIFImage*>(Source)) {
    Clear();
    picture_ = gif->picture_;
    comment_->Assign(gif->comment_);
    for (TGIFFrame* source : gif->frames_) {
      frames_.push_back(new TGIFFrame(this));
      frames_.back()->Assign(source);
    }
    frameIndex_ = gif->frameIndex_;
  } else if (auto* frame = dynamic_cast<TGIFFrame*>(Source)) {
    Clear();
    frames_.push_back(new TGIFFrame(this));
    frames_.back()->Assign(frame);
    picture_.global = frame->owner_->picture_.global;
    picture_.globalBits = frame->owner_->picture_.globalBits;
    picture_.version = vt::gif::Version::V87a;
    frameIndex_ = 0;
    UpdateScreenSize();
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    Clear();
    AddFrame(bitmap);
  } else if (auto* cursor = dynamic_cast<TAnimatedCursorImage*>(Source)) {
    Clear();
    picture_.background = clWindow;
    for (int i = 0; i < cursor->IconCount(); ++i) {
      TBitmap frame;
      frame.Assign(cursor->Icons(i));
      AddFrame(&frame);
      frames_.back()->data_.interval = cursor->Frames(i)->Rate() * 100 / 6;
    }
  } else if (!Source) {
    Clear();
  } else {
    TGraphic::Assign(Source);
    return;
  }
  NoteChange();
}

void TGIFImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->Assign(Bitmap());
    return;
  }
  TGraphic::AssignTo(Dest);
}

std::vector<std::uint8_t> TGIFImage::SaveToClipboardFormat(unsigned& Format) {
  if (frames_.empty()) return {};
  std::vector<std::uint8_t> bitmap = frames_[0]->Bitmap()->SaveToClipboardFormat(Format);
  bool allEncoded = std::all_of(frames_.begin(), frames_.end(), [](const TGIFFrame* f) { return f->HasRaster(); });
  if (allEncoded) {
    TMemoryStream stream;
    WriteStream(&stream, true);
    Clipboard()->SetAsBytes(CF_GIF, {stream.Memory(), stream.Memory() + stream.Size()});
  }
  return bitmap;
}

void TGIFImage::LoadFromClipboardFormat(unsigned Format, const std::vector<std::uint8_t>& Data) {
  if (Format != CF_GIF) {
    TBitmap bitmap;
    bitmap.LoadFromClipboardFormat(Format, Data);
    Assign(&bitmap);
    return;
  }
  TMemoryStream stream;
  WriteBytes(&stream, Data);
  stream.SetPosition(0);
  std::int32_t count = 0;
  stream.ReadBuffer(&count, 4);
  ReadStream(count, &stream, false);
  if (frames_.empty()) return;
  frameIndex_ = 0;
  const unsigned CF_BITMAP = 2;
  if (Clipboard()->HasFormat(CF_BITMAP)) {
    auto* bitmap = new TBitmap;
    bitmap->LoadFromClipboardFormat(CF_BITMAP, Clipboard()->GetAsBytes(CF_BITMAP));
    frames_[0]->DropBitmap();
    frames_[0]->bitmap_ = bitmap;
  }
}

namespace vt {

int StartVtGIF() {
  static const int started = [] {
    gif::RegisterTexts();
    CF_GIF = RegisterClipboardFormat("GIF Image");
    TPicture::RegisterFileFormat("gif", LoadStr(gif::SGIFImage), &CreateGraphic<TGIFImage>);
    TPicture::RegisterClipboardFormat(CF_GIF, &CreateGraphic<TGIFImage>);
    return 1;
  }();
  return started;
}

}  // namespace vt
