// TIniFile: a settings file in the Windows profile format ("[Section]" lines, "key=value"
// lines, ";" comments). Sections and keys match without regard to letter case and keep
// their file order; every write reaches the disk before the call returns.
#pragma once

#include "rtl/Classes.h"

class TStrings;

class TIniFile : public TObject {
public:
    explicit TIniFile(const String& fileName);

    const String& FileName() const { return FFileName; }

    // One pair of surrounding quotes (' or ") is taken off a value. A missing file, section
    // or key gives the default.
    String ReadString(const String& section, const String& key, const String& defaultValue) const;
    // Decimal digits with optional leading blanks and sign; anything else gives the default.
    int ReadInteger(const String& section, const String& key, int defaultValue) const;
    bool ReadBool(const String& section, const String& key, bool defaultValue) const;
    // Key names of the section in file order (the list is emptied first).
    void ReadSection(const String& section, TStrings* keys) const;
    void ReadSections(TStrings* sections) const;
    // "key=value" lines of the section, values as written in the file.
    void ReadSectionValues(const String& section, TStrings* values) const;
    bool SectionExists(const String& section) const;
    bool ValueExists(const String& section, const String& key) const;

    // Creates the file and the section when needed. Raises EIniFileException when the
    // file cannot be written, when a section, key or value holds a line break, or when a name
    // would not read back (a key with "=", or starting with "[" or ";"; a section with "]";
    // blanks around a name): the file is left as it was.
    void WriteString(const String& section, const String& key, const String& value);
    void WriteInteger(const String& section, const String& key, int value);
    void WriteBool(const String& section, const String& key, bool value);
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& key);

private:
    void CheckNames(const String& section, const String& key) const;
    String FFileName;
};
