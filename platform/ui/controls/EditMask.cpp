// The masked edit's mask engine: parsing of "mask;save;blank" and the editing and text rules.
// A mask position is either a literal (shown and skipped) or an editable slot with a character
// class, a required flag and the case conversion in force where it stands.
#include "ui/controls/EditMask.h"

#include <algorithm>

namespace vt {

namespace {

bool IsDigit(char32_t ch) { return ch >= U'0' && ch <= U'9'; }

// Letters beyond ASCII: every code point from Latin-1's letters upward except × and ÷.
bool IsLetter(char32_t ch) {
    if ((ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z')) return true;
    return ch >= 0xC0 && ch != 0xD7 && ch != 0xF7;
}

bool IsLatinLower(char32_t ch) { return ch >= 0xE0 && ch <= 0xFE && ch != 0xF7; }
bool IsLatinUpper(char32_t ch) { return ch >= 0xC0 && ch <= 0xDE && ch != 0xD7; }

char32_t ToUpper(char32_t ch) {
    if ((ch >= U'a' && ch <= U'z') || IsLatinLower(ch)) return ch - 0x20;
    return ch;
}

char32_t ToLower(char32_t ch) {
    if ((ch >= U'A' && ch <= U'Z') || IsLatinUpper(ch)) return ch + 0x20;
    return ch;
}

}  // namespace

EditMask::EditMask(const std::string& mask, const std::string& timeSeparator,
                   const std::string& dateSeparator) {
    Parse(ToUtf32(mask), ToUtf32(timeSeparator), ToUtf32(dateSeparator));
}

void EditMask::Parse(const std::u32string& mask, const std::u32string& timeSep,
                     const std::u32string& dateSep) {
    Case caseConversion = Case::None;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char32_t ch = mask[i];
        const bool nextIs = i + 1 < mask.size();
        switch (ch) {
            case U'\\': if (nextIs) AddLiteral(mask[++i]); break;
            case U';': ParseOptions(mask.substr(i + 1)); return;
            case U'!': dropLeadingBlanks_ = true; break;
            case U'>':
                if (nextIs && mask[i + 1] == U'<') { caseConversion = Case::None; ++i; }
                else caseConversion = Case::Upper;
                break;
            case U'<':
                if (nextIs && mask[i + 1] == U'>') { caseConversion = Case::None; ++i; }
                else caseConversion = Case::Lower;
                break;
            case U'0': AddEditable(Kind::Digit, true, caseConversion); break;
            case U'9': AddEditable(Kind::Digit, false, caseConversion); break;
            case U'#': AddEditable(Kind::DigitOrSign, false, caseConversion); break;
            case U'L': AddEditable(Kind::Letter, true, caseConversion); break;
            case U'l': AddEditable(Kind::Letter, false, caseConversion); break;
            case U'A': AddEditable(Kind::LetterOrDigit, true, caseConversion); break;
            case U'a': AddEditable(Kind::LetterOrDigit, false, caseConversion); break;
            case U'C': AddEditable(Kind::AnyChar, true, caseConversion); break;
            case U'c': AddEditable(Kind::AnyChar, false, caseConversion); break;
            case U':': for (char32_t s : timeSep) AddLiteral(s); break;
            case U'/': for (char32_t s : dateSep) AddLiteral(s); break;
            case U'_': AddLiteral(U' '); break;
            default: AddLiteral(ch); break;
        }
    }
}

// Options after the mask: the save-literals flag ('0' = do not save) and the blank character.
void EditMask::ParseOptions(const std::u32string& options) {
    saveLiterals_ = options.empty() || options[0] != U'0';
    const size_t separator = options.find(U';');
    if (separator != std::u32string::npos && separator + 1 < options.size())
        blank_ = options[separator + 1];
}

void EditMask::AddLiteral(char32_t ch) {
    positions_.push_back({Kind::Literal, false, Case::None, ch});
}

void EditMask::AddEditable(Kind kind, bool required, Case caseConversion) {
    positions_.push_back({kind, required, caseConversion, 0});
}

bool EditMask::IsLiteral(int pos) const {
    return pos >= 0 && pos < Length() && positions_[pos].kind == Kind::Literal;
}

int EditMask::NextEditable(int pos) const {
    pos = std::max(pos, 0);
    while (pos < Length() && IsLiteral(pos)) ++pos;
    return pos < Length() ? pos : Length();
}

int EditMask::PriorEditable(int pos) const {
    for (pos = std::min(pos, Length()) - 1; pos >= 0; --pos)
        if (!IsLiteral(pos)) return pos;
    return -1;
}

std::u32string EditMask::EmptyEditText() const {
    return Align(U"", blank_);
}

// Lays the characters into the editable positions, literals in between. Masks with '!' fill
// from the right (the text's blanks stand in front), the others from the left.
std::u32string EditMask::Align(const std::u32string& chars, char32_t fill) const {
    std::u32string result(positions_.size(), fill);
    const int slots = static_cast<int>(std::count_if(
        positions_.begin(), positions_.end(), [](const Position& p) { return p.kind != Kind::Literal; }));
    const int count = static_cast<int>(chars.size());
    int next = dropLeadingBlanks_ ? count - slots : 0;
    for (int i = 0; i < Length(); ++i) {
        if (IsLiteral(i)) { result[i] = positions_[i].literal; continue; }
        if (next >= 0 && next < count) result[i] = chars[next];
        ++next;
    }
    return result;
}

std::u32string EditMask::TextFromEditText(const std::u32string& editText) const {
    std::u32string chars;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i)) chars += i < static_cast<int>(editText.size()) ? editText[i] : blank_;
    if (dropLeadingBlanks_) chars.erase(0, chars.find_first_not_of(blank_));
    else chars.erase(chars.find_last_not_of(blank_) + 1);
    for (char32_t& ch : chars)
        if (ch == blank_) ch = U' ';
    return saveLiterals_ ? Align(chars, U' ') : chars;
}

