// What the money tests of the editors share: SQL pieces for checking stored money exactly
// (amounts as whole counts of 1/10,000, which add and subtract without drift, and the test that
// a column holds such a whole amount) and the boxes an operation showed, as text.
#pragma once

#include <initializer_list>
#include <vector>

#include "rtl/StrUtils.h"
#include "ui/dialogs/DialogResponder.h"

namespace vt::test {

// An amount as its count of 1/10,000s: exact for the whole 1/10,000s every write stores.
inline String Units(const String& amount) { return "CAST(round(" + amount + " * 10000) AS INTEGER)"; }

// True for a row where one of the columns holds a value that is not a whole 1/10,000.
inline String Drifted(std::initializer_list<const char*> columns) {
  String any;
  for (const char* column : columns)
    any += (any.empty() ? "" : " OR ") + String(column) + " IS NOT vt_currency(" + column + ")";
  return "(" + any + ")";
}

// The boxes shown, as "Caption: Text" joined by " | ".
inline String Texts(const std::vector<ShownDialog>& shown) {
  String texts;
  for (const ShownDialog& box : shown) texts += (texts.empty() ? "" : " | ") + box.Caption + ": " + box.Text;
  return texts;
}

}  // namespace vt::test
