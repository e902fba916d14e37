// Reads a report's definition rows from the camp database. The name reaches SQL quoted.
#include "reports/ReportDefinition.h"

#include <memory>

#include "db/ADODB.h"
#include "db/SqlText.h"

namespace vt {
namespace {

std::unique_ptr<TADOQuery> OpenQuery(TADOConnection* connection, const String& sql) {
  auto query = std::make_unique<TADOQuery>(nullptr);
  query->SetConnection(connection);
  query->SQL()->Add(sql);
  query->Open();
  return query;
}

String Text(TADOQuery* query, const char* field) { return query->FieldByName(field)->AsString(); }

ReportBand BandOf(const String& band) {
  if (SameText(band, "Card")) return ReportBand::Card;
  if (SameText(band, "Address")) return ReportBand::Address;
  return ReportBand::Detail;
}

TAlignment AlignmentOf(const String& alignment) {
  if (SameText(alignment, "Right")) return taRightJustify;
  if (SameText(alignment, "Center")) return taCenter;
  return taLeftJustify;
}

void ReadGroups(TADOConnection* connection, const String& quotedName, ReportDefinition& report) {
  auto query = OpenQuery(connection, "SELECT * FROM ReportGroups WHERE ReportName = " + quotedName +
                                         " ORDER BY GroupLevel");
  for (; !query->Eof(); query->Next())
    report.Groups.push_back({Text(query.get(), "GroupField"), Text(query.get(), "HeaderText"),
                             Text(query.get(), "FooterText"), query->FieldByName("NewPage")->AsBoolean()});
}

void ReadColumns(TADOConnection* connection, const String& quotedName, ReportDefinition& report) {
  auto query = OpenQuery(connection, "SELECT * FROM ReportColumns WHERE ReportName = " + quotedName +
                                         " ORDER BY ColumnOrder");
  for (; !query->Eof(); query->Next()) {
    ReportColumn column;
    column.Band = BandOf(Text(query.get(), "Band"));
    column.FieldName = Text(query.get(), "FieldName");
    column.Caption = Text(query.get(), "Caption");
    column.Width = query->FieldByName("Width")->AsFloat();
    column.Alignment = AlignmentOf(Text(query.get(), "Alignment"));
    column.DisplayFormat = Text(query.get(), "DisplayFormat");
    column.Total = query->FieldByName("Total")->AsBoolean();
    // Files made before running sums existed have no such column.
    if (TField* running = query->FindField("RunningSum")) column.RunningSum = running->AsBoolean();
    report.Columns.push_back(column);
  }
}

}  // namespace

ReportDefinition LoadReportDefinition(TADOConnection* connection, const String& reportName) {
  const String quotedName = SqlQuote(reportName);
  auto query = OpenQuery(connection, "SELECT * FROM ReportDefinitions WHERE ReportName = " + quotedName);
  if (query->IsEmpty()) throw EReportError("There is no report named '" + reportName + "'.");
  ReportDefinition report;
  report.Name = Text(query.get(), "ReportName");
  report.Title = Text(query.get(), "Title");
  report.RecordSource = Text(query.get(), "RecordSource");
  report.OrderBy = Text(query.get(), "OrderBy");
  report.Subtitle = Text(query.get(), "Subtitle");
  report.FooterText = Text(query.get(), "FooterText");
  report.Letter = SameText(Text(query.get(), "Layout"), "Letter");
  report.Landscape = SameText(Text(query.get(), "Orientation"), "Landscape");
  ReadGroups(connection, quotedName, report);
  ReadColumns(connection, quotedName, report);
  return report;
}

}  // namespace vt
