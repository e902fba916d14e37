// Generates a camp database of realistic size into a file, for the benchmarks: attendees,
// chaperones, sessions, enrolments and ledger rows over the program's own schema.
#pragma once

#include <string>

struct sqlite3;

namespace vt {

struct CampSize {
  int attendees = 20000;
  int chaperones = 2000;
  int sessions = 200;
  int enrolments = 60000;
  int ledgerRows = 150000;
};

// Makes the database file at path (which must not exist) and fills it; same seed, same camp.
void GenerateCamp(const std::string& path, const CampSize& size = {});
// Generates the camp into a new file under /tmp and returns its path (the caller removes it).
std::string GenerateTemporaryCamp(const CampSize& size = {});

// Runs sql on db; a failure ends the benchmark with the statement and its error.
void ExecOrExit(sqlite3* db, const std::string& sql);

}  // namespace vt
