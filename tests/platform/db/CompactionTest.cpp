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

// A child process that runs work until it stops where the test wants it; returns once it has.
pid_t StartStopped(const std::function<void(const std::function<void()>& stopHere)>& work) {
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
  return child;
}

void Kill(pid_t child) {
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

// A child process that stops where the test wants it and is killed there.
void StopInChild(const std::function<void(const std::function<void()>& stopHere)>& work) {
  Kill(StartStopped(work));
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

// Another copy of the program, a process of its own, that holds the file's write lock (a write
// of its own not yet ended) past the wait: the file stays as it was; once the lock is gone,
// compaction goes through.
TEST_F(Compaction, ALockOfAnotherProcessHeldPastTheWaitLeavesTheFileAsItWas) {
  const String stored = Contents(path_);
  const pid_t holder = StartStopped([&](const std::function<void()>& stopHere) {
    OtherCopy writer(path_);
    writer.connection.BeginTrans();
    stopHere();
  });
  EXPECT_FALSE(vt::CompactDatabaseFile(path_, path_));
  EXPECT_EQ(Contents(path_), stored);
  Kill(holder);
  EXPECT_TRUE(vt::CompactDatabaseFile(path_, path_));
  ExpectWhole("100");
}

// Another process opens the file and writes while compaction has it alone (the window held
// open by the hook): its row is in the compacted file, or, killed while it waits, it leaves a
// whole file behind.
TEST_F(Compaction, AnotherProcessWritingMeanwhileWaitsAndItsRowIsKeptOrItsKillLeavesAWholeFile) {
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed while waiting" : "writing");
    int go[2], said[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(said), 0);
    const pid_t writer = fork();
    if (writer == 0) {
      char byte = 0;
      (void)!read(go[0], &byte, 1);
      String message;
      try {
        OtherCopy copy(path_);
        copy.connection.Execute("INSERT INTO People VALUES (101, 'came while compacting')");
      } catch (const Exception& e) {
        message = e.Message();
      }
      (void)!write(said[1], message.data(), message.size());
      _exit(0);
    }
    close(go[0]);
    close(said[1]);
    vt::SetCompactionHookForTests([&] {
      const char byte = 1;
      (void)!write(go[1], &byte, 1);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));  // it is waiting on the lock now
      if (killed) Kill(writer);
    });
    EXPECT_TRUE(vt::CompactDatabaseFile(path_, path_));
    close(go[1]);
    char buffer[512];
    const ssize_t length = read(said[0], buffer, sizeof buffer);
    close(said[0]);
    if (!killed) {
      waitpid(writer, nullptr, 0);
      EXPECT_EQ(length, 0) << String(buffer, length > 0 ? size_t(length) : 0);
    }
    ExpectWhole(killed ? "100" : "101");
    OtherCopy cleanup(path_);
    cleanup.connection.Execute("DELETE FROM People WHERE PersonID > 100");
  }
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
