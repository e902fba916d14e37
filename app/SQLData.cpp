// The data module's own code: construction from its design, the calculated Age of the attendee
// queries and the opening of the start-up datasets.
#include "app/SQLData.h"

#include <cmath>

#include "db/Fields.h"
#include "rtl/DateTime.h"

TSQLDataModule* SQLDataModule = nullptr;

namespace {

// Whole years between today and the date of birth: days / 365.25, truncated; empty without DOB.
void CalcAge(TDataSet* DataSet) {
  TField* dob = DataSet->FieldByName("DOB");
  if (dob->IsNull()) return;
  double days = std::fabs(Date() - dob->AsDateTime());
  DataSet->FieldByName("Age")->SetAsInteger(static_cast<int>(days / 365.25));
}

}  // namespace

TSQLDataModule::TSQLDataModule(TComponent* AOwner) : TDataModule(AOwner) {
  CreateDesign();
  DoCreate();
}

void TSQLDataModule::qAttendeesInRoomsCalcFields(TDataSet* DataSet) { CalcAge(DataSet); }

void TSQLDataModule::qAttendeesAlreadyInRoomsCalcFields(TDataSet* DataSet) { CalcAge(DataSet); }

void TSQLDataModule::qAttendeesInTeamsCalcFields(TDataSet* DataSet) { CalcAge(DataSet); }

void TSQLDataModule::qAttendeesAlreadyInTeamsCalcFields(TDataSet* DataSet) { CalcAge(DataSet); }

void TSQLDataModule::OpenStartupDatasets() {
  TDataSet* const startup[] = {
      tZipCodes,        qCoSYS,         tShirtSizes,   tPositions,        tDefaultLeagues,
      tSessionTypes,    qAttendees,     qChaperones,   qSessions,         tLeagues,
      tAttendeeTrx,     tChaperoneTrx,  qAttendeesOnSpot, qAttendeeSession, qChaperoneSession,
      tChaperoneSessions, tPayChaperones, tRooms,      tTeams};
  for (TDataSet* dataSet : startup) dataSet->Open();
}
