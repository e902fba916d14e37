// The where condition a report is run with: one comparison of a record-source column with a
// number or a quoted text ("SessionID = 12", "LastName = 'O''Neil'"). It is read and checked,
// then written out afresh with the column and the value quoted; it never reaches SQL as given.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

namespace vt {

// The SQL for the condition over the given record-source columns; "" for an empty condition.
// Anything but a known column, a comparison operator and one value raises EReportError.
String WhereConditionSql(const String& condition, const std::vector<String>& columns);

}  // namespace vt
