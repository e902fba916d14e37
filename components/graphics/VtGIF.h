// TGIFImage: a picture class holding a GIF87a/GIF89a picture of one or more frames, registered
// with the platform's picture class for the "gif" extension and the "GIF Image" clipboard
// format; TGIFFrame: one frame with its bitmap decoded on first use.
#pragma once

#include <vector>

#include "components/graphics/VtGIFCodec.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"
#include "ui/graphics/Graphics.h"

enum TGIFVersion { gvUnknown, gv87a, gv89a };
enum TDisposalMethod {
  dmUndefined, dmLeave, dmRestoreBackground, dmRestorePrevious, dmReserved4, dmReserved5, dmReserved6, dmReserved7
};
using TGIFBits = int;
enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent =
    std::function<void(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow, const TRect& R,
                       const String& Msg)>;

String GIFVersionName(TGIFVersion version);

// When True a damaged picture is read as far as it goes and marked corrupted; else reading raises.
extern bool GIFLoadCorrupted;
extern unsigned CF_GIF;

class TGIFImage;

class TGIFFrame : public TPersistent {
 public:
  explicit TGIFFrame(TGIFImage* owner);
  ~TGIFFrame() override;
  void Assign(TPersistent* Source) override;

  TBitmap* Bitmap();
  int Width();
  int Height();
  int ColorCount() const { return data_.table.count; }
  TPoint TopLeft() const { return {data_.left, data_.top}; }
  void SetTopLeft(const TPoint& value);
  bool Interlaced() const { return data_.interlaced; }
  bool Corrupted() const { return data_.corrupted; }
  TColor TransparentColor() const { return data_.transparent; }
  void SetTransparentColor(TColor value);
  int AnimateInterval() const { return data_.interval; }
  void SetAnimateInterval(int value);
  TDisposalMethod DisposalMethod() const { return TDisposalMethod(data_.disposal); }
  void SetDisposalMethod(TDisposalMethod value);
  // The text of the frame's comment extensions.
  String Comment() const;
  void SetComment(const String& value);
  // The lines of the frame's first comment extension, edited in place (each line one sub-block);
  // a frame without one gets an empty one with ForceCreate, else there are none (nullptr).
  TStrings* FindComment(bool ForceCreate);
  void Draw(TCanvas* ACanvas, const TRect& ARect, bool Transparent);
  void GrayscaleImage(bool ForceEncoding);

 private:
  friend class TGIFImage;
  bool HasRaster() const { return !data_.raster.empty(); }
  void DropBitmap();
  vt::gif::Extension* FirstComment();
  void StoreCommentLines();
  void EncodeRasterData();

  TGIFImage* owner_;
  vt::gif::Frame data_;
  TBitmap* bitmap_ = nullptr;
  bool grayscale_ = false;
  TStringList* commentLines_ = nullptr;  // made by FindComment
  bool readingComment_ = false;
};

class TGIFImage : public TGraphic {
 public:
  TGIFImage();
  ~TGIFImage() override;
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // A GIF picture's size is that of its frames: both raise.
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  bool Transparent() const override;

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // The stored-design form: a signed 32-bit byte count, then the picture.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void ReadStream(std::int64_t Size, TStream* Stream, bool ForceDecode);
  void WriteStream(TStream* Stream, bool WriteSize);
  void LoadFromResourceName(void* Instance, const String& ResName);
  // A resource by number is the one registered under "#<ResID>".
  void LoadFromResourceID(void* Instance, int ResID);
  void LoadFromClipboardFormat(unsigned Format, const std::vector<std::uint8_t>& Data) override;
  std::vector<std::uint8_t> SaveToClipboardFormat(unsigned& Format) override;
  void Draw(TCanvas* ACanvas, const TRect& ARect) override;

  int Count() const { return int(frames_.size()); }
  TGIFFrame* Frames(int Index) const { return frames_.at(std::size_t(Index)); }
  int FrameIndex() const { return frameIndex_; }
  void SetFrameIndex(int Value);
  TBitmap* Bitmap();
  TGIFVersion Version() const { return TGIFVersion(picture_.version); }
  TColor BackgroundColor() const { return picture_.background; }
  void SetBackgroundColor(TColor Value);
  bool Looping() const { return picture_.looping; }
  void SetLooping(bool Value);
  int RepeatCount() const { return picture_.repeatCount; }
  void SetRepeatCount(int Value);
  int ScreenWidth() const { return Empty() ? 0 : picture_.screenWidth; }
  int ScreenHeight() const { return Empty() ? 0 : picture_.screenHeight; }
  int GlobalColorCount() const { return picture_.global.count; }
  TStrings* Comment();
  void SetComment(TStrings* Value);
  bool Corrupted() const;
  TColor TransparentColor() const;
  TPixelFormat PixelFormat();
  void UpdateScreenSize();

  virtual int AddFrame(TGraphic* Value);
  void DeleteFrame(int Index);
  void MoveFrame(int CurIndex, int NewIndex);
  void DecodeAllFrames();
  void EncodeFrames(bool ReplaceBitmaps);
  void EncodeAllFrames() { EncodeFrames(true); }
  void Grayscale(bool ForceEncoding);

  TProgressEvent OnProgress;

 private:
  friend class TGIFFrame;
  void Clear();
  void ProgressChanged(vt::gif::Stage stage, int percent);
  vt::gif::Progress ProgressHook();
  void NoteChange();

  vt::gif::Picture picture_;  // everything but the frames, which TGIFFrame objects hold
  std::vector<TGIFFrame*> frames_;
  int frameIndex_ = -1;
  TStringList* comment_;
};

namespace vt {
int StartVtGIF();
inline const int kVtGIFStarted = StartVtGIF();
}  // namespace vt
