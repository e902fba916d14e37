// The masked edit of the class library: an edit whose text follows an edit mask
// ("mask;save literals;blank"), typed in overwrite mode position by position, with the
// check on leaving that every required position is filled.
#pragma once

#include "rtl/Exceptions.h"
#include "ui/controls/EditMask.h"
#include "ui/kernel/Controls.h"

class QLineEdit;

// Raised by ValidateEdit when a required position is still blank.
class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

class TCustomMaskEdit : public TWinControl {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value);
    bool IsMasked() const { return FMask.IsMasked(); }
    // The text as shown: literals in place, the blank character where nothing is typed.
    String EditText() const;
    void SetEditText(const String& Value);
    int MaxLength() const;
    void SetMaxLength(int Value);
    bool ReadOnly() const;
    virtual void SetReadOnly(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    void SelectAll();
    // Raises EDBEditError when the user changed the text and a required position is blank.
    virtual void ValidateEdit();

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    String GetText() const override;
    void SetTextValue(const String& Value) override;
    virtual void Change();
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Puts back the text the entry had before the user's changes (Esc).
    virtual void Reset();
    // Asked before a key changes the text; false drops the key.
    virtual bool EditCanModify() { return true; }

private:
    QLineEdit* Edit() const;
    void ApplyEdit(const std::u32string& editText, int cursor);

    String FEditMask;
    vt::EditMask FMask;
    int FMaxLength = 0;
    bool FModified = false;
    String FSavedText;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
