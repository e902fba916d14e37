// GIF streams on byte buffers: the block grammar with the reader's own decisions (zero bytes
// between blocks skipped, unknown data after the last frame ending the read, truncated raster
// kept and marked corrupted), the LZW decoder and encoder, and the writer.
#include "components/graphics/VtGIFCodec.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/ResStrings.h"
#include "ui/graphics/BmpFile.h"

namespace vt::gif {

void RegisterTexts() {
  static const bool registered = [] {
    RegisterResString(SGIFVersion, "Unknown GIF version");
    RegisterResString(SGIFEncodeError, "GIF image encoding error");
    RegisterResString(SGIFDecodeError, "GIF encoded data is corrupt");
    RegisterResString(SGIFCodeSize, "GIF code size not in range 2 to 9");
    RegisterResString(SWrongGIFColors, "Wrong number of colors; must be a power of 2");
    RegisterResString(SBadGIFExtension, "Unrecognized extension block: %.2x");
    RegisterResString(SNoGIFData, "No GIF Data to write");
    RegisterResString(SChangeGIFSize, "Cannot change the Size of a GIF image");
    RegisterResString(SGIFImage, "CompuServe GIF Image");
    return true;
  }();
  (void)registered;
}

namespace {

const char* const kStreamReadError = "Stream read error";

[[noreturn]] void Raise(int id) {
  RegisterTexts();
  throw EInvalidGraphicOperation(LoadStr(id));
}

Color RgbColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Color(r | (g << 8) | (b << 16)); }
std::uint8_t Red(Color c) { return std::uint8_t(c); }
std::uint8_t Green(Color c) { return std::uint8_t(c >> 8); }
std::uint8_t Blue(Color c) { return std::uint8_t(c >> 16); }

// Sequential reads from a buffer; a read past its end raises the stream's read error.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Exhausted() const { return pos_ >= size_; }
  std::size_t Remaining() const { return size_ - pos_; }
  std::uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }
  int Word() {
    int low = Byte();
    return low | (Byte() << 8);
  }
  const std::uint8_t* Bytes(std::size_t count) {
    Need(count);
    const std::uint8_t* start = data_ + pos_;
    pos_ += count;
    return start;
  }

 private:
  void Need(std::size_t count) const {
    if (count > size_ - pos_) throw EReadError(kStreamReadError);
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void ReadColorTable(ByteReader& in, int bits, ColorTable& table) {
  table = ColorTable();
  table.count = 1 << bits;
  for (int i = 0; i < table.count; ++i) {
    const std::uint8_t* rgb = in.Bytes(3);
    table.colors[i] = RgbColor(rgb[0], rgb[1], rgb[2]);
  }
}

// The next non-zero byte; 0 at the end of the data.
int NextBlockType(ByteReader& in) {
  while (!in.Exhausted()) {
    std::uint8_t type = in.Byte();
    if (type != 0) return type;
  }
  return 0;
}

// Length-prefixed sub-blocks up to the zero terminator or the end of the data.
std::vector<std::string> ReadSubBlocks(ByteReader& in) {
  std::vector<std::string> blocks;
  while (!in.Exhausted()) {
    std::uint8_t length = in.Byte();
    if (length == 0) break;
    const std::uint8_t* bytes = in.Bytes(length);
    blocks.emplace_back(reinterpret_cast<const char*>(bytes), length);
  }
  return blocks;
}

Extension ReadExtension(ByteReader& in) {
  std::uint8_t label = in.Byte();
  Extension extension;
  std::size_t fixedSize = 0;
  switch (label) {
    case 0xF9: extension.kind = kGraphicControl; fixedSize = 6; break;
    case 0x01: extension.kind = kPlainText; fixedSize = 13; break;
    case 0xFF: extension.kind = kApplication; fixedSize = 12; break;
    case 0xFE: extension.kind = kComment; break;
    default:
      RegisterTexts();
      throw EInvalidGraphicOperation(Format(LoadStr(SBadGIFExtension), {int(label)}));
  }
  const std::uint8_t* fixed = in.Bytes(fixedSize);
  extension.fixed.assign(fixed, fixed + fixedSize);
  if (extension.kind != kGraphicControl) extension.data = ReadSubBlocks(in);
  return extension;
}

void ApplyLoopExtension(const Extension& extension, Picture& picture) {
  static const char* const kLoopIds[] = {"NETSCAPE2.0", "ANIMEXTS1.0"};
  std::size_t compared = std::min<std::size_t>(extension.fixed[0], 11);
  if (extension.fixed[0] > 11) return;
  bool loopId = std::any_of(std::begin(kLoopIds), std::end(kLoopIds), [&](const char* id) {
    return std::memcmp(extension.fixed.data() + 1, id, compared) == 0;
  });
  if (!loopId || extension.data.empty() || extension.data[0].size() < 3 || extension.data[0][0] != 1) return;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(extension.data[0].data());
  picture.looping = true;
  picture.repeatCount = std::min<int>(GetU16(bytes + 1), 30000);
}

// The image descriptor, colour table and raster data of one frame, after its ",".
void ReadFrame(ByteReader& in, const Picture& picture, bool loadCorrupted, Frame& frame) {
  int left = in.Word(), top = in.Word(), width = in.Word(), height = in.Word();
  frame.packed = in.Byte();
  frame.interlaced = (frame.packed & 0x40) != 0;
  if (frame.packed & 0x80) {
    frame.bits = (frame.packed & 7) + 1;
    ReadColorTable(in, frame.bits, frame.table);
    frame.localTable = true;
  } else {
    frame.table = ColorTable();
  }
  frame.raster.push_back(in.Byte());
  while (!in.Exhausted()) {
    std::uint8_t length = in.Byte();
    if (length > in.Remaining()) {
      frame.corrupted = true;
      frame.raster.push_back(length);
      std::size_t rest = in.Remaining();
      const std::uint8_t* bytes = in.Bytes(rest);
      frame.raster.insert(frame.raster.end(), bytes, bytes + rest);
      break;
    }
    frame.raster.push_back(length);
    if (length == 0) break;
    const std::uint8_t* bytes = in.Bytes(length);
    frame.raster.insert(frame.raster.end(), bytes, bytes + length);
  }
  if (frame.corrupted && !loadCorrupted) throw EInvalidGraphicOperation(kStreamReadError);
  frame.width = width == 0 ? picture.screenWidth : width;
  frame.height = height == 0 ? picture.screenHeight : height;
  frame.left = left;
  frame.top = top;
  if (!frame.localTable) frame.table = picture.global;
  frame.interval = 0;
  for (const Extension& extension : frame.extensions) {
    if (extension.kind != kGraphicControl) continue;
    std::uint8_t packed = extension.fixed[1];
    int delay = GetU16(extension.fixed.data() + 2);
    int index = extension.fixed[4];
    if (!(packed & 1)) frame.transparent = kNoColor;
    else if (index < frame.table.count) frame.transparent = frame.table.colors[index];
    frame.interval = std::max(frame.interval, delay * 10);
    frame.disposal = (packed & 0x1C) >> 2;
  }
}

void AppendComments(const std::vector<Extension>& pending, Picture& picture) {
  if (!picture.comment.empty()) return;
  for (const Extension& extension : pending) {
    if (extension.kind != kComment) continue;
    if (!picture.comment.empty()) picture.comment.push_back("\r\n\r\n");
    picture.comment.insert(picture.comment.end(), extension.data.begin(), extension.data.end());
  }
}

}  // namespace

