// The clipboard: text, pictures through their graphic classes, and raw data of formats
// registered by name (the component library's "GIF Image" and icon formats).
#pragma once

#include <cstdint>
#include <vector>

#include "rtl/Classes.h"

// A number for a named format, the same for the same name (letter case ignored); >= 0xC000.
unsigned RegisterClipboardFormat(const String& name);

class TClipboard : public TPersistent {
public:
    String AsText() const;
    void SetAsText(const String& v);
    bool HasFormat(unsigned format) const;
    void Clear();
    // Between Open and Close the formats set add up (one copy in several formats); outside,
    // each setting call replaces what the clipboard held. Open and Close nest.
    void Open();
    void Close();
    // Raw bytes of any format; CF_TEXT holds the text, CF_BITMAP a BMP file.
    std::vector<std::uint8_t> GetAsBytes(unsigned format) const;
    void SetAsBytes(unsigned format, const std::vector<std::uint8_t>& data);
    // A picture, bitmap or other graphic goes on the clipboard in its own format.
    void Assign(TPersistent* Source) override;

protected:
    // Assigning the clipboard to a picture or bitmap reads the first format it supports.
    void AssignTo(TPersistent* Dest) override;

private:
    // Whether the next format joins those already set in this Open/Close.
    bool Adding();
    int FOpenCount = 0;
    bool FFilled = false;
};

TClipboard* Clipboard();

// Keeps the clipboard open for the scope, so that the formats set in it add up.
class ClipboardOpen {
public:
    explicit ClipboardOpen(TClipboard* clipboard) : FClipboard(clipboard) { FClipboard->Open(); }
    ~ClipboardOpen() { FClipboard->Close(); }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;

private:
    TClipboard* FClipboard;
};
