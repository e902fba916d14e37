// Format: walks the format string, reading one specifier at a time and converting the
// argument it points at, then padding the piece to its width.
#include "rtl/Format.h"

#include <cctype>
#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

namespace {

struct Directive {
    bool LeftJustify = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

class Formatter {
public:
    Formatter(const String& format, const std::vector<FormatArg>& args)
        : FFormat(format), FArgs(args)
    {
    }

    String Run()
    {
        while (FPos < FFormat.size()) {
            char c = FFormat[FPos++];
            if (c != '%')
                FResult += c;
            else if (Peek() == '%')
                FResult += FFormat[FPos++];
            else
                Convert(ReadDirective());
        }
        return FResult;
    }

private:
    static constexpr int MaxNumber = 100000;  // widths and precisions: beyond it, a damaged format

    [[noreturn]] void Invalid() const
    {
        throw EConvertError("Format '" + FFormat + "' invalid or incompatible with argument");
    }

    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

    const FormatArg& NextArg()
    {
        if (FArgIndex >= FArgs.size())
            Invalid();
        return FArgs[FArgIndex++];
    }

    // A decimal number or "*" (the next argument, which must be an integer); -1 when absent.
    // Either is refused above MaxNumber; a negative argument counts as absent.
    int ReadNumber()
    {
        if (Peek() == '*') {
            ++FPos;
            const FormatArg& arg = NextArg();
            if (arg.GetKind() != FormatArg::Integer || arg.AsInteger() > MaxNumber)
                Invalid();
            return arg.AsInteger() < 0 ? -1 : static_cast<int>(arg.AsInteger());
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek())))
            return -1;
        int value = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = value * 10 + (FFormat[FPos++] - '0');
            if (value > MaxNumber)
                Invalid();
        }
        return value;
    }

    Directive ReadDirective()
    {
        Directive directive;
        int number = ReadNumber();
        if (Peek() == ':') {
            ++FPos;
            if (number < 0)
                number = 0;
            FArgIndex = static_cast<std::size_t>(number);
            number = -1;
        }
        if (number < 0) {
            if (Peek() == '-') {
                directive.LeftJustify = true;
                ++FPos;
            }
            number = ReadNumber();
        }
        directive.Width = number;
        if (Peek() == '.') {
            ++FPos;
            directive.Precision = ReadNumber();
            if (directive.Precision < 0)
                directive.Precision = 0;
        }
        if (FPos >= FFormat.size())
            Invalid();
        directive.Type = static_cast<char>(std::tolower(static_cast<unsigned char>(FFormat[FPos++])));
        return directive;
    }

    void Convert(const Directive& directive)
    {
        const FormatArg& arg = NextArg();
        String piece;
        switch (directive.Type) {
        case 'd':
            piece = IntegerText(Expect(arg, FormatArg::Integer).AsInteger(), directive.Precision);
            break;
        case 'u':
            piece = Digits(UnsignedText(Expect(arg, FormatArg::Integer).AsInteger()), directive.Precision);
            break;
        case 'x':
            piece = Digits(HexText(Expect(arg, FormatArg::Integer).AsInteger()), directive.Precision);
            break;
        case 's':
            piece = Expect(arg, FormatArg::Text).AsText();
            if (directive.Precision >= 0 && static_cast<std::size_t>(directive.Precision) < piece.size())
                piece.resize(static_cast<std::size_t>(directive.Precision));
            break;
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm':
            piece = FloatText(Expect(arg, FormatArg::Float).AsFloat(), directive);
            break;
        default:
            Invalid();
        }
        Pad(piece, directive);
    }

    const FormatArg& Expect(const FormatArg& arg, FormatArg::Kind kind) const
    {
        if (arg.GetKind() != kind)
            Invalid();
        return arg;
    }

    static String Digits(String digits, int minimum)
    {
        if (minimum > static_cast<int>(digits.size()))
            digits.insert(0, static_cast<std::size_t>(minimum) - digits.size(), '0');
        return digits;
    }

    static String IntegerText(std::int64_t value, int minimumDigits)
    {
        String magnitude = IntToStr(value);
        bool negative = value < 0;
        if (negative)
            magnitude.erase(0, 1);
        return (negative ? "-" : "") + Digits(magnitude, minimumDigits);
    }

    // A negative value within the 32-bit range shows as the 32-bit pattern, as the class
    // library's Integer arguments do.
    static std::uint64_t Bits(std::int64_t value)
    {
        if (value < 0 && value >= std::numeric_limits<std::int32_t>::min())
            return static_cast<std::uint32_t>(value);
        return static_cast<std::uint64_t>(value);
    }

    static String UnsignedText(std::int64_t value) { return std::to_string(Bits(value)); }

    static String HexText(std::int64_t value)
    {
        std::uint64_t bits = Bits(value);
        return IntToHex(static_cast<std::int64_t>(bits), 1);
    }

    static String FloatText(long double value, const Directive& directive)
    {
        int p = directive.Precision;
        switch (directive.Type) {
        case 'e':
            return FloatToStrF(value, ffExponent, p < 0 ? 15 : p, 3);
        case 'g':
            return FloatToStrF(value, ffGeneral, p < 0 ? 15 : p, 3);
        case 'f':
            return FloatToStrF(value, ffFixed, 18, p < 0 ? 2 : p);
        case 'n':
            return FloatToStrF(value, ffNumber, 18, p < 0 ? 2 : p);
        default:
            return FloatToStrF(value, ffCurrency, 18, p < 0 ? Locale().CurrencyDecimals : p);
        }
    }

    void Pad(const String& piece, const Directive& directive)
    {
        std::size_t fill = directive.Width > static_cast<int>(piece.size())
                               ? static_cast<std::size_t>(directive.Width) - piece.size()
                               : 0;
        if (!directive.LeftJustify)
            FResult.append(fill, ' ');
        FResult += piece;
        if (directive.LeftJustify)
            FResult.append(fill, ' ');
    }

    const String& FFormat;
    const std::vector<FormatArg>& FArgs;
    std::size_t FPos = 0;
    std::size_t FArgIndex = 0;
    String FResult;
};

}  // namespace

String Format(const String& format, const std::vector<FormatArg>& args)
{
    return Formatter(format, args).Run();
}