int BitsOfPowerCount(int count) {
  for (int bits = 1; bits <= 8; ++bits)
    if (count == 1 << bits) return bits;
  Raise(SWrongGIFColors);
}

int BitsForCount(int count) {
  int bits = 1;
  while ((1 << bits) < count) ++bits;
  return bits;
}

void ReadPicture(const std::uint8_t* data, std::size_t size, bool loadCorrupted, Picture& picture) {
  picture = Picture();
  if (size == 0) return;
  ByteReader in(data, size);
  const std::uint8_t* signature = in.Bytes(6);
  if (std::memcmp(signature, "GIF", 3) != 0) Raise(SGIFVersion);
  if (std::memcmp(signature + 3, "87a", 3) == 0) picture.version = Version::V87a;
  else if (std::memcmp(signature + 3, "89a", 3) == 0) picture.version = Version::V89a;
  else Raise(SGIFVersion);

  picture.screenWidth = in.Word();
  picture.screenHeight = in.Word();
  std::uint8_t packed = in.Byte();
  std::uint8_t backgroundIndex = in.Byte();
  picture.aspectRatio = in.Byte();
  picture.globalBits = (packed & 7) + 1;
  picture.colorResolution = ((packed & 0x70) >> 4) + 1;
  if (packed & 0x80) {
    ReadColorTable(in, picture.globalBits, picture.global);
    if (backgroundIndex < picture.global.count) picture.background = picture.global.colors[backgroundIndex];
  }

  int type = NextBlockType(in);
  while (type != 0 && type != ';' && !in.Exhausted()) {
    std::vector<Extension> pending;
    while (type == '!') {
      Extension extension = ReadExtension(in);
      if (extension.kind == kGraphicControl || extension.kind == kComment) pending.push_back(std::move(extension));
      else if (extension.kind == kPlainText) pending.clear();
      else ApplyLoopExtension(extension, picture);
      type = in.Exhausted() ? ';' : NextBlockType(in);
    }
    if (type == ',') {
      Frame frame;
      if (picture.global.count > 0) frame.bits = BitsOfPowerCount(picture.global.count);
      frame.extensions = std::move(pending);
      ReadFrame(in, picture, loadCorrupted, frame);
      picture.frames.push_back(std::move(frame));
      type = in.Exhausted() ? ';' : NextBlockType(in);
      if (type != '!' && type != ',' && type != ';') type = 0;
    } else {
      AppendComments(pending, picture);
      if (type != 0 && type != ';') throw EInvalidGraphicOperation(kStreamReadError);
    }
  }
}