// A saved text carries the literals: they are matched where they stand and put back where the
// text left them out. An unsaved text holds the editable characters alone.
std::u32string EditMask::EditTextFromText(const std::u32string& text) const {
    if (!saveLiterals_) {
        std::u32string chars = text;
        for (char32_t& ch : chars)
            if (ch == U' ') ch = blank_;
        return Align(chars, blank_);
    }
    std::u32string result;
    size_t next = 0;
    for (const Position& p : positions_) {
        if (p.kind == Kind::Literal) {
            if (next < text.size() && text[next] == p.literal) ++next;
            result += p.literal;
        } else if (next < text.size()) {
            const char32_t ch = text[next++];
            result += ch == U' ' ? blank_ : ch;
        } else {
            result += blank_;
        }
    }
    return result;
}

int EditMask::FirstMissing(const std::u32string& editText) const {
    for (int i = 0; i < Length(); ++i) {
        const Position& p = positions_[i];
        if (p.kind == Kind::Literal || !p.required) continue;
        const char32_t ch = i < static_cast<int>(editText.size()) ? editText[i] : blank_;
        if (ch == blank_ || (ch == U' ' && p.kind != Kind::AnyChar)) return i;
    }
    return -1;
}

// Optional positions take a blank typed as a space.
bool EditMask::Accepts(const Position& p, char32_t ch) const {
    if (ch == U' ' && !p.required) return true;
    switch (p.kind) {
        case Kind::Digit: return IsDigit(ch);
        case Kind::DigitOrSign: return IsDigit(ch) || ch == U'+' || ch == U'-';
        case Kind::Letter: return IsLetter(ch);
        case Kind::LetterOrDigit: return IsLetter(ch) || IsDigit(ch);
        case Kind::AnyChar: return ch >= U' ';
        case Kind::Literal: return false;
    }
    return false;
}

// A text of another length (a widget may hand one over) is first cut or filled to the mask's.
void EditMask::Fit(std::u32string& editText) const {
    if (editText.size() < positions_.size())
        editText += EmptyEditText().substr(editText.size());
    editText.resize(positions_.size());
}

int EditMask::InputChar(std::u32string& editText, int selStart, int selEnd, char32_t ch) const {
    Fit(editText);
    const int pos = NextEditable(selStart);
    if (pos >= Length() || !Accepts(positions_[pos], ch)) return -1;
    BlankRange(editText, selStart, selEnd);
    switch (positions_[pos].caseConversion) {
        case Case::Upper: ch = ToUpper(ch); break;
        case Case::Lower: ch = ToLower(ch); break;
        case Case::None: break;
    }
    editText[pos] = ch == U' ' ? blank_ : ch;
    return NextEditable(pos + 1);
}

int EditMask::Backspace(std::u32string& editText, int selStart, int selEnd) const {
    Fit(editText);
    if (selStart < selEnd) {
        BlankRange(editText, selStart, selEnd);
        return selStart;
    }
    const int pos = PriorEditable(selStart);
    if (pos < 0) return selStart;
    editText[pos] = blank_;
    return pos;
}

int EditMask::Delete(std::u32string& editText, int selStart, int selEnd) const {
    Fit(editText);
    if (selStart < selEnd) {
        BlankRange(editText, selStart, selEnd);
        return selStart;
    }
    const int pos = NextEditable(selStart);
    if (pos < Length()) editText[pos] = blank_;
    return selStart;
}

void EditMask::BlankRange(std::u32string& editText, int from, int to) const {
    Fit(editText);
    for (int i = std::max(from, 0); i < std::min(to, Length()); ++i)
        if (!IsLiteral(i)) editText[i] = blank_;
}

std::u32string ToUtf32(const std::string& s) {
    std::u32string result;
    for (size_t i = 0; i < s.size();) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        result += cp;
        i += extra + 1;
    }
    return result;
}

std::string ToUtf8(const std::u32string& s) {
    std::string result;
    for (char32_t cp : s) {
        if (cp < 0x80) {
            result += static_cast<char>(cp);
        } else if (cp < 0x800) {
            result += static_cast<char>(0xC0 | (cp >> 6));
            result += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            result += static_cast<char>(0xE0 | (cp >> 12));
            result += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (cp >> 18));
            result += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return result;
}

}  // namespace vt
