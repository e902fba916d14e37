// The byte-level core of the GIF picture: the block grammar of a GIF87a/GIF89a stream, LZW
// decoding into a bottom-up DIB and LZW encoding from one, and writing a whole stream back.
// Everything here works on byte buffers and never reads past the buffer it is given; the
// picture class (VtGIF.h) keeps its frames in these structures.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vt::gif {

// Colours as the platform holds them: 0x00BBGGRR; kNoColor is the platform's clNone.
using Color = std::int32_t;
constexpr Color kNoColor = 0x1FFFFFFF;

enum class Version { Unknown, V87a, V89a };

struct ColorTable {
  int count = 0;
  std::array<Color, 256> colors{};  // entries beyond count are 0
};

enum ExtensionKind { kGraphicControl = 0, kPlainText = 1, kApplication = 2, kComment = 3 };

struct Extension {
  int kind = kGraphicControl;
  std::vector<std::uint8_t> fixed;  // the fixed bytes after the label, as read or kept in step
  std::vector<std::string> data;    // one string per data sub-block (none for a graphic control)
};

struct Frame {
  int left = 0, top = 0, width = 0, height = 0;
  std::uint8_t packed = 0;  // the image descriptor's packed byte
  bool interlaced = false;
  bool corrupted = false;
  bool localTable = false;
  int bits = 0;  // bits of the frame's colour table, 1..8; 0 = none
  ColorTable table;
  std::vector<std::uint8_t> raster;  // minimum code size, data sub-blocks, terminator
  std::vector<Extension> extensions;
  Color transparent = kNoColor;
  int interval = 0;  // milliseconds
  int disposal = 0;
};

struct Picture {
  Version version = Version::Unknown;
  int screenWidth = 0, screenHeight = 0;
  std::uint8_t aspectRatio = 0;
  int globalBits = 0;
  int colorResolution = 0;
  ColorTable global;
  Color background = kNoColor;
  bool looping = false;
  int repeatCount = 0;
  bool corrupted = false;
  std::vector<std::string> comment;
  std::vector<Frame> frames;
};

enum class Stage { Starting, Running, Ending };
using Progress = std::function<void(Stage stage, int percent)>;

// Texts of the errors, kept by number in the string table.
constexpr int SGIFVersion = 61092;
constexpr int SGIFEncodeError = 61093;
constexpr int SGIFDecodeError = 61094;
constexpr int SGIFCodeSize = 61095;
constexpr int SWrongGIFColors = 61096;
constexpr int SBadGIFExtension = 61097;
constexpr int SNoGIFData = 61098;
constexpr int SChangeGIFSize = 61099;
constexpr int SGIFImage = 61100;
void RegisterTexts();

// "Wrong number of colors; must be a power of 2" unless count is 2, 4, ... 256; gives 1..8.
int BitsOfPowerCount(int count);
// The least b of at least 1 with 2^b not below count.
int BitsForCount(int count);

// Reads the stream's blocks into picture (which starts afresh); frames read before an error
// stay. With loadCorrupted, truncated raster data marks its frame corrupted instead of raising.
void ReadPicture(const std::uint8_t* data, std::size_t size, bool loadCorrupted, Picture& picture);

// The row after y of an interlaced image of that height, passes 1 to 4; height or more at the end.
int NextInterlacedRow(int y, int height);

// Decodes raster (as kept in a frame) into a zero-filled bottom-up DIB of bmpBits (1, 4 or 8)
// per pixel. tableBits are the colour table's bits. With ignoreErrors a fault marks the result
// corrupted and keeps what was decoded; without, it raises.
void GifLzwDecode(const std::vector<std::uint8_t>& raster, int width, int height, int bmpBits, bool interlaced,
                  int tableBits, bool ignoreErrors, bool& corrupted, std::uint8_t* pixels,
                  const Progress& progress = {});

// Encodes a bottom-up DIB of bmpBits (1, 4 or 8) per pixel as raster data appended to out.
void GifLzwEncode(std::vector<std::uint8_t>& out, int width, int height, int bmpBits, bool interlaced,
                  const std::uint8_t* pixels, const Progress& progress = {});

// A frame as a Windows BMP file (headers, colour table, bottom-up bits).
std::vector<std::uint8_t> FrameToBmp(const Frame& frame, bool ignoreErrors, bool& corrupted,
                                     const Progress& progress = {});

// The whole picture as a GIF stream (frames must hold raster data).
std::vector<std::uint8_t> WritePicture(Picture& picture);

// Brings a frame's graphic control extension in step with its interval, transparent colour
// and disposal; drops empty comments; a frame with extensions makes the picture GIF89a.
void UpdateExtensions(Picture& picture, Frame& frame);

// Fills a frame's table and raster data from a BMP file of 1, 4 or 8 bits per pixel; the
// picture's global table is taken from the first frame encoded.
void EncodeBitmapStream(Picture& picture, Frame& frame, const std::vector<std::uint8_t>& bmp,
                        const Progress& progress = {});

}  // namespace vt::gif
