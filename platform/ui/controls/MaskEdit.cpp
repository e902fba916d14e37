// The masked edit on a QLineEdit. Qt's own input masks are not used: every key that changes
// the text goes through the mask engine, which keeps the text at the mask's length, and the
// line edit only shows it and moves the cursor.
#include "ui/controls/MaskEdit.h"

#include "rtl/Locale.h"
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

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner)
    : TWinControl(AOwner, new vt::Bridged<QLineEdit>(this)) {
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 21);
    QObject::connect(Edit(), &QLineEdit::textChanged, Edit(), [this] { Change(); });
}

QLineEdit* TCustomMaskEdit::Edit() const { return static_cast<QLineEdit*>(Widget()); }

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (Value == FEditMask) return;
    const String text = GetText();
    FEditMask = Value;
    FMask = vt::EditMask(Value, String(1, Locale().TimeSeparator), String(1, Locale().DateSeparator));
    Edit()->setMaxLength(IsMasked() ? FMask.Length() : (FMaxLength > 0 ? FMaxLength : 32767));
    SetTextValue(text);
}

String TCustomMaskEdit::EditText() const { return vt::FromQString(Edit()->text()); }

void TCustomMaskEdit::SetEditText(const String& Value) {
    if (!IsMasked()) {
        Edit()->setText(vt::ToQString(Value));
        return;
    }
    std::u32string text = vt::ToUtf32(Value);
    text.resize(FMask.Length(), FMask.Blank());
    Edit()->setText(FromU32(text));
}

String TCustomMaskEdit::GetText() const {
    if (!IsMasked()) return EditText();
    return vt::ToUtf8(FMask.TextFromEditText(ToU32(Edit()->text())));
}

void TCustomMaskEdit::SetTextValue(const String& Value) {
    FSavedText = Value;
    FModified = false;
    if (IsMasked()) Edit()->setText(FromU32(FMask.EditTextFromText(vt::ToUtf32(Value))));
    else Edit()->setText(vt::ToQString(Value));
}

int TCustomMaskEdit::MaxLength() const { return IsMasked() ? FMask.Length() : FMaxLength; }

void TCustomMaskEdit::SetMaxLength(int Value) {
    FMaxLength = Value;
    if (!IsMasked()) Edit()->setMaxLength(Value > 0 ? Value : 32767);
}

bool TCustomMaskEdit::ReadOnly() const { return Edit()->isReadOnly(); }
void TCustomMaskEdit::SetReadOnly(bool Value) { Edit()->setReadOnly(Value); }

int TCustomMaskEdit::SelStart() const {
    return Edit()->hasSelectedText() ? Edit()->selectionStart() : Edit()->cursorPosition();
}

void TCustomMaskEdit::SetSelStart(int Value) { Edit()->setCursorPosition(Value); }
int TCustomMaskEdit::SelLength() const { return Edit()->selectionLength(); }
void TCustomMaskEdit::SetSelLength(int Value) { Edit()->setSelection(SelStart(), Value); }
void TCustomMaskEdit::SelectAll() { Edit()->selectAll(); }

void TCustomMaskEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomMaskEdit::Reset() {
    SetTextValue(FSavedText);
    SelectAll();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !FModified) return;
    const int missing = FMask.FirstMissing(ToU32(Edit()->text()));
    if (missing < 0) return;
    Edit()->setCursorPosition(missing);
    throw EDBEditError(MaskEditErrorText);
}

void TCustomMaskEdit::ApplyEdit(const std::u32string& editText, int cursor) {
    if (FromU32(editText) != Edit()->text()) {
        FModified = true;
        Edit()->setText(FromU32(editText));
    }
    Edit()->setCursorPosition(cursor);
}

// Backspace and Delete blank positions instead of removing characters; Esc undoes the changes.
void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE && IsMasked() && FModified) {
        Reset();
        Key = 0;
        return;
    }
    if (Key != VK_BACK && Key != VK_DELETE) return;
    if (!EditCanModify()) {
        Key = 0;
        return;
    }
    if (!IsMasked()) return;
    if (!ReadOnly()) {
        std::u32string text = ToU32(Edit()->text());
        const int start = SelStart();
        const int end = start + SelLength();
        ApplyEdit(text, Key == VK_BACK ? FMask.Backspace(text, start, end) : FMask.Delete(text, start, end));
    }
    Key = 0;
}

// Typing overwrites the next editable position; a character the position refuses is dropped.
void TCustomMaskEdit::KeyPress(char& Key) {
    TWinControl::KeyPress(Key);
    const bool typing = static_cast<unsigned char>(Key) >= 0x20 || Key == '\b';
    if (!typing) return;
    if (!EditCanModify()) {
        Key = 0;
        return;
    }
    if (!IsMasked()) return;
    if (!ReadOnly() && Key != '\b') {
        std::u32string text = ToU32(Edit()->text());
        const int start = SelStart();
        const int next = FMask.InputChar(text, start, start + SelLength(), static_cast<unsigned char>(Key));
        if (next >= 0) ApplyEdit(text, next);
    }
    Key = 0;
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
    if (Message.Msg == CM_EXIT) ValidateEdit();
    TWinControl::WndProc(Message);
}
