// The profile file is read afresh for every call and rewritten whole for every change
// (into a temporary file beside it, then renamed over it), so each TIniFile sees the latest
// state on disk and a crash mid-write never leaves half a file.
#include "rtl/IniFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

namespace {

// The file as lines, with what each line means.
struct Line {
    String Text;
    bool IsHeader = false;
    String Section;             // for a section header: the name
    std::optional<String> Key;  // for a "key=value" line inside a named section
    String Value;
};

class Profile {
public:
    explicit Profile(const String& fileName) : FFileName(fileName)
    {
        std::ifstream in(fileName, std::ios::binary);
        String text;
        bool inSection = false;
        while (std::getline(in, text)) {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            FLines.push_back(Parse(text, inSection));
        }
    }

    // Index of the header of the first section of that name, or -1.
    int FindSection(const String& section) const
    {
        for (std::size_t i = 0; i < FLines.size(); ++i)
            if (IsHeader(i) && !section.empty() && SameText(FLines[i].Section, section))
                return static_cast<int>(i);
        return -1;
    }

    // Lines of the section that starts at header: [header + 1, end).
    std::size_t SectionEnd(int header) const
    {
        std::size_t i = static_cast<std::size_t>(header) + 1;
        while (i < FLines.size() && !IsHeader(i))
            ++i;
        return i;
    }

    std::vector<const Line*> Keys(const String& section) const
    {
        std::vector<const Line*> keys;
        int header = FindSection(section);
        if (header < 0)
            return keys;
        for (std::size_t i = static_cast<std::size_t>(header) + 1; i < SectionEnd(header); ++i)
            if (FLines[i].Key)
                keys.push_back(&FLines[i]);
        return keys;
    }

    const Line* FindKey(const String& section, const String& key) const
    {
        for (const Line* line : Keys(section))
            if (SameText(*line->Key, key))
                return line;
        return nullptr;
    }

    std::vector<String> Sections() const
    {
        std::vector<String> names;
        for (std::size_t i = 0; i < FLines.size(); ++i)
            if (IsHeader(i) && !FLines[i].Section.empty())
                names.push_back(FLines[i].Section);
        return names;
    }

