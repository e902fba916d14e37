// GIF streams: any input is read by the codec (each frame decoded, tolerating faults and not, and
// what reads written again) and by the picture class as the program reads it, in its stored form
// (a byte count, then the picture) and its clipboard form, on to the bitmap of every frame,
// without reading or writing outside a buffer and within the memory the fuzzer allows.
#include <cstring>
#include <vector>

#include "components/graphics/VtGIF.h"
#include "components/graphics/VtGIFCodec.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"
#include "ui/testing/UiTesting.h"

namespace {

void ReadWithTheCodec(const std::uint8_t* data, std::size_t size, bool tolerate) {
  vt::gif::Picture picture;
  try {
    vt::gif::ReadPicture(data, size, tolerate, picture);
  } catch (const Exception&) {
  }
  for (const vt::gif::Frame& frame : picture.frames) {
    try {
      bool corrupted = false;
      vt::gif::FrameToBmp(frame, tolerate, corrupted);
    } catch (const Exception&) {
    }
  }
  try {
    if (!picture.frames.empty()) vt::gif::WritePicture(picture);
  } catch (const Exception&) {
  }
}

// Every frame's bitmap and size, then the picture written back; errors are the picture's own.
void UseThePicture(TGIFImage& image) {
  for (int i = 0; i < image.Count(); ++i) {
    try {
      image.SetFrameIndex(i);
      image.Bitmap();
      image.Width();
    } catch (const Exception&) {
    }
  }
  try {
    TMemoryStream out;
    image.SaveToStream(&out);
  } catch (const Exception&) {
  }
}

// The stored and the clipboard form both start with a byte count: the input's length.
std::vector<std::uint8_t> Counted(const std::uint8_t* data, std::size_t size) {
  const auto count = static_cast<std::int32_t>(size);
  std::vector<std::uint8_t> bytes(4);
  std::memcpy(bytes.data(), &count, 4);
  bytes.insert(bytes.end(), data, data + size);
  return bytes;
}

void ReadAsStored(const std::vector<std::uint8_t>& stored) {
  TMemoryStream stream;
  stream.WriteBuffer(stored.data(), static_cast<std::int64_t>(stored.size()));
  stream.SetPosition(0);
  TGIFImage image;
  try {
    image.ReadData(&stream);
  } catch (const Exception&) {
  }
  UseThePicture(image);
}

void ReadAsPasted(const std::vector<std::uint8_t>& clipboard) {
  TGIFImage image;
  try {
    image.LoadFromClipboardFormat(CF_GIF, clipboard);
  } catch (const Exception&) {
  }
  UseThePicture(image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vt::EnsureTestApplication();
  const std::vector<std::uint8_t> counted = Counted(data, size);
  const std::vector<std::uint8_t> raw(data, data + size);  // a count of the input's own
  for (bool tolerate : {true, false}) {
    GIFLoadCorrupted = tolerate;
    ReadWithTheCodec(data, size, tolerate);
    ReadAsStored(counted);
    ReadAsStored(raw);
    ReadAsPasted(counted);
  }
  GIFLoadCorrupted = true;
  return 0;
}
