// A report as the camp database defines it (tables ReportDefinitions, ReportGroups and
// ReportColumns): its title, record source, sort, groups, columns and page orientation.
#pragma once

#include <vector>

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"

class TADOConnection;

namespace vt {

// The report host cannot run a report: unknown name, refused where condition, bad definition.
class EReportError : public Exception {
public:
  using Exception::Exception;
};

enum class ReportBand { Detail, Card, Address };

struct ReportColumn {
  ReportBand Band = ReportBand::Detail;
  String FieldName;  // empty: a card heading, or a text printing its caption filled in
  String Caption;
  double Width = 0;  // points
  TAlignment Alignment = taLeftJustify;
  String DisplayFormat;
  bool Total = false;
  bool RunningSum = false;  // prints the sum so far within the innermost group
};

struct ReportGroup {
  String FieldName;
  String HeaderText;
  String FooterText;
  bool NewPage = false;
};

struct ReportDefinition {
  String Name;
  String Title;
  String RecordSource;
  String OrderBy;
  String Subtitle;
  String FooterText;
  bool Letter = false;     // one page per row
  bool Landscape = false;
  std::vector<ReportGroup> Groups;    // outermost first
  std::vector<ReportColumn> Columns;  // in print order
};

// Reads the named report's definition; raises EReportError when the database has none.
ReportDefinition LoadReportDefinition(TADOConnection* connection, const String& reportName);

}  // namespace vt
