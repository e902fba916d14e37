// The masked edit's mask engine: parses the class library's edit masks ("mask;save;blank") and
// carries out typing, blanking and the conversions between the edit text and the saved text.
// Pure C++ so that the rules can be tested without a widget; the edit text is held as code points.
#pragma once

#include <string>
#include <vector>

namespace vt {

class EditMask {
public:
    // ':' and '/' in the mask stand for the locale's time and date separators.
    explicit EditMask(const std::string& mask = "", const std::string& timeSeparator = ":",
                      const std::string& dateSeparator = "/");

    bool IsMasked() const { return !positions_.empty(); }
    bool SaveLiterals() const { return saveLiterals_; }
    char32_t Blank() const { return blank_; }
    int Length() const { return static_cast<int>(positions_.size()); }
    bool IsLiteral(int pos) const;

    // The edit text with nothing typed: literals in place, blanks elsewhere.
    std::u32string EmptyEditText() const;
    // Text (what the program reads) from the edit text, and the edit text for a Text value.
    std::u32string TextFromEditText(const std::u32string& editText) const;
    std::u32string EditTextFromText(const std::u32string& text) const;
    // The first required position that is still blank, or -1 when the entry is complete.
    int FirstMissing(const std::u32string& editText) const;

    // Editing steps on an edit text, first brought to Length() code points; positions outside
    // the text count as its ends. Each returns the new cursor.
    // Typing a character refused by its position returns -1 and leaves the text alone.
    int InputChar(std::u32string& editText, int selStart, int selEnd, char32_t ch) const;
    int Backspace(std::u32string& editText, int selStart, int selEnd) const;
    int Delete(std::u32string& editText, int selStart, int selEnd) const;
    // Blanks every editable position in [from, to).
    void BlankRange(std::u32string& editText, int from, int to) const;
    int NextEditable(int pos) const;   // first editable position >= pos, or Length()
    int PriorEditable(int pos) const;  // last editable position < pos, or -1

private:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, AnyChar };
    enum class Case { None, Upper, Lower };
    struct Position {
        Kind kind;
        bool required;
        Case caseConversion;
        char32_t literal;
    };

    void Parse(const std::u32string& mask, const std::u32string& timeSep,
               const std::u32string& dateSep);
    void AddLiteral(char32_t ch);
    void AddEditable(Kind kind, bool required, Case caseConversion);
    void ParseOptions(const std::u32string& options);
    bool Accepts(const Position& p, char32_t ch) const;
    std::u32string Align(const std::u32string& chars, char32_t fill) const;
    void Fit(std::u32string& editText) const;

    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    bool dropLeadingBlanks_ = false;
    char32_t blank_ = U'_';
};

std::u32string ToUtf32(const std::string& s);
std::string ToUtf8(const std::u32string& s);

}  // namespace vt
