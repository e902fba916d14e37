// Animated cursors: the RIFF "ACON" reader into frames of icons with their rates and sequence,
// the title and the author, handed on to an icon, a bitmap strip or an icon list.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/Streams.h"
#include "ui/graphics/Graphics.h"

class TIconList;

class TIconFrame : public TObject {
 public:
  TIconFrame(int Index, int Rate);
  ~TIconFrame() override;
  TIcon* Icon() const { return icon_; }
  bool IsIcon() const { return isIcon_; }
  TPoint HotSpot() const { return hotSpot_; }
  int Rate() const { return rate_; }
  int Index() const { return index_; }

 private:
  friend class TAnimatedCursorImage;
  TIcon* icon_ = nullptr;
  bool isIcon_ = false;
  std::array<std::uint8_t, 8> chunkHeader_{};
  TPoint hotSpot_{0, 0};
  int rate_;
  int index_;
};

class TAnimatedCursorImage : public TPersistent {
 public:
  TAnimatedCursorImage() = default;
  ~TAnimatedCursorImage() override;
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  // Writing is not implemented: both raise.
  void SaveToStream(TStream* Stream);
  void WriteStream(TStream* Stream, bool WriteSize);
  void Clear();

  const String& Title() const { return title_; }
  const String& Creator() const { return creator_; }
  int IconCount() const { return int(frames_.size()); }
  TIcon* Icons(int Index) const { return frames_.at(std::size_t(Index))->icon_; }
  TIconFrame* Frames(int Index) const { return frames_.at(std::size_t(Index)); }
  // Milliseconds: the header's default rate in sixtieths of a second x 100 / 6.
  int DefaultRate() const;
  int NumberOfSteps() const { return int(header_[2]); }
  void AssignToBitmap(TBitmap* Bitmap, TColor BackColor, bool DecreaseColors, bool Vertical);
  void Draw(TCanvas* ACanvas, const TRect& ARect);

 private:
  void ReadStream(std::int64_t Size, TStream* Stream);
  void ReadAniStream(TStream* Stream);
  void ReadIcon(TStream* Stream, std::int64_t size, TIconFrame& frame);
  void ReadFrameList(TStream* Stream, std::int64_t remaining);
  void ReadInfoList(TStream* Stream, std::int64_t remaining);

  std::array<std::uint32_t, 9> header_{};  // anih: size, frames, steps, width, height, bits, planes, rate, flags
  String title_;
  String creator_;
  std::vector<TIconFrame*> frames_;
  int largestColorCount_ = 0;
};