int NextInterlacedRow(int y, int height) {
  static const int kStart[] = {0, 4, 2, 1};
  static const int kStep[] = {8, 8, 4, 2};
  int pass = y % 8 == 0 ? 0 : y % 8 == 4 ? 1 : y % 4 == 2 ? 2 : 3;
  int next = y + kStep[pass];
  while (next >= height && pass < 3) next = kStart[++pass];
  return next;
}

namespace {

int Stride(int bits, int width) { return ((bits * width + 31) / 32) * 4; }

// A frame is decoded into a bitmap of 32 bits per pixel: no picture of this program comes near
// 8192 x 8192 pixels, and a damaged descriptor may claim 65535 x 65535.
constexpr std::uint64_t kLargestFramePixels = std::uint64_t(1) << 26;

// The most pixels raster data of that size can yield: each code at least 3 bits wide, and each
// code's string at most one pixel longer than the one before it, and at most 4097 long.
std::uint64_t MostPixelsOf(const std::vector<std::uint8_t>& raster) {
  const std::uint64_t codes = std::uint64_t(raster.size()) * 8 / 3;
  return std::min(codes * (codes + 1) / 2, codes * 4097);
}

// Refuses a frame whose claimed size its data cannot fill or no bitmap here could hold, before
// anything of that size is allocated.
void CheckDecodableSize(const Frame& frame) {
  const std::uint64_t pixels = std::uint64_t(frame.width) * std::uint64_t(frame.height);
  if (pixels > kLargestFramePixels || pixels > MostPixelsOf(frame.raster)) Raise(SGIFDecodeError);
}

// Places decoded pixels row by row into the bottom-up DIB; pixels past the last row are dropped.
class PixelWriter {
 public:
  PixelWriter(std::uint8_t* pixels, int width, int height, int bits, bool interlaced)
      : pixels_(pixels), width_(width), height_(height), bits_(bits), interlaced_(interlaced),
        stride_(Stride(bits, width)) {}
  bool Done() const { return y_ >= height_ || width_ == 0; }
  void PutGifPixel(int value) {
    if (Done()) return;
    std::uint8_t* row = pixels_ + std::size_t(height_ - 1 - y_) * stride_;
    if (bits_ == 1) row[x_ / 8] |= std::uint8_t((value & 1) << (7 - x_ % 8));
    else if (bits_ == 4) row[x_ / 2] |= std::uint8_t((value & 15) << (x_ % 2 == 0 ? 4 : 0));
    else row[x_] = std::uint8_t(value);
    if (++x_ < width_) return;
    x_ = 0;
    y_ = interlaced_ ? NextInterlacedRow(y_, height_) : y_ + 1;
  }

