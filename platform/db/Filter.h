// Internal to the data layer: the small filter expressions of a dataset's Filter property
// (field comparisons with literals, AND/OR/NOT, parentheses, IS [NOT] NULL), parsed once and
// evaluated against the dataset's active record.
#pragma once

#include <memory>

#include "rtl/StrUtils.h"

class TDataSet;

namespace vt {

class FilterExpression {
 public:
  // Parses text; raises EDatabaseError on a malformed expression.
  explicit FilterExpression(const String& text);
  ~FilterExpression();

  // Resolves the field names of the expression and reads its literals in those fields' types;
  // raises EDatabaseError for an unknown field or a literal the field cannot hold.
  void Bind(TDataSet& dataSet);
  // Whether the dataset's active record passes (after Bind).
  bool Matches() const;

  struct Node;

 private:
  std::unique_ptr<Node> root_;
};

}  // namespace vt
