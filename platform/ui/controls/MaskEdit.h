// The masked edit of the class library: an edit whose text follows an edit mask
// ("mask;save literals;blank"), typed in overwrite mode position by position, with the
// check on leaving that every required position is filled.
#pragma once

#include "rtl/Exceptions.h"
#include "ui/controls/EditMask.h"
#include "ui/controls/StdCtrls.h"

// Raised by ValidateEdit when a required position is still blank.
class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

// Without a mask it is a plain edit. With one, the text always has the mask's length: keys,
// pasting and cutting go through the mask engine and the line edit only shows the result.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value);
    bool IsMasked() const { return FMask.IsMasked(); }
    // The text as shown: literals in place, the blank character where nothing is typed.
    String EditText() const;
    void SetEditText(const String& Value);
    // With a mask, the mask's length.
    int MaxLength() const;
    void SetMaxLength(int Value);
    // Virtual so that data-aware descendants can keep a read-only flag of their own.
    virtual void SetReadOnly(bool Value) { TCustomEdit::SetReadOnly(Value); }
    // Raises EDBEditError when the user changed the text and a required position is blank.
    virtual void ValidateEdit();

    void WndProc(TMessage& Message) override;

protected:
    String GetText() const override;
    // Text set by the program counts as unmodified and fires no OnChange, as for any edit.
    void SetTextValue(const String& Value) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Puts back the text the entry had before the user's changes (Esc).
    virtual void Reset();
    // Asked before a key changes the text; false drops the key.
    virtual bool EditCanModify() { return true; }

private:
    bool KeyCanModify();
    bool CanChangeMaskedText() { return KeyCanModify() && !ReadOnly(); }
    void ApplyEdit(const std::u32string& editText, int cursor);
    // The selection in characters of the mask, [start, end), which Qt counts in UTF-16 units.
    struct CharSelection {
        int start;
        int end;
    };
    CharSelection MaskSelection() const;
    void PasteMasked();
    void CutMasked();

    String FEditMask;
    String FMaskSeparators;  // the locale's time and date separators FMask was laid with
    vt::EditMask FMask;
    String FSavedText;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