 private:
  std::uint8_t* pixels_;
  int width_, height_, bits_;
  bool interlaced_;
  int stride_;
  int x_ = 0, y_ = 0;
};

// Codes of W bits, least significant bit first, across the raster's sub-blocks.
class CodeReader {
 public:
  CodeReader(const std::vector<std::uint8_t>& raster, std::size_t start) : raster_(raster), pos_(start) {}
  void SetWidth(int width) { width_ = width; }
  // False when the data ran out before a whole code.
  bool ReadGifCode(int& code) {
    while (bitPos_ + width_ > bitsAvailable_ && pos_ < raster_.size()) AppendSubBlock();
    if (bitPos_ + width_ > bitsAvailable_) return false;
    int byte = bitPos_ / 8;
    std::uint32_t value = buffer_[byte] | (buffer_[byte + 1] << 8);
    if (width_ > 8) value |= std::uint32_t(buffer_[byte + 2]) << 16;
    code = int((value >> (bitPos_ % 8)) & ((1u << width_) - 1));
    bitPos_ += width_;
    return true;
  }
  std::size_t Position() const { return pos_; }

 private:
  void AppendSubBlock() {
    int keepFrom = bitPos_ / 8;
    int kept = (bitsAvailable_ + 7) / 8 - keepFrom;
    std::memmove(buffer_.data(), buffer_.data() + keepFrom, std::size_t(kept));
    std::fill(buffer_.begin() + kept, buffer_.end(), 0);
    bitPos_ %= 8;
    bitsAvailable_ = bitsAvailable_ - keepFrom * 8;
    std::size_t length = raster_[pos_++];
    length = std::min(length, raster_.size() - pos_);
    std::memcpy(buffer_.data() + kept, raster_.data() + pos_, length);
    pos_ += length;
    bitsAvailable_ += int(length) * 8;
  }

  const std::vector<std::uint8_t>& raster_;
  std::size_t pos_;
  std::array<std::uint8_t, 3 + 255 + 3> buffer_{};
  int bitPos_ = 0, bitsAvailable_ = 0, width_ = 0;
};

void Report(const Progress& progress, Stage stage, int percent) {
  if (progress) progress(stage, percent);
}

}  // namespace

