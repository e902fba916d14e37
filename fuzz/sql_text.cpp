// SQL rewrite and quoting: any statement rewrites without fault; a quoted text is one literal
// that the rewrite leaves as it is, or is refused; the number check passes nothing but a number.
#include "db/SqlText.h"
#include "fuzz/FuzzSupport.h"
#include "rtl/Exceptions.h"

using vt::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const String sql = in.Next(), text = in.Next();
    vt::RewriteJetDialect(sql);
    TDateTime date;
    vt::TryParseJetDate(sql, date);
    try {
        const String statement = "SELECT " + vt::SqlQuote(text) + " FROM t";
        if (vt::RewriteJetDialect(statement) != statement)
            vt::fuzz::Fail();
        vt::SqlQuoteIdentifier(text);
    } catch (const EDatabaseError&) {
        if (text.find('\0') == String::npos)
            vt::fuzz::Fail();  // only a NUL character is refused
    }
    try {
        if (vt::SqlNumber(text).find_first_not_of("+-.0123456789") != String::npos)
            vt::fuzz::Fail();
    } catch (const EDatabaseError&) {
    }
    return 0;
}
