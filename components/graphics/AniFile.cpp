// The animated-cursor reader: chunks of a RIFF "ACON" form, each read with the stream's own
// all-or-nothing reads; a chunk cut short ends the reading and keeps what came before it.
#include "components/graphics/AniFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "components/graphics/Clipicon.h"
#include "components/graphics/IcoList.h"
#include "components/graphics/VtGraph.h"
#include "components/common/Vtconst.h"
#include "rtl/Exceptions.h"
#include "rtl/ResStrings.h"
#include "ui/graphics/BmpFile.h"

namespace {

const char* const kStreamReadError = "Stream read error";

struct ChunkHeader {
  char id[4];
  std::uint32_t size;
  bool Is(const char* name) const { return std::memcmp(id, name, 4) == 0; }
  std::int64_t PaddedSize() const { return std::int64_t(size) + (size & 1); }
};

ChunkHeader ReadHeader(TStream* stream) {
  std::uint8_t bytes[8];
  stream->ReadBuffer(bytes, 8);
  ChunkHeader header;
  std::memcpy(header.id, bytes, 4);
  header.size = vt::GetU32(bytes + 4);
  return header;
}

std::uint32_t ReadU32(TStream* stream) {
  std::uint8_t bytes[4];
  stream->ReadBuffer(bytes, 4);
  return vt::GetU32(bytes);
}

// Moves past count bytes, failing when the stream holds fewer.
void Skip(TStream* stream, std::int64_t count) {
  if (count > stream->Size() - stream->Position()) throw EReadError(kStreamReadError);
  stream->Seek(count, soCurrent);
}

String ReadText(TStream* stream, std::uint32_t size) {
  std::uint32_t kept = std::min<std::uint32_t>(size, 255);
  String text(kept, '\0');
  if (kept) stream->ReadBuffer(text.data(), kept);
  Skip(stream, std::int64_t(size - kept) + (size & 1));
  text.resize(std::strlen(text.c_str()));  // zero-terminated
  return text;
}

int ColorCountOfBits(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }


}  // namespace

TIconFrame::TIconFrame(int Index, int Rate) : rate_(Rate), index_(Index) {}

TIconFrame::~TIconFrame() { delete icon_; }

TAnimatedCursorImage::~TAnimatedCursorImage() { Clear(); }

void TAnimatedCursorImage::Clear() {
  for (TIconFrame* frame : frames_) delete frame;
  frames_.clear();
  title_.clear();
  creator_.clear();
  header_.fill(0);
  largestColorCount_ = 0;
}

int TAnimatedCursorImage::DefaultRate() const {
  return int(std::clamp<std::int64_t>(std::int64_t(header_[7]) * 100 / 6, 0, 2147483647));
}

void TAnimatedCursorImage::LoadFromStream(TStream* Stream) {
  ReadStream(Stream->Size() - Stream->Position(), Stream);
}

void TAnimatedCursorImage::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TAnimatedCursorImage::SaveToStream(TStream*) { throw EInvalidOperation(LoadStr(SNotImplemented)); }
void TAnimatedCursorImage::WriteStream(TStream*, bool) { throw EInvalidOperation(LoadStr(SNotImplemented)); }

// A load that fails, whatever the fault, leaves the image empty: no frame without its icon stays.
void TAnimatedCursorImage::ReadStream(std::int64_t Size, TStream* Stream) {
  try {
    TMemoryStream copy;
    if (Size > 0) copy.CopyFrom(Stream, Size);
    copy.SetPosition(0);
    if (Size > 0) ReadAniStream(&copy);
  } catch (const std::bad_alloc&) {
    Clear();
    throw EOutOfResources("Out of system resources");
  } catch (...) {
    Clear();
    throw;
  }
}