void GifLzwDecode(const std::vector<std::uint8_t>& raster, int width, int height, int bmpBits, bool interlaced,
                  int tableBits, bool ignoreErrors, bool& corrupted, std::uint8_t* pixels,
                  const Progress& progress) {
  std::vector<std::uint16_t> prefix(4096, 0), suffix(4096, 0), stack;
  stack.reserve(4097);
  Report(progress, Stage::Starting, 0);
  struct EndReport {
    const Progress& progress;
    ~EndReport() { Report(progress, Stage::Ending, 100); }
  } endReport{progress};

  if (raster.empty()) throw EInvalidGraphicOperation(kStreamReadError);
  int codeSize = raster[0];
  if (codeSize < 2 || codeSize > 9) {
    if (!ignoreErrors) Raise(SGIFCodeSize);
    codeSize = std::clamp(codeSize, 2, 9);
    corrupted = true;
  }
  const int clear = 1 << codeSize, end = clear + 1;
  const int pixelMask = (1 << tableBits) - 1;
  int freeCode = clear + 2, codeWidth = codeSize + 1, limit = 1 << codeWidth;
  bool tableFull = false;
  int previous = 0, firstChar = 0;
  PixelWriter writer(pixels, width, height, bmpBits, interlaced);
  CodeReader reader(raster, 1);
  reader.SetWidth(codeWidth);

  int code = 0;
  bool ranOut = !reader.ReadGifCode(code);
  while (!ranOut && code != end && !writer.Done()) {
    if (code == clear) {
      codeWidth = codeSize + 1;
      limit = 1 << codeWidth;
      freeCode = clear + 2;
      reader.SetWidth(codeWidth);
      if (!reader.ReadGifCode(code)) {
        ranOut = true;
        break;
      }
      previous = code;
      firstChar = code & pixelMask;
      writer.PutGifPixel(firstChar);
      tableFull = false;
    } else {
      if (corrupted) break;
      int current = code;
      stack.clear();
      if (current >= freeCode) {
        stack.push_back(std::uint16_t(firstChar));
        current = previous;
      }
      // Root codes are those below the clear code, whatever the colour table's size: a stream
      // may use a code size smaller or larger than the table's bits.
      while (current >= clear && stack.size() <= 4096) {
        stack.push_back(suffix[current]);
        current = prefix[current];
      }
      if (stack.size() > 4096) {
        if (!ignoreErrors) Raise(SGIFDecodeError);
        corrupted = true;
        break;
      }
      firstChar = current & pixelMask;
      stack.push_back(std::uint16_t(firstChar));
      for (auto it = stack.rbegin(); it != stack.rend(); ++it) writer.PutGifPixel(*it);
      if (!tableFull) {
        prefix[freeCode] = std::uint16_t(previous);
        suffix[freeCode] = std::uint16_t(firstChar);
        if (++freeCode >= limit) {
          if (codeWidth < 12) {
            ++codeWidth;
            limit <<= 1;
            reader.SetWidth(codeWidth);
          } else {
            tableFull = true;
          }
        }
      }
      previous = code;
    }
    ranOut = !reader.ReadGifCode(code);
    Report(progress, Stage::Running, int(reader.Position() * 100 / raster.size()));
  }
  // Data that ends early is a fault of the stream: kept as far as it went when faults are
  // tolerated, raised otherwise.
  if (ranOut && !writer.Done()) {
    if (!ignoreErrors) throw EInvalidGraphicOperation(kStreamReadError);
    corrupted = true;
  }
}

namespace {


// Codes packed least significant bit first into sub-blocks of 255 bytes.
class CodeWriter {
 public:
  explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Write(int code, int width) {
    accumulator_ |= std::uint32_t(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      block_.push_back(std::uint8_t(accumulator_));
      accumulator_ >>= 8;
      bits_ -= 8;
      if (block_.size() == 255) FlushBlock();
    }
  }
  void Finish() {
    if (bits_ > 0) block_.push_back(std::uint8_t(accumulator_));
    if (!block_.empty()) FlushBlock();
    out_.push_back(0);
  }

