// The masked edit on the standard edit's QLineEdit. Qt's own input masks are not used: every
// key, paste or cut that changes a masked text goes through the mask engine, which keeps the
// text at the mask's length.
#include "ui/controls/MaskEdit.h"
#include "rtl/TypInfo.h"

#include "rtl/Locale.h"
#include "ui/kernel/Clipboard.h"
#include "ui/kernel/Controls_p.h"

#include <QLineEdit>

namespace {

const char* const MaskEditErrorText = "Invalid input value.  Use escape key to abandon changes";

std::u32string ToU32(const QString& s) {
    const QList<uint> ucs4 = s.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

QString FromU32(const std::u32string& s) {
    return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

// Qt counts positions and lengths in UTF-16 units, the mask in characters (code points): a
// character outside the basic plane takes two units.
int CharPos(const QString& text, int unitPos) {
    return static_cast<int>(QStringView(text).left(unitPos).toUcs4().size());
}

int UnitPos(const std::u32string& text, int charPos) {
    int units = 0;
    for (int i = 0; i < charPos && i < static_cast<int>(text.size()); ++i) units += text[i] > 0xFFFF ? 2 : 1;
    return units;
}

// The entry under the same mask with other separators: what stands in the editable places, in
// order, moves to the editable places of the new layout.
std::u32string RelaidEditText(const vt::EditMask& from, const std::u32string& editText, const vt::EditMask& to) {
    std::u32string typed;
    for (int i = 0; i < from.Length() && i < static_cast<int>(editText.size()); ++i)
        if (!from.IsLiteral(i)) typed += editText[i];
    std::u32string relaid = to.EmptyEditText();
    size_t next = 0;
    for (int i = 0; i < to.Length() && next < typed.size(); ++i)
        if (!to.IsLiteral(i)) relaid[i] = typed[next++];
    return relaid;
}

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// The same mask is laid out again when the locale's separators, which its ':' and '/' stand
// for, changed since.
void TCustomMaskEdit::SetEditMask(const String& Value) {
    const String separators = Locale().TimeSeparator + '\n' + Locale().DateSeparator;
    if (Value == FEditMask && (Value.empty() || separators == FMaskSeparators)) return;
    const bool sameMask = Value == FEditMask;
    const vt::EditMask previous = FMask;
    const std::u32string editText = ToU32(LineEdit()->text());
    String text = GetText();
    FEditMask = Value;
    FMaskSeparators = separators;
    FMask = vt::EditMask(Value, Locale().TimeSeparator, Locale().DateSeparator);
    SetMaxLength(TCustomEdit::MaxLength());
    if (sameMask) text = vt::ToUtf8(FMask.TextFromEditText(RelaidEditText(previous, editText, FMask)));
    SetTextValue(text);
}

String TCustomMaskEdit::EditText() const { return vt::FromQString(LineEdit()->text()); }

void TCustomMaskEdit::SetEditText(const String& Value) {
    if (!IsMasked()) {
        TCustomEdit::SetTextValue(Value);
        return;
    }
    std::u32string text = vt::ToUtf32(Value);
    text.resize(FMask.Length(), FMask.Blank());
    TCustomEdit::SetTextValue(vt::ToUtf8(text));
}

String TCustomMaskEdit::GetText() const {
    if (!IsMasked()) return EditText();
    return vt::ToUtf8(FMask.TextFromEditText(ToU32(LineEdit()->text())));
}

void TCustomMaskEdit::SetTextValue(const String& Value) {
    FSavedText = Value;
    TCustomEdit::SetTextValue(IsMasked() ? vt::ToUtf8(FMask.EditTextFromText(vt::ToUtf32(Value))) : Value);
}

int TCustomMaskEdit::MaxLength() const { return IsMasked() ? FMask.Length() : TCustomEdit::MaxLength(); }

void TCustomMaskEdit::SetMaxLength(int Value) {
    TCustomEdit::SetMaxLength(Value);
    if (IsMasked()) LineEdit()->setMaxLength(2 * FMask.Length());  // room for the mask's characters
}

// Esc is the user's change back to the saved text, so OnChange fires for it.
void TCustomMaskEdit::Reset() {
    SetTextValue(FSavedText);
    Change();
    SelectAll();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    const int missing = FMask.FirstMissing(ToU32(LineEdit()->text()));
    if (missing < 0) return;
    SetSelStart(UnitPos(ToU32(LineEdit()->text()), missing));
    throw EDBEditError(MaskEditErrorText);
}

// Asking may re-show the text (a data-aware edit puts its dataset into Edit), which must not
// move the position that the key changes.
bool TCustomMaskEdit::KeyCanModify() {
    const int start = SelStart();
    const int length = SelLength();
    if (!EditCanModify()) return false;
    SetSelStart(start);
    SetSelLength(length);
    return true;
}

// A change by the user: the entry is modified and OnChange fires.
void TCustomMaskEdit::ApplyEdit(const std::u32string& editText, int cursor) {
    if (FromU32(editText) != LineEdit()->text()) {
        LineEdit()->setText(FromU32(editText));
        SetModified(true);
        Change();
    }
    SetSelStart(UnitPos(editText, cursor));
}

TCustomMaskEdit::CharSelection TCustomMaskEdit::MaskSelection() const {
    const QString text = LineEdit()->text();
    return {CharPos(text, SelStart()), CharPos(text, SelStart() + SelLength())};
}

// Backspace and Delete blank positions instead of removing characters; Esc undoes the changes.
void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE && IsMasked() && Modified()) {
        Reset();
        Key = 0;
        return;
    }
    if (Key != VK_BACK && Key != VK_DELETE) return;
    if (!IsMasked()) {
        if (!KeyCanModify()) Key = 0;
        return;
    }
    if (CanChangeMaskedText()) {
        std::u32string text = ToU32(LineEdit()->text());
        const auto [start, end] = MaskSelection();
        ApplyEdit(text, Key == VK_BACK ? FMask.Backspace(text, start, end) : FMask.Delete(text, start, end));
    }
    Key = 0;
}

// Typing overwrites the next editable position; a character the position refuses is dropped.
void TCustomMaskEdit::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    const bool typing = static_cast<unsigned char>(Key) >= 0x20 || Key == '\b';
    if (!typing) return;
    if (!IsMasked()) {
        if (!KeyCanModify()) Key = 0;
        return;
    }
    if (Key != '\b' && CanChangeMaskedText()) {
        std::u32string text = ToU32(LineEdit()->text());
        const auto [start, end] = MaskSelection();
        const int next = FMask.InputChar(text, start, end, static_cast<unsigned char>(Key));
        if (next >= 0) ApplyEdit(text, next);
    }
    Key = 0;
}

