// Another copy of the program writing between two steps of a long run: a step run once, on the
// test's own connection to the file, right after the program's next commit.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <utility>

#include "app/SQLData.h"
#include "db/Connection.h"

namespace vt::test {

class AfterNextCommit {
public:
  explicit AfterNextCommit(std::function<void()> step) : step_(std::move(step)) {
    sqlite3_wal_hook(SQLDataModule->dbVantrelADO->Handle(), &AfterNextCommit::Committed, this);
  }
  ~AfterNextCommit() { sqlite3_wal_hook(SQLDataModule->dbVantrelADO->Handle(), nullptr, nullptr); }
  AfterNextCommit(const AfterNextCommit&) = delete;
  AfterNextCommit& operator=(const AfterNextCommit&) = delete;

private:
  static int Committed(void* self, sqlite3*, const char*, int) {
    if (auto step = std::exchange(static_cast<AfterNextCommit*>(self)->step_, nullptr)) step();
    return SQLITE_OK;
  }
  std::function<void()> step_;
};

}  // namespace vt::test