 private:
  void FlushBlock() {
    out_.push_back(std::uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::vector<std::uint8_t>& out_;
  std::vector<std::uint8_t> block_;
  std::uint32_t accumulator_ = 0;
  int bits_ = 0;
};

// The string table: open addressing over 17777 slots of (prefix, code, suffix).
class StringTable {
 public:
  static constexpr int kSlots = 17777;
  StringTable() { Clear(); }
  void Clear() { std::fill(codes_.begin(), codes_.end(), -1); }
  // The slot holding (prefix, suffix), or the empty slot where it would go.
  int Probe(int hash, int prefix, int suffix) const {
    int slot = hash;
    while (codes_[slot] >= 0 && !(prefixes_[slot] == prefix && suffixes_[slot] == suffix))
      slot = slot + 1 == kSlots ? 0 : slot + 1;
    return slot;
  }
  bool Empty(int slot) const { return codes_[slot] < 0; }
  int Code(int slot) const { return codes_[slot]; }
  void Store(int slot, int prefix, int code, int suffix) {
    prefixes_[slot] = std::uint16_t(prefix);
    codes_[slot] = code;
    suffixes_[slot] = std::uint8_t(suffix);
  }

 private:
  std::array<std::uint16_t, kSlots> prefixes_{};
  std::array<int, kSlots> codes_{};
  std::array<std::uint8_t, kSlots> suffixes_{};
};

// A string of one pixel: its code is the pixel's, its hash starts from it.
void StartString(int pixel, int& pending, int& length, int& hash) {
  pending = pixel;
  length = 1;
  hash = (pixel + 3) * 301;
}

int PixelAt(const std::uint8_t* row, int x, int bits) {
  if (bits == 1) return (row[x / 8] >> (7 - x % 8)) & 1;
  if (bits == 4) return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
  return row[x];
}

}  // namespace

void GifLzwEncode(std::vector<std::uint8_t>& out, int width, int height, int bmpBits, bool interlaced,
                  const std::uint8_t* pixels, const Progress& progress) {
  const int codeSize = bmpBits == 1 ? 2 : bmpBits;
  out.push_back(std::uint8_t(codeSize));
  const int clear = 1 << codeSize, end = clear + 1;
  int lastCode = end, codeWidth = codeSize + 1, limit = 1 << codeWidth;
  auto table = std::make_unique<StringTable>();
  CodeWriter writer(out);
  writer.Write(clear, codeWidth);
  Report(progress, Stage::Starting, 0);

  const int stride = Stride(bmpBits, width);
  int pending = 0, length = 0, hash = 0, rowsDone = 0;
  for (int y = 0; y < height; y = interlaced ? NextInterlacedRow(y, height) : y + 1) {
    const std::uint8_t* row = pixels + std::size_t(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      int pixel = PixelAt(row, x, bmpBits);
      if (length == 0) {
        StartString(pixel, pending, length, hash);
        continue;
      }
      ++length;
      hash = int((std::int64_t(pixel + length + 4) * hash) % StringTable::kSlots);
      int slot = table->Probe(hash, pending, pixel);
      if (!table->Empty(slot)) {
        pending = table->Code(slot);
        continue;
      }
      writer.Write(pending, codeWidth);
      int code = ++lastCode;
      table->Store(slot, pending, code, pixel);
      // The new string is hashed from its own first pixel, as it will be when it is looked up.
      StartString(pixel, pending, length, hash);
      if (code >= limit) {
        ++codeWidth;
        limit <<= 1;
      } else if (code >= 4094) {
        writer.Write(pending, codeWidth);
        writer.Write(clear, codeWidth);
        length = 0;
        lastCode = end;
        codeWidth = codeSize + 1;
        limit = 1 << codeWidth;
        table->Clear();
      }
    }
    Report(progress, Stage::Running, ++rowsDone * 100 / height);
  }
  if (length > 0) writer.Write(pending, codeWidth);
  writer.Write(end, codeWidth);
  writer.Finish();
  Report(progress, Stage::Ending, 100);
}

std::vector<std::uint8_t> FrameToBmp(const Frame& frame, bool ignoreErrors, bool& corrupted,
                                     const Progress& progress) {
  int bits = 0;
  switch (frame.bits) {
    case 1: bits = 1; break;
    case 2: case 3: case 4: bits = 4; break;
    case 5: case 6: case 7: case 8: bits = 8; break;
    default: Raise(SWrongGIFColors);
  }
  const int colors = 1 << bits;
  CheckDecodableSize(frame);
  const std::uint32_t imageSize = std::uint32_t(Stride(bits, frame.width)) * std::uint32_t(frame.height);
  std::vector<std::uint8_t> bmp =
      BmpHeaders({.Width = frame.width,
                  .Height = frame.height,
                  .Bits = bits,
                  .ImageSize = imageSize,
                  .Palette = {frame.table.colors.begin(), frame.table.colors.begin() + colors}});
  const std::size_t offset = bmp.size();
  bmp.resize(offset + imageSize, 0);
  GifLzwDecode(frame.raster, frame.width, frame.height, bits, frame.interlaced, frame.bits, ignoreErrors, corrupted,
               bmp.data() + offset, progress);
  return bmp;
}

namespace {

int TableIndexOf(const ColorTable& table, Color color) {
  for (int i = 0; i < table.count; ++i)
    if ((table.colors[i] & 0xFFFFFF) == (color & 0xFFFFFF)) return i;
  return -1;
}

void PutSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::string>& blocks) {
  for (const std::string& block : blocks) {
    std::size_t length = std::min<std::size_t>(block.size(), 255);
    if (length == 0) continue;
    out.push_back(std::uint8_t(length));
    out.insert(out.end(), block.begin(), block.begin() + std::ptrdiff_t(length));
  }
  out.push_back(0);
}

// A table holds a power of two entries in the stream; the entries beyond the count are black.
void PutColorTable(std::vector<std::uint8_t>& out, const ColorTable& table) {
  if (table.count == 0) return;
  for (int i = 0; i < 1 << BitsForCount(table.count); ++i)
    out.insert(out.end(), {Red(table.colors[i]), Green(table.colors[i]), Blue(table.colors[i])});
}

void PutExtension(std::vector<std::uint8_t>& out, const Extension& extension) {
  static const std::uint8_t kLabels[] = {0xF9, 0x01, 0xFF, 0xFE};
  out.push_back('!');
  out.push_back(kLabels[extension.kind]);
  out.insert(out.end(), extension.fixed.begin(), extension.fixed.end());
  if (extension.kind != kGraphicControl) PutSubBlocks(out, extension.data);
}

void UpdateScreenSize(Picture& picture) {
  for (const Frame& frame : picture.frames) {
    picture.screenWidth = std::max(picture.screenWidth, frame.left + frame.width);
    picture.screenHeight = std::max(picture.screenHeight, frame.top + frame.height);
  }
}

}  // namespace

void UpdateExtensions(Picture& picture, Frame& frame) {
  auto control = std::find_if(frame.extensions.begin(), frame.extensions.end(),
                              [](const Extension& e) { return e.kind == kGraphicControl; });
  if (control == frame.extensions.end() &&
      (frame.interval > 0 || frame.transparent != kNoColor || frame.disposal != 0)) {
    frame.extensions.push_back(Extension{kGraphicControl, {4, 0, 0, 0, 0, 0}, {}});
    control = frame.extensions.end() - 1;
  }
  if (control != frame.extensions.end()) {
    std::vector<std::uint8_t>& fixed = control->fixed;
    int delay = frame.interval / 10;
    fixed[2] = std::uint8_t(delay);
    fixed[3] = std::uint8_t(delay >> 8);
    int index = frame.transparent == kNoColor ? -1 : TableIndexOf(frame.table, frame.transparent);
    if (index >= 0) {
      fixed[4] = std::uint8_t(index);
      fixed[1] |= 1;
    } else {
      fixed[1] &= std::uint8_t(~1);
    }
    fixed[1] = std::uint8_t((fixed[1] & 0xE3) | ((frame.disposal & 7) << 2));
  }
  std::erase_if(frame.extensions, [](const Extension& e) { return e.kind == kComment && e.data.empty(); });
  if (!frame.extensions.empty()) picture.version = Version::V89a;
}

namespace {

// The stream holds sizes and positions in 16 bits: anything outside cannot be written.
void CheckSixteenBits(std::initializer_list<int> values) {
  for (int value : values)
    if (value < 0 || value > 0xFFFF) Raise(SGIFEncodeError);
}

}  // namespace

std::vector<std::uint8_t> WritePicture(Picture& picture) {
  if (picture.frames.empty()) Raise(SNoGIFData);
  for (Frame& frame : picture.frames) UpdateExtensions(picture, frame);
  if (!picture.comment.empty()) picture.version = Version::V89a;
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'G', 'I', 'F'});
  const char* name = picture.version == Version::V89a ? "89a" : "87a";
  out.insert(out.end(), name, name + 3);

  UpdateScreenSize(picture);
  CheckSixteenBits({picture.screenWidth, picture.screenHeight});
  for (const Frame& frame : picture.frames) CheckSixteenBits({frame.left, frame.top, frame.width, frame.height});
  PutU16(out, picture.screenWidth);
  PutU16(out, picture.screenHeight);
  if (picture.global.count > 0) {
    int bits = BitsForCount(picture.global.count);
    out.push_back(std::uint8_t(0x80 + ((bits - 1) << 4) + (picture.globalBits - 1)));
    int index = picture.background == kNoColor ? 0 : std::max(0, TableIndexOf(picture.global, picture.background));
    out.push_back(std::uint8_t(index));
  } else {
    out.insert(out.end(), {0, 0});
  }
  out.push_back(picture.aspectRatio);
  PutColorTable(out, picture.global);

  if (picture.looping && picture.frames.size() > 1) {
    out.insert(out.end(), {'!', 0xFF, 0x0B});
    const char* id = "NETSCAPE2.0";
    out.insert(out.end(), id, id + 11);
    out.insert(out.end(), {3, 1});
    PutU16(out, picture.repeatCount);
    out.push_back(0);
  }
  for (const Frame& frame : picture.frames) {
    for (const Extension& extension : frame.extensions) PutExtension(out, extension);
    out.push_back(',');
    PutU16(out, frame.left);
    PutU16(out, frame.top);
    PutU16(out, frame.width);
    PutU16(out, frame.height);
    std::uint8_t packed = frame.localTable ? std::uint8_t(0x80 + BitsForCount(frame.table.count) - 1) : 0;
    if (frame.interlaced) packed |= 0x40;
    out.push_back(packed);
    if (frame.localTable) PutColorTable(out, frame.table);
    out.insert(out.end(), frame.raster.begin(), frame.raster.end());
  }
  if (!picture.comment.empty()) {
    out.insert(out.end(), {'!', 0xFE});
    PutSubBlocks(out, picture.comment);
  }
  out.push_back(';');
  return out;
}