void TAnimatedCursorImage::ReadAniStream(TStream* Stream) {
  if (!ReadHeader(Stream).Is("RIFF")) throw EReadError(kStreamReadError);
  char form[4];
  Stream->ReadBuffer(form, 4);
  if (std::memcmp(form, "ACON", 4) != 0) throw EReadError(kStreamReadError);
  Clear();
  int rateCounter = 0, sequenceCounter = 0;
  bool headerRefused = false;
  while (Stream->Size() - Stream->Position() >= 8) {
    try {
      ChunkHeader chunk = ReadHeader(Stream);
      if (chunk.Is("anih")) {
        std::uint8_t body[36] = {};
        std::uint32_t kept = std::min<std::uint32_t>(chunk.size, 36);
        Stream->ReadBuffer(body, kept);
        Skip(Stream, chunk.PaddedSize() - kept);
        for (int i = 0; i < 9; ++i) header_[std::size_t(i)] = vt::GetU32(body + 4 * i);
        if (!(header_[8] & 1) || header_[2] == 0) {
          headerRefused = true;
          break;
        }
        for (std::uint32_t i = 0; i < header_[1] && i < 0x10000; ++i)
          frames_.push_back(new TIconFrame(int(i), int(header_[7])));
      } else if (chunk.Is("rate") || chunk.Is("seq ")) {
        std::uint32_t value = ReadU32(Stream);
        Skip(Stream, chunk.PaddedSize() - 4);
        int& counter = chunk.Is("rate") ? rateCounter : sequenceCounter;
        if (counter < IconCount()) {
          if (chunk.Is("rate")) frames_[std::size_t(counter)]->rate_ = int(value);
          else frames_[std::size_t(counter)]->index_ = int(value);
        }
        ++counter;
      } else if (chunk.Is("LIST")) {
        char type[4];
        Stream->ReadBuffer(type, 4);
        std::int64_t remaining = std::int64_t(chunk.size) - 4;
        if (std::memcmp(type, "fram", 4) == 0) ReadFrameList(Stream, remaining);
        else if (std::memcmp(type, "INFO", 4) == 0) ReadInfoList(Stream, remaining);
        else Skip(Stream, remaining + (chunk.size & 1));
      } else {
        Skip(Stream, chunk.PaddedSize());
      }
    } catch (const EReadError&) {
      break;  // a chunk cut short ends the reading; what came before it stays
    }
  }
  if (headerRefused) throw EReadError(kStreamReadError);
  std::erase_if(frames_, [](TIconFrame* frame) {
    if (frame->icon_) return false;
    delete frame;
    return true;
  });
  header_[2] = std::uint32_t(frames_.size());
  if (frames_.empty()) throw EReadError(kStreamReadError);
}

void TAnimatedCursorImage::ReadFrameList(TStream* Stream, std::int64_t remaining) {
  int iconCounter = 0;
  while (remaining >= 8) {
    ChunkHeader sub = ReadHeader(Stream);
    if (sub.Is("icon")) {
      TIconFrame loaded(-1, int(header_[7]));
      std::memcpy(loaded.chunkHeader_.data(), sub.id, 4);
      std::memcpy(loaded.chunkHeader_.data() + 4, &sub.size, 4);
      ReadIcon(Stream, sub.size, loaded);
      Skip(Stream, sub.size & 1);
      bool matched = false;
      for (TIconFrame* frame : frames_) {
        if (frame->index_ != iconCounter) continue;
        delete frame->icon_;
        frame->icon_ = new TIcon;
        frame->icon_->Assign(loaded.icon_);
        frame->chunkHeader_ = loaded.chunkHeader_;
        frame->hotSpot_ = loaded.hotSpot_;
        frame->isIcon_ = loaded.isIcon_;
        matched = true;
      }
      if (!matched) {
        auto* frame = new TIconFrame(-1, int(header_[7]));
        std::swap(frame->icon_, loaded.icon_);
        frame->chunkHeader_ = loaded.chunkHeader_;
        frame->hotSpot_ = loaded.hotSpot_;
        frame->isIcon_ = loaded.isIcon_;
        frames_.push_back(frame);
      }
      ++iconCounter;
    } else {
      Skip(Stream, sub.PaddedSize());
    }
    remaining -= 8 + sub.PaddedSize();
  }
}

void TAnimatedCursorImage::ReadInfoList(TStream* Stream, std::int64_t remaining) {
  while (remaining >= 8) {
    ChunkHeader sub = ReadHeader(Stream);
    remaining -= 8;
    if (sub.PaddedSize() > remaining) break;
    if (sub.Is("INAM")) title_ = ReadText(Stream, sub.size);
    else if (sub.Is("IART")) creator_ = ReadText(Stream, sub.size);
    else Skip(Stream, sub.PaddedSize());
    remaining -= sub.PaddedSize();
  }
}

