// What the attendee and chaperone editors' money operations share: the refusal and question
// boxes, amounts read from the numeric edits, the scratch query, the person's totals, and the one
// transaction each operation writes in, which on a failure or refusal puts the edited person's
// row back as it was.
#pragma once

#include <functional>
#include <initializer_list>

#include "rtl/Currency.h"
#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"
#include "rtl/Variant.h"

class TADOQuery;
class TCustomNumEdit;
class TDataSet;

namespace vt {

// A refusal: the message in a box captioned "Error", before anything is written.
void Refuse(const String& message);
// A Yes/No question; only Yes goes on.
bool Confirmed(const String& question, const String& caption);
// A whole statement in line 0 of a scratch query, opened.
TADOQuery* OpenScratch(TADOQuery* query, const String& sql);

// The amount in a numeric edit's text, read exactly as currency. Text that is no number, or a
// number outside the currency range, is refused with a message (false).
bool ReadAmount(TCustomNumEdit* edit, Currency& amount);

// A refusal found inside an operation's transaction, once the stored rows were read: thrown by
// the writes, it undoes them and WriteTogether shows the message as Refuse does.
class ERefusal : public Exception {
public:
  using Exception::Exception;
};

// Inside an operation's transaction: the opened enrolment query the operation names, refused
// (ERefusal) when another copy of the program removed the enrolment meanwhile. person is the
// company's word for the person.
TADOQuery* RequireEnrolment(TADOQuery* enrolment, const String& person, const String& sessionId);

struct TotalChange {
  const char* column;
  Currency change;
};
// Inside an operation's transaction: the person's pending changes are stored, which reads the row
// back as it is stored now (with what another copy of the program wrote meanwhile, and the
// CamperID of a new person). The row is left in Edit.
void StorePersonRow(TDataSet* person);
// After StorePersonRow: the totals move by the changes from what is stored, so no payment
// overwrites another; a total leaving the currency range raises ERangeError. The row is stored
// and left in Edit for the editor.
void AddToTotals(TDataSet* person, std::initializer_list<TotalChange> changes);

// Runs the writes of one operation in one transaction on the data module's connection. On a
// failure nothing stays written, the person's row is the row as stored now with what the user
// typed back in (never the totals read before: Done can only write totals computed inside a
// transaction), and the reason goes on to the application's error report; on an ERefusal or a
// total leaving the currency range (ERangeError) the same, its message is shown as a refusal and
// the result is false.
bool WriteTogether(TDataSet* person, const std::function<void()>& writes);

}  // namespace vt
