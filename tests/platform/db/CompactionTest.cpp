// Compaction in place while other copies of the program come and go: one that opens the file
// meanwhile waits and writes into the compacted file; a kill of either side leaves a whole file;
// a full disk leaves the file byte for byte as it was.
#include "db/Compaction.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/Fields.h"
#include "tests/fixtures/ScratchMount.h"

namespace {

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

// Many rows written and most deleted again: the file keeps their pages until compacted.
void MakeCamp(const String& path) {
  vt::CreateDatabaseFile(path, R"(
    CREATE TABLE People (PersonID INTEGER PRIMARY KEY, Name TEXT);
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)
      INSERT INTO People SELECT i, printf('person %d with a longer name to fill pages', i) FROM n;
    DELETE FROM People WHERE PersonID > 100;
    PRAGMA journal_mode = WAL;)");
}

// The copy of the program that writes: a connection of its own.
struct OtherCopy {
  explicit OtherCopy(const String& path) : connection(nullptr) {
    connection.SetConnectionString("Data Source=" + path);
  }
  String Text(const String& sql) {
    TADOQuery query(nullptr);
    query.SetConnection(&connection);
    query.SQL()->Add(sql);
    query.Open();
    return query.Fields()->Fields(0)->AsString();
  }
  TADOConnection connection;
};

class Compaction : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt-compact-test-XXXXXX";
    folder_ = String(mkdtemp(pattern)) + "/";
    path_ = folder_ + "Camp Data.mdb";
    MakeCamp(path_);
  }
  void TearDown() override {
    vt::SetCompactionHookForTests({});
    std::filesystem::remove_all(folder_);
  }
  // What a later start of the program finds in the file.
  void ExpectWhole(const String& people) {
    OtherCopy later(path_);
    EXPECT_EQ(later.Text("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(later.Text("SELECT COUNT(*) FROM People"), people);
  }

  String folder_;
  String path_;
};

TEST_F(Compaction, ACopyOpeningTheFileMeanwhileWaitsAndItsRowIsInTheCompactedFileWithModeAndOwnerKept) {
  ASSERT_EQ(chmod(path_.c_str(), 0660), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(path_.c_str(), 4321, 4321), 0);
  }
  const auto before = std::filesystem::file_size(path_);
  std::thread other;
  String otherError = "did not run";
  vt::SetCompactionHookForTests([&] {
    other = std::thread([&] {
      try {
        OtherCopy copy(path_);
        copy.connection.Execute("INSERT INTO People VALUES (101, 'came while compacting')");
        otherError.clear();
      } catch (const Exception& e) {
        otherError = e.Message();
      }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // it is waiting on the lock now
  });

  EXPECT_TRUE(vt::CompactDatabaseFile(path_, path_));
  other.join();

  EXPECT_EQ(otherError, "");
  ExpectWhole("101");
  EXPECT_LT(std::filesystem::file_size(path_), before);
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0660u);
  if (root) {
    EXPECT_EQ(info.st_uid, 4321u);
  }
  EXPECT_FALSE(std::filesystem::exists(path_ + ".compacting"));
}

// A child process that stops where the test wants it and is killed there.
pid_t StopInChild(const std::function<void(const std::function<void()>& stopHere)>& work) {
  int ready[2];
  EXPECT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(ready[0]);
    work([&] {
      const char byte = 1;
      (void)!write(ready[1], &byte, 1);
      pause();
    });
    _exit(0);
  }
  close(ready[1]);
  char byte = 0;
  EXPECT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return child;
}

TEST_F(Compaction, AKillOfEitherSideLeavesAWholeFileThatCompactsAfterwards) {
  StopInChild([&](const std::function<void()>& stopHere) {
    vt::SetCompactionHookForTests(stopHere);
    vt::CompactDatabaseFile(path_, path_);
  });
  ExpectWhole("100");

  StopInChild([&](const std::function<void()>& stopHere) {
    OtherCopy writer(path_);
    writer.connection.BeginTrans();
    writer.connection.Execute("INSERT INTO People VALUES (102, 'never committed')");
    stopHere();
  });
  ExpectWhole("100");
  EXPECT_TRUE(vt::CompactDatabaseFile(path_, path_));
  ExpectWhole("100");
}

TEST_F(Compaction, AFullDiskLeavesTheFileByteForByteAndCompactsOnceThereIsRoom) {
  vt::test::ScratchMount disk(2 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  path_ = disk.Folder() + "Vantrel.mdb";
  MakeCamp(path_);
  const String stored = Contents(path_);
  disk.LeaveFree(4096);

  EXPECT_FALSE(vt::CompactDatabaseFile(path_, path_));
  EXPECT_EQ(Contents(path_), stored);
  EXPECT_FALSE(std::filesystem::exists(path_ + ".compacting"));

  disk.Unfill();
  EXPECT_TRUE(vt::CompactDatabaseFile(path_, path_));
  ExpectWhole("100");
}

}  // namespace
