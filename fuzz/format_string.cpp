// Format strings: any format with any arguments either gives its text or is refused with the
// conversion error, without faults and without outsized widths.
#include "fuzz/FuzzSupport.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"

using vt::fuzz::FuzzInput;

namespace {

FormatArg NextArg(FuzzInput& in)
{
    const String text = in.Next();
    std::int64_t number = 0;
    switch (in.Number(0, 3)) {
    case 0:
        return TryStrToInt64(text, number) ? FormatArg(number) : FormatArg(text.size());
    case 1:
        return FormatArg(static_cast<int>(TryStrToInt64(text, number) ? number : -1));
    case 2:
        return FormatArg(static_cast<double>(TryStrToInt64(text, number) ? number : 0) / 7);
    default:
        return FormatArg(text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const String format = in.Next();
    std::vector<FormatArg> args;
    for (int count = in.Number(0, 6); count > 0; --count)
        args.push_back(NextArg(in));
    try {
        Format(format, args);
    } catch (const EConvertError&) {
    }
    return 0;
}
