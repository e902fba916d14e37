// One run of a report: its definition, the rows of its record source narrowed by the where
// condition and sorted, the company record for the letterhead, and the values as printed.
#pragma once

#include <memory>
#include <vector>

#include "reports/ReportDefinition.h"
#include "rtl/Variant.h"

class TADOConnection;
class TADOQuery;
class TField;

namespace vt {

class ReportDocument {
public:
  // Opens the database file (never creating it) and reads the report's rows; raises on failure.
  ReportDocument(const String& databasePath, const String& reportName, const String& whereCondition);
  ~ReportDocument();
  ReportDocument(const ReportDocument&) = delete;
  ReportDocument& operator=(const ReportDocument&) = delete;

  const ReportDefinition& Definition() const { return definition_; }
  int RowCount() const { return rowCount_; }

  // The column's value in a row (0-based) as printed, its display format applied; a column
  // without a field prints its caption filled in, its display format used for the dates.
  String Text(int row, size_t column) const;
  // The column's value as a number, for totals; 0 when empty.
  double Number(int row, size_t column) const;
  bool IsNull(int row, size_t column) const;
  // The group field's value in a row, compared to find where a group starts.
  Variant GroupValue(int row, size_t level) const;
  // "[Field]" filled with the row's value of that field (row -1: no row, left empty) and
  // "[Count]" with count; a part in braces, "{ to [EndDate]}", is left out unless every field
  // in it has a value. A field that no column formats takes dateFormat when it is a date.
  String FillTemplate(const String& text, int row, int count = 0, const String& dateFormat = "") const;
  // A column of the company record (CoSys); "" when there is no company.
  String Company(const String& field) const;

private:
  void OpenRows(const String& whereCondition);
  TField* FieldOf(const String& name) const;
  String FieldText(int row, TField* field, const String& displayFormat) const;
  struct FilledText {
    String text;
    bool complete = true;  // every field in it had a value
  };
  FilledText FillFields(const String& text, int row, int count, const String& dateFormat) const;
  String FormatOfField(const String& name, TField* field, const String& dateFormat) const;

  void CheckTemplate(const String& text) const;

  std::unique_ptr<TADOConnection> connection_;
  std::unique_ptr<TADOQuery> rows_;
  ReportDefinition definition_;
  std::vector<TField*> columnFields_;  // per definition column; nullptr for card headings
  std::vector<TField*> groupFields_;
  std::vector<std::pair<String, String>> company_;
  int rowCount_ = 0;
};

}  // namespace vt