// One icon or cursor file; a cursor is loaded as an icon, its hot spot kept.
void TAnimatedCursorImage::ReadIcon(TStream* Stream, std::int64_t size, TIconFrame& frame) {
  if (size > Stream->Size() - Stream->Position()) throw EReadError(kStreamReadError);
  std::vector<std::uint8_t> body(static_cast<std::size_t>(size));
  if (size > 0) Stream->ReadBuffer(body.data(), size);
  if (body.size() < 6) throw EReadError(kStreamReadError);
  frame.isIcon_ = vt::GetU16(body.data() + 2) == 1;
  if (vt::GetU16(body.data() + 2) == 2) body[2] = 1;
  int count = vt::GetU16(body.data() + 4);
  for (int i = 0; i < count && 6 + 16 * std::size_t(i + 1) <= body.size(); ++i) {
    const std::uint8_t* entry = body.data() + 6 + 16 * i;
    std::uint32_t offset = vt::GetU32(entry + 12);
    if (std::size_t(offset) + 16 <= body.size())
      largestColorCount_ = std::max(largestColorCount_, ColorCountOfBits(vt::GetU16(body.data() + offset + 14)));
    frame.hotSpot_ = TPoint{vt::GetU16(entry + 4), vt::GetU16(entry + 6)};
  }
  TMemoryStream icon;
  icon.WriteBuffer(body.data(), std::int64_t(body.size()));
  icon.SetPosition(0);
  frame.icon_ = new TIcon;
  frame.icon_->LoadFromStream(&icon);
}

void TAnimatedCursorImage::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TAnimatedCursorImage*>(Source)) {
    if (other == this) return;
    Clear();
    header_ = other->header_;
    title_ = other->title_;
    creator_ = other->creator_;
    largestColorCount_ = other->largestColorCount_;
    for (TIconFrame* source : other->frames_) {
      auto* frame = new TIconFrame(source->index_, source->rate_);
      frame->icon_ = new TIcon;
      frame->icon_->Assign(source->icon_);
      frame->isIcon_ = source->isIcon_;
      frame->chunkHeader_ = source->chunkHeader_;
      frame->hotSpot_ = source->hotSpot_;
      frames_.push_back(frame);
    }
    return;
  }
  TPersistent::Assign(Source);
}

void TAnimatedCursorImage::AssignTo(TPersistent* Dest) {
  if (auto* icon = dynamic_cast<TIcon*>(Dest)) {
    if (!frames_.empty()) icon->Assign(frames_[0]->icon_);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    if (!frames_.empty()) AssignToBitmap(bitmap, bitmap->Canvas()->Brush()->Color(), true, false);
    return;
  }
  if (auto* list = dynamic_cast<TIconList*>(Dest)) {
    list->BeginUpdate();
    list->Clear();
    for (TIconFrame* frame : frames_) list->Add(frame->icon_);
    list->EndUpdate();
    return;
  }
  TPersistent::AssignTo(Dest);
}

void TAnimatedCursorImage::AssignToBitmap(TBitmap* Bitmap, TColor BackColor, bool DecreaseColors, bool Vertical) {
  if (frames_.empty()) return;
  const int w = frames_[0]->icon_->Width(), h = frames_[0]->icon_->Height(), n = IconCount();
  TBitmap strip;
  strip.SetSize(Vertical ? w : w * n, Vertical ? h * n : h);
  strip.Canvas()->Brush()->SetColor(BackColor);
  strip.Canvas()->FillRect(Rect(0, 0, strip.Width(), strip.Height()));
  for (int i = 0; i < n; ++i) strip.Canvas()->Draw(Vertical ? 0 : i * w, Vertical ? i * h : 0, frames_[std::size_t(i)]->icon_);
  if (DecreaseColors) {
    std::unique_ptr<TMemoryStream> reduced(BitmapToMemory(&strip, std::max(largestColorCount_, 16)));
    Bitmap->LoadFromStream(reduced.get());
  } else {
    Bitmap->Assign(&strip);
  }
}

void TAnimatedCursorImage::Draw(TCanvas* ACanvas, const TRect& ARect) {
  if (!frames_.empty()) DrawRealSizeIcon(ACanvas, frames_[0]->icon_, ARect.Left, ARect.Top);
}
