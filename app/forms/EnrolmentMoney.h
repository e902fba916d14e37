// What the attendee and chaperone editors' money operations share: the refusal and question
// boxes, the scratch query, and the one transaction each operation writes in, which on a failure
// puts the edited person's row back as it was.
#pragma once

#include <functional>
#include <vector>

#include "rtl/StrUtils.h"
#include "rtl/Variant.h"

class TADOQuery;
class TDataSet;

namespace vt {

// A refusal: the message in a box captioned "Error", before anything is written.
void Refuse(const String& message);
// A Yes/No question; only Yes goes on.
bool Confirmed(const String& question, const String& caption);
// A whole statement in line 0 of a scratch query, opened.
TADOQuery* OpenScratch(TADOQuery* query, const String& sql);

// The edited person's row as it stood before an operation: its state (Edit, or Insert for a
// person not stored yet) and its pending values.
class PendingRow {
public:
  explicit PendingRow(TDataSet* person);
  // After a rollback: the same state and pending values again.
  void Restore();

private:
  TDataSet* person_;
  bool inserting_;
  std::vector<Variant> values_;
};

// Runs the writes of one operation in one transaction on the data module's connection. On a
// failure nothing stays written, the person's row is as it was, and the reason goes on to the
// application's error report.
void WriteTogether(TDataSet* person, const std::function<void()>& writes);

}  // namespace vt