void EncodeBitmapStream(Picture& picture, Frame& frame, const std::vector<std::uint8_t>& bmp,
                        const Progress& progress) {
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') Raise(SGIFEncodeError);
  const std::uint8_t* info = bmp.data() + 14;
  int bits = GetU16(info + 14);
  if (bits != 1 && bits != 4 && bits != 8) Raise(SGIFEncodeError);
  const int width = int(GetU32(info + 4));
  const int height = int(GetU32(info + 8));
  const std::uint32_t infoSize = GetU32(info);
  std::uint32_t colors = GetU32(info + 32);
  if (colors == 0 || colors > 256u) colors = 1u << bits;
  const std::uint32_t offset = GetU32(bmp.data() + 10);
  const std::size_t paletteStart = 14 + std::size_t(infoSize);
  CheckSixteenBits({width, height});
  if (width <= 0 || height <= 0 || paletteStart + 4 * colors > bmp.size() ||
      offset + std::size_t(Stride(bits, width)) * std::size_t(height) > bmp.size())
    Raise(SGIFEncodeError);

  frame.interlaced = false;
  frame.table = ColorTable();
  frame.table.count = int(colors);
  for (std::uint32_t i = 0; i < colors; ++i) {
    const std::uint8_t* entry = bmp.data() + paletteStart + 4 * i;
    frame.table.colors[i] = RgbColor(entry[2], entry[1], entry[0]);
  }
  frame.raster.clear();
  GifLzwEncode(frame.raster, width, height, bits, false, bmp.data() + offset, progress);
  frame.bits = BitsForCount(frame.table.count);
  if (picture.global.count == 0) {
    picture.global = frame.table;
    picture.globalBits = frame.bits;
    frame.localTable = false;
  } else {
    frame.localTable = true;
  }
  frame.width = width;
  frame.height = height;
  picture.screenWidth = std::max(picture.screenWidth, frame.left + width);
  picture.screenHeight = std::max(picture.screenHeight, frame.top + height);
}

}  // namespace vt::gif
