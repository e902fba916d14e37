// TADOConnection: the one SQLite handle behind a connection string's "Data Source=" file,
// opened without ever creating a database; and the tool that prepares a new database file.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/StrUtils.h"

struct sqlite3;
class TCustomADODataSet;

namespace vt {

// What tells whether the database can have changed: this connection's own row changes, commits
// by other connections or processes, and schema changes. Equal versions = the same data.
struct DatabaseVersion {
  std::int64_t ownChanges = 0;
  std::int64_t dataVersion = 0;
  std::int64_t schemaVersion = 0;
  bool operator==(const DatabaseVersion&) const = default;
};

}  // namespace vt

class TADOConnection : public TComponent {
 public:
  explicit TADOConnection(TComponent* AOwner);
  ~TADOConnection() override;

  const String& ConnectionString() const { return connectionString_; }
  void SetConnectionString(const String& value);
  // The "Data Source=" value exactly as written, up to the next ";".
  String DataSource() const;
  bool Connected() const { return db_ != nullptr; }
  void SetConnected(bool value);
  void Open();
  // Closes every dataset on the connection first.
  void Close();
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool value) { loginPrompt_ = value; }
  // Runs a statement (Jet dialect rewritten); returns the rows it changed.
  int Execute(const String& sql);

  // The open handle, opening the connection when it is closed.
  sqlite3* Handle();

  TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

 private:
  friend class TCustomADODataSet;
  void Attach(TCustomADODataSet* dataSet) { dataSets_.push_back(dataSet); }
  void Detach(TCustomADODataSet* dataSet);
  // The open database's version; none when another database is attached, whose changes by
  // other connections it would not show.
  std::optional<vt::DatabaseVersion> Version();

  String connectionString_;
  bool loginPrompt_ = true;
  sqlite3* db_ = nullptr;
  std::vector<TCustomADODataSet*> dataSets_;
};

namespace vt {

// Makes a new database file at path and runs sqlScript in it; raises EDatabaseError when the
// file exists already or the script fails (the partial file is removed). The program itself
// never calls it: it is the tool that prepares a database.
void CreateDatabaseFile(const String& path, const String& sqlScript);

// Runs every statement of sql on db; returns the rows changed by the last one.
int ExecuteScript(sqlite3* db, const String& sql);

}  // namespace vt
