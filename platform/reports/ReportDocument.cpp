// Runs a report's record source: the where condition checked against the source's own columns,
// then the rows read once, sorted as the definition says. Values are formatted as printed here.
#include "reports/ReportDocument.h"

#include "db/ADODB.h"
#include "db/Connection.h"
#include "reports/WhereCondition.h"
#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"

namespace vt {
namespace {

// A display format of texts only ("Yes;No"): the first for true, the second for false.
bool IsChoiceFormat(const String& format) {
  return format.find(';') != String::npos && format.find_first_of("0#") == String::npos;
}

String ChoiceText(const String& format, bool value) {
  const size_t semicolon = format.find(';');
  return value ? format.substr(0, semicolon) : format.substr(semicolon + 1);
}

bool IsDateType(TFieldType type) { return type == ftDate || type == ftDateTime || type == ftTime; }

}  // namespace

ReportDocument::ReportDocument(const String& databasePath, const String& reportName,
                               const String& whereCondition)
    : connection_(std::make_unique<TADOConnection>(nullptr)), rows_(std::make_unique<TADOQuery>(nullptr)) {
  connection_->SetConnectionString("Data Source=" + vt::ConnectionStringValue(databasePath));
  connection_->Open();
  definition_ = LoadReportDefinition(connection_.get(), reportName);
  OpenRows(whereCondition);
  TADOQuery company(nullptr);
  company.SetConnection(connection_.get());
  company.SQL()->Add("SELECT * FROM CoSys");
  company.Open();
  for (int i = 0; !company.IsEmpty() && i < company.FieldCount(); ++i)
    company_.emplace_back(company.Fields()->Fields(i)->FieldName(), company.Fields()->Fields(i)->AsString());
}

ReportDocument::~ReportDocument() = default;

// The source's columns are learnt from an empty run first: the condition may name only them.
void ReportDocument::OpenRows(const String& whereCondition) {
  const String source = "SELECT * FROM (" + definition_.RecordSource + ")";
  rows_->SetConnection(connection_.get());
  rows_->SQL()->Add(source + " LIMIT 0");
  rows_->Open();
  std::vector<String> columns;
  for (int i = 0; i < rows_->FieldCount(); ++i) columns.push_back(rows_->Fields()->Fields(i)->FieldName());
  const String where = WhereConditionSql(whereCondition, columns);
  rows_->Close();
  rows_->SQL()->Clear();
  rows_->SQL()->Add(source + (where.empty() ? "" : " WHERE " + where) +
                    (definition_.OrderBy.empty() ? "" : " ORDER BY " + definition_.OrderBy));
  rows_->Open();
  rowCount_ = rows_->RecordCount();
  for (const ReportColumn& column : definition_.Columns) {
    columnFields_.push_back(column.FieldName.empty() ? nullptr : FieldOf(column.FieldName));
    if (column.FieldName.empty()) CheckTemplate(column.Caption);
  }
  for (const ReportGroup& group : definition_.Groups) {
    groupFields_.push_back(FieldOf(group.FieldName));
    CheckTemplate(group.HeaderText);
    CheckTemplate(group.FooterText);
  }
  CheckTemplate(definition_.Subtitle);
  CheckTemplate(definition_.FooterText);
}

// Every field a text names must exist before anything is laid out.
void ReportDocument::CheckTemplate(const String& text) const {
  for (size_t open = text.find('['); open != String::npos; open = text.find('[', open + 1)) {
    const size_t close = text.find(']', open);
    if (close == String::npos) return;
    const String name = text.substr(open + 1, close - open - 1);
    if (!SameText(name, "Count")) FieldOf(name);
  }
}

TField* ReportDocument::FieldOf(const String& name) const {
  TField* field = rows_->FindField(name);
  if (!field)
    throw EReportError("The report '" + definition_.Name + "' prints the field '" + name +
                       "', which its record source does not offer.");
  return field;
}

String ReportDocument::FieldText(int row, TField* field, const String& format) const {
  const Variant value = rows_->FieldValueAt(row + 1, field);
  if (value.IsNull() || value.IsEmpty()) return "";
  if (field->DataType() == ftBoolean || IsChoiceFormat(format))
    return ChoiceText(format.empty() ? String("Yes;No") : format, value.AsDouble() != 0);
  if (IsDateType(field->DataType()) || value.VarType() == varDate)
    return format.empty() ? DateToStr(value.AsDateTime()) : FormatDateTime(format, value.AsDateTime());
  double number;
  if (!format.empty() && TryStrToFloat(value.AsString(), number)) return FormatFloat(format, number);
  return value.AsString();
}

String ReportDocument::Text(int row, size_t column) const {
  const ReportColumn& definition = definition_.Columns[column];
  if (!columnFields_[column]) return FillTemplate(definition.Caption, row, 0, definition.DisplayFormat);
  return FieldText(row, columnFields_[column], definition.DisplayFormat);
}

double ReportDocument::Number(int row, size_t column) const {
  const Variant value = rows_->FieldValueAt(row + 1, columnFields_[column]);
  return value.IsNull() ? 0 : value.AsDouble();
}

bool ReportDocument::IsNull(int row, size_t column) const {
  const Variant value = rows_->FieldValueAt(row + 1, columnFields_[column]);
  return value.IsNull() || (value.VarType() == varString && value.AsString().empty());
}

Variant ReportDocument::GroupValue(int row, size_t level) const {
  return rows_->FieldValueAt(row + 1, groupFields_[level]);
}

String ReportDocument::FillTemplate(const String& text, int row, int count, const String& dateFormat) const {
  String filled;
  size_t pos = 0;
  for (;;) {
    const size_t open = text.find('{', pos);
    const size_t close = open == String::npos ? String::npos : text.find('}', open);
    if (close == String::npos) break;
    filled += FillFields(text.substr(pos, open - pos), row, count, dateFormat).text;
    const FilledText part = FillFields(text.substr(open + 1, close - open - 1), row, count, dateFormat);
    if (part.complete) filled += part.text;
    pos = close + 1;
  }
  return filled + FillFields(text.substr(pos), row, count, dateFormat).text;
}

ReportDocument::FilledText ReportDocument::FillFields(const String& text, int row, int count,
                                                      const String& dateFormat) const {
  FilledText filled;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('[', pos);
    const size_t close = open == String::npos ? String::npos : text.find(']', open);
    if (close == String::npos) break;
    filled.text += text.substr(pos, open - pos);
    const String name = text.substr(open + 1, close - open - 1);
    if (SameText(name, "Count")) {
      filled.text += IntToStr(count);
    } else if (row >= 0) {
      TField* field = FieldOf(name);
      const String value = FieldText(row, field, FormatOfField(name, field, dateFormat));
      filled.complete = filled.complete && !value.empty();
      filled.text += value;
    }
    pos = close + 1;
  }
  filled.text += text.substr(pos);
  return filled;
}

// A field printed by a column keeps that column's format in the texts too.
String ReportDocument::FormatOfField(const String& name, TField* field, const String& dateFormat) const {
  for (const ReportColumn& column : definition_.Columns)
    if (SameText(column.FieldName, name)) return column.DisplayFormat;
  return IsDateType(field->DataType()) ? dateFormat : String();
}

String ReportDocument::Company(const String& field) const {
  for (const auto& [name, value] : company_)
    if (SameText(name, field)) return value;
  return "";
}

}  // namespace vt
