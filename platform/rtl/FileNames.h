// File-name routines and file-system queries with the class library's names, on "/" paths;
// and the program's own file and arguments (ParamStr), which tests may override.
#pragma once

#include "rtl/StrUtils.h"

constexpr char PathDelim = '/';

String ChangeFileExt(const String& fileName, const String& extension);
// The folder part with its trailing "/"; "" for a bare name.
String ExtractFilePath(const String& fileName);
// The folder part without the trailing "/" (the root stays "/").
String ExtractFileDir(const String& fileName);
String ExtractFileName(const String& fileName);
// The extension with its dot, e.g. ".ini"; "" when there is none.
String ExtractFileExt(const String& fileName);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String ExpandFileName(const String& fileName);
String GetCurrentDir();

bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
// Creates the folder and every missing parent; raises EInOutError for an empty name.
bool ForceDirectories(const String& directory);
bool CreateDir(const String& directory);
bool RemoveDir(const String& directory);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);

// ParamStr(0) is the program file (from /proc/self/exe); 1..ParamCount() its arguments.
String ParamStr(int index);
int ParamCount();

namespace vt {
// Makes ParamStr(0) give this path; an empty path restores the real program file.
void SetProgramPathForTests(const String& path);
}  // namespace vt
