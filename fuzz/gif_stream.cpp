// GIF streams: any input is read, each frame it yields decoded (tolerating faults and not), and
// what reads back is written again, without reading or writing outside a buffer.
#include "components/graphics/VtGIFCodec.h"
#include "rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (bool tolerate : {true, false}) {
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
            if (!picture.frames.empty())
                vt::gif::WritePicture(picture);
        } catch (const Exception&) {
        }
    }
    return 0;
}