// Pasted characters are typed one after the other from the cursor; refused ones are skipped.
void TCustomMaskEdit::PasteMasked() {
    if (!CanChangeMaskedText()) return;
    std::u32string text = ToU32(LineEdit()->text());
    auto [start, end] = MaskSelection();
    for (char32_t ch : vt::ToUtf32(Clipboard()->AsText())) {
        const int next = FMask.InputChar(text, start, end, ch);
        if (next < 0) continue;
        start = end = next;
    }
    ApplyEdit(text, start);
}

void TCustomMaskEdit::CutMasked() {
    TMessage copy{WM_COPY, 0, 0, 0};
    TCustomEdit::WndProc(copy);
    if (!CanChangeMaskedText()) return;
    std::u32string text = ToU32(LineEdit()->text());
    const auto [start, end] = MaskSelection();
    ApplyEdit(text, FMask.Delete(text, start, end));
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
    if (IsMasked() && Message.Msg == WM_PASTE) return PasteMasked();
    if (IsMasked() && Message.Msg == WM_CUT) return CutMasked();
    if (Message.Msg == CM_EXIT) ValidateEdit();
    TCustomEdit::WndProc(Message);
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TCustomMaskEdit, TCustomEdit> kCustomMaskEdit{
    "TCustomMaskEdit", {vt::Published("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask)}};
}  // namespace

namespace {
const vt::ClassRegistration<TMaskEdit, TCustomMaskEdit> kMaskEdit{"TMaskEdit", {}};
}  // namespace
