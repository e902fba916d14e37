// File names are cut at the last "/" (and the extension at the last "." after it); the
// file-system queries go through std::filesystem and never raise for a missing file.
#include "rtl/FileNames.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "rtl/Exceptions.h"

namespace fs = std::filesystem;

namespace {

String ProgramPathOverride;

std::size_t NameStart(const String& fileName)
{
    std::size_t slash = fileName.rfind(PathDelim);
    return slash == String::npos ? 0 : slash + 1;
}

// Position of the extension's dot, or npos.
std::size_t ExtensionStart(const String& fileName)
{
    std::size_t dot = fileName.rfind('.');
    if (dot == String::npos || dot < NameStart(fileName))
        return String::npos;
    return dot;
}

std::vector<String> CommandLine()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::vector<String> words;
    String word;
    while (std::getline(in, word, '\0'))
        words.push_back(word);
    return words;
}

}  // namespace

String ChangeFileExt(const String& fileName, const String& extension)
{
    return fileName.substr(0, std::min(ExtensionStart(fileName), fileName.size())) + extension;
}

String ExtractFilePath(const String& fileName)
{
    return fileName.substr(0, NameStart(fileName));
}

String ExtractFileDir(const String& fileName)
{
    String path = ExtractFilePath(fileName);
    return path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

String ExtractFileName(const String& fileName)
{
    return fileName.substr(NameStart(fileName));
}

String ExtractFileExt(const String& fileName)
{
    std::size_t dot = ExtensionStart(fileName);
    return dot == String::npos ? String() : fileName.substr(dot);
}

String IncludeTrailingPathDelimiter(const String& path)
{
    return !path.empty() && path.back() == PathDelim ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path)
{
    return path.size() > 1 && path.back() == PathDelim ? path.substr(0, path.size() - 1) : path;
}

String ExpandFileName(const String& fileName)
{
    std::error_code error;
    fs::path absolute = fs::absolute(fileName, error);
    return error ? fileName : absolute.lexically_normal().string();
}

String GetCurrentDir()
{
    std::error_code error;
    return fs::current_path(error).string();
}

bool FileExists(const String& fileName)
{
    std::error_code error;
    return !fileName.empty() && fs::is_regular_file(fileName, error);
}

bool DirectoryExists(const String& directory)
{
    std::error_code error;
    return !directory.empty() && fs::is_directory(directory, error);
}

bool ForceDirectories(const String& directory)
{
    if (directory.empty())
        throw EInOutError("Unable to create directory");
    std::error_code error;
    fs::create_directories(ExcludeTrailingPathDelimiter(directory), error);
    return DirectoryExists(directory);
}

bool CreateDir(const String& directory)
{
    std::error_code error;
    return fs::create_directory(directory, error);
}

bool RemoveDir(const String& directory)
{
    std::error_code error;
    return DirectoryExists(directory) && fs::remove(directory, error);
}

bool DeleteFile(const String& fileName)
{
    std::error_code error;
    return FileExists(fileName) && fs::remove(fileName, error);
}

bool RenameFile(const String& oldName, const String& newName)
{
    // The class library's rename does not replace an existing file.
    std::error_code error;
    if (fs::exists(newName, error))
        return false;
    fs::rename(oldName, newName, error);
    return !error;
}

String ParamStr(int index)
{
    if (index == 0) {
        if (!ProgramPathOverride.empty())
            return ProgramPathOverride;
        std::error_code error;
        return fs::read_symlink("/proc/self/exe", error).string();
    }
    std::vector<String> words = CommandLine();
    return index > 0 && static_cast<std::size_t>(index) < words.size()
               ? words[static_cast<std::size_t>(index)]
               : String();
}

int ParamCount()
{
    std::vector<String> words = CommandLine();
    return words.empty() ? 0 : static_cast<int>(words.size()) - 1;
}

namespace vt {
void SetProgramPathForTests(const String& path)
{
    ProgramPathOverride = path;
}
}  // namespace vt
