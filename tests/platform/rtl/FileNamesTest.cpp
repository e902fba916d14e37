// File-name routines on "/" paths, the file-system queries, and the program's own path.
#include "rtl/FileNames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "rtl/Exceptions.h"

TEST(FileNames, NameParts)
{
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    for (Case c : {Case{"/opt/vt/Vantrel", "/opt/vt/", "/opt/vt", "Vantrel", ""},
                   Case{"/opt/vt/Vantrel.ini", "/opt/vt/", "/opt/vt", "Vantrel.ini", ".ini"},
                   Case{"/opt/v.t/Vantrel", "/opt/v.t/", "/opt/v.t", "Vantrel", ""},
                   Case{"camp.tar.gz", "", "", "camp.tar.gz", ".gz"},
                   Case{"/Vantrel", "/", "/", "Vantrel", ""},
                   Case{"/data/", "/data/", "/data", "", ""}}) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("/opt/vt/Vantrel", ".ini"), "/opt/vt/Vantrel.ini");
    EXPECT_EQ(ChangeFileExt("/opt/v.t/Vantrel.exe", ".mdb"), "/opt/v.t/Vantrel.mdb");
    EXPECT_EQ(ChangeFileExt("/opt/v.t/Vantrel", ".mdb"), "/opt/v.t/Vantrel.mdb");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data"), "/data/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data/"), "/data/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/data/"), "/data");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileNames, FileSystemQueries)
{
    auto root = std::filesystem::temp_directory_path() / ("vt_names_" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    String deep = (root / "a" / "b").string();
    EXPECT_TRUE(ForceDirectories(deep + "/"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    String file = deep + "/x.txt";
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(RenameFile(file, deep + "/y.txt"));
    std::ofstream(file) << "x";
    EXPECT_FALSE(RenameFile(file, deep + "/y.txt"));  // never replaces
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_THROW(ForceDirectories(""), EInOutError);
    std::filesystem::remove_all(root);
}

TEST(FileNames, ProgramPath)
{
    String real = ParamStr(0);
    EXPECT_EQ(ExtractFileName(real), "rtl_FileNamesTest");
    EXPECT_TRUE(FileExists(real));
    vt::SetProgramPathForTests("/opt/vt/Vantrel");
    EXPECT_EQ(ChangeFileExt(ParamStr(0), ".ini"), "/opt/vt/Vantrel.ini");
    vt::SetProgramPathForTests("");
    EXPECT_EQ(ParamStr(0), real);
    EXPECT_EQ(ParamStr(ParamCount() + 1), "");
}