    void Set(const String& section, const String& key, const String& value)
    {
        int header = FindSection(section);
        if (header < 0) {
            FLines.push_back(Header(section));
            header = static_cast<int>(FLines.size()) - 1;
        }
        std::size_t end = SectionEnd(header);
        std::size_t insertAt = static_cast<std::size_t>(header) + 1;
        for (std::size_t i = insertAt; i < end; ++i) {
            Line& line = FLines[i];
            if (line.Key && SameText(*line.Key, key)) {
                line = KeyLine(*line.Key, value);
                return;
            }
            if (!Trim(line.Text).empty())
                insertAt = i + 1;
        }
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insertAt), KeyLine(key, value));
    }

    // Removes every section of that name; true when something went.
    bool EraseSection(const String& section)
    {
        bool erased = false;
        for (int header = FindSection(section); header >= 0; header = FindSection(section)) {
            FLines.erase(FLines.begin() + header,
                         FLines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
            erased = true;
        }
        return erased;
    }

    bool DeleteKey(const String& section, const String& key)
    {
        int header = FindSection(section);
        if (header < 0)
            return false;
        for (std::size_t i = static_cast<std::size_t>(header) + 1; i < SectionEnd(header); ++i)
            if (FLines[i].Key && SameText(*FLines[i].Key, key)) {
                FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        return false;
    }

    void Save() const
    {
        String temp = FFileName + ".XXXXXX";
        int fd = ::mkstemp(temp.data());
        if (fd < 0)
            RaiseUnableToWrite();
        String text;
        for (const Line& line : FLines)
            text.append(line.Text).append("\n");
        bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
        written = ::fchmod(fd, FileMode()) == 0 && written;
        written = ::close(fd) == 0 && written;
        if (!written || std::rename(temp.c_str(), FFileName.c_str()) != 0) {
            std::remove(temp.c_str());
            RaiseUnableToWrite();
        }
    }

private:
    bool IsHeader(std::size_t i) const { return FLines[i].IsHeader; }

    static Line Parse(const String& text, bool& inSection)
    {
        Line line{text, false, String(), std::nullopt, String()};
        String trimmed = Trim(text);
        if (trimmed.empty() || trimmed[0] == ';')
            return line;
        if (trimmed[0] == '[') {
            std::size_t close = trimmed.find(']');
            line.IsHeader = true;
            line.Section = Trim(trimmed.substr(1, close == String::npos ? String::npos : close - 1));
            // A header with an empty name opens nothing the calls can reach.
            inSection = !line.Section.empty();
            return line;
        }
        std::size_t eq = trimmed.find('=');
        if (inSection && eq != String::npos) {
            line.Key = Trim(trimmed.substr(0, eq));
            line.Value = Trim(trimmed.substr(eq + 1));
        }
        return line;
    }

    static Line Header(const String& section)
    {
        return Line{"[" + section + "]", true, section, std::nullopt, String()};
    }

    static Line KeyLine(const String& key, const String& value)
    {
        return Line{key + "=" + value, false, String(), key, value};
    }

    static bool WriteAll(int fd, const String& text)
    {
        std::size_t done = 0;
        while (done < text.size()) {
            ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // The file keeps its permissions; a new one gets the usual ones.
    mode_t FileMode() const
    {
        struct stat info;
        if (::stat(FFileName.c_str(), &info) == 0)
            return info.st_mode & 07777;
        mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    [[noreturn]] void RaiseUnableToWrite() const
    {
        throw EIniFileException("Unable to write to " + FFileName);
    }

    String FFileName;
    std::vector<Line> FLines;
};

String Unquoted(const String& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

TIniFile::TIniFile(const String& fileName) : FFileName(fileName) {}

String TIniFile::ReadString(const String& section, const String& key,
                            const String& defaultValue) const
{
    Profile profile(FFileName);
    const Line* line = profile.FindKey(section, key);
    return line != nullptr ? Unquoted(line->Value) : defaultValue;
}

int TIniFile::ReadInteger(const String& section, const String& key, int defaultValue) const
{
    return StrToIntDef(ReadString(section, key, String()), defaultValue);
}

bool TIniFile::ReadBool(const String& section, const String& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::ReadSection(const String& section, TStrings* keys) const
{
    keys->BeginUpdate();
    keys->Clear();
    Profile profile(FFileName);
    for (const Line* line : profile.Keys(section))
        keys->Add(*line->Key);
    keys->EndUpdate();
}

void TIniFile::ReadSections(TStrings* sections) const
{
    sections->BeginUpdate();
    sections->Clear();
    for (const String& name : Profile(FFileName).Sections())
        sections->Add(name);
    sections->EndUpdate();
}

void TIniFile::ReadSectionValues(const String& section, TStrings* values) const
{
    values->BeginUpdate();
    values->Clear();
    Profile profile(FFileName);
    for (const Line* line : profile.Keys(section))
        values->Add(*line->Key + "=" + line->Value);
    values->EndUpdate();
}

bool TIniFile::SectionExists(const String& section) const
{
    Profile profile(FFileName);
    return !profile.Keys(section).empty();
}

bool TIniFile::ValueExists(const String& section, const String& key) const
{
    Profile profile(FFileName);
    return profile.FindKey(section, key) != nullptr;
}

// Names the file could not give back are refused: a key holding "=" or starting with "[" or ";"
// would read as another key, a header or a comment, a section name holding "]" as a shorter one,
// an empty one opens nothing, and blanks around either are dropped when the file is read.
void TIniFile::CheckNames(const String& section, const String& key) const
{
    const String trimmedKey = Trim(key);
    if (key.find('=') != String::npos || trimmedKey != key || trimmedKey.starts_with('[') ||
        trimmedKey.starts_with(';'))
        throw EIniFileException("Unable to write the key \"" + key + "\" to " + FFileName);
    if (section.empty() || section.find(']') != String::npos || Trim(section) != section)
        throw EIniFileException("Unable to write the section \"" + section + "\" to " + FFileName);
}

void TIniFile::WriteString(const String& section, const String& key, const String& value)
{
    // A line break would end the line: the rest would read back as another line of the file.
    for (const String* text : {&section, &key, &value})
        if (text->find_first_of("\r\n") != String::npos)
            throw EIniFileException("Unable to write a line break to " + FFileName);
    CheckNames(section, key);
    Profile profile(FFileName);
    profile.Set(section, key, value);
    profile.Save();
}

void TIniFile::WriteInteger(const String& section, const String& key, int value)
{
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const String& section, const String& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const String& section)
{
    Profile profile(FFileName);
    if (profile.EraseSection(section))
        profile.Save();
}

void TIniFile::DeleteKey(const String& section, const String& key)
{
    Profile profile(FFileName);
    if (profile.DeleteKey(section, key))
        profile.Save();
}
