// The stored design of the data module: its connection, datasets with their numbered SQL lines
// and cursors, master/detail links, persistent field lists and data sources, created in order
// while the module is loading, then finished with Loaded as a streamed design would be.
#include <initializer_list>
#include <span>
#include <string_view>

#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "db/Fields.h"
#include "rtl/Exceptions.h"
#include "schema/CampSchema.h"

namespace {

// A column as the persistent field lists declare it.
struct Column {
  const char* name;
  TFieldType type;
  int size = 0;
  TFieldKind kind = fkData;
};

const Column kAttendees[] = {
    {"CamperID", ftAutoInc},
    {"LastName", ftWideString, 25},
    {"FirstName", ftWideString, 25},
    {"MiddleInitial", ftWideString, 1},
    {"SSN", ftWideString, 11},
    {"Address", ftWideString, 100},
    {"City", ftWideString, 50},
    {"State", ftWideString, 2},
    {"ZipCode", ftWideString, 12},
    {"Phone", ftWideString, 15},
    {"EmailAddress", ftWideString, 75},
    {"DOB", ftDateTime},
    {"Grade", ftInteger},
    {"School", ftWideString, 50},
    {"ShirtSize", ftWideString, 10},
    {"Height", ftWideString, 10},
    {"Weight", ftInteger},
    {"NormalPosition", ftWideString, 50},
    {"FatherSalutation", ftWideString, 15},
    {"FatherName", ftWideString, 100},
    {"FatherWorkPhone", ftWideString, 15},
    {"FatherEmailAddress", ftWideString, 75},
    {"FatherEmployer", ftWideString, 50},
    {"MotherSalutation", ftWideString, 15},
    {"MotherName", ftWideString, 100},
    {"MotherWorkPhone", ftWideString, 15},
    {"MotherEmailAddress", ftWideString, 75},
    {"MotherEmployer", ftWideString, 50},
    {"LivesWith", ftWideString, 100},
    {"EmergencySalutation", ftWideString, 15},
    {"EmergencyContact", ftWideString, 100},
    {"EmergencyPhone", ftWideString, 15},
    {"InsuranceCompany", ftWideString, 50},
    {"InsurancePolicyNumber", ftWideString, 50},
    {"TotalCharged", ftCurrency},
    {"TotalCredits", ftCurrency},
    {"BalanceDue", ftCurrency},
    {"ParentalReleaseOnFile", ftBoolean},
    {"DateOfParentalRelease", ftDateTime},
    {"ParentalReleaseByWhom", ftWideString, 100},
    {"DoctorReleaseOnFile", ftBoolean},
    {"DateOfDoctorRelease", ftDateTime},
    {"DoctorReleaseByWhom", ftWideString, 100},
    {"Allergies", ftBoolean},
    {"AllergicTo", ftWideString, 255},
    {"GlassesContacts", ftBoolean},
    {"KnownIllnessOneWeekDuration", ftWideString, 255},
    {"BirthDeformities", ftWideString, 255},
    {"MedicalConditionsBeingTreated", ftWideString, 255},
    {"PreExistingInjuriesBeingTreated", ftWideString, 255},
    {"FracturesDisibility", ftWideString, 255},
    {"MentalConvulsions", ftWideString, 255},
    {"League", ftWideString, 25},
    {"Comments", ftWideString, 255},
};

const Column kChaperones[] = {
    {"ChaperoneID", ftAutoInc},
    {"FirstName", ftWideString, 25},
    {"LastName", ftWideString, 25},
    {"MiddleInitial", ftWideString, 1},
    {"SSN", ftWideString, 11},
    {"Address", ftWideString, 100},
    {"City", ftWideString, 50},
    {"State", ftWideString, 2},
    {"ZipCode", ftWideString, 12},
    {"Phone", ftWideString, 15},
    {"EmailAddress", ftWideString, 75},
    {"ShirtSize", ftWideString, 5},
    {"School", ftWideString, 50},
    {"SchoolPhone", ftWideString, 15},
    {"SchoolJob", ftWideString, 50},
    {"TotalOwed", ftCurrency},
    {"TotalPaid", ftCurrency},
    {"BalanceOwed", ftCurrency},
    {"SalaryPerSession", ftFloat},
};

const Column kSessions[] = {
    {"SessionID", ftAutoInc},
    {"Description", ftWideString, 50},
    {"BeginDate", ftDateTime},
    {"EndDate", ftDateTime},
    {"BeginTime", ftWideString, 10},
    {"EndTime", ftWideString, 10},
    {"CheckInDate", ftDateTime},
    {"CheckInTime", ftWideString, 10},
    {"CheckOutDate", ftDateTime},
    {"CheckOutTime", ftWideString, 10},
    {"Location", ftWideString, 50},
    {"LocationAddress", ftWideString, 50},
    {"LocationCity", ftWideString, 50},
    {"LocationState", ftWideString, 50},
    {"LocationZip", ftWideString, 15},
    {"TotalCost", ftCurrency},
    {"DepositAmount", ftCurrency},
    {"BalanceDueDate", ftDateTime},
    {"TeamCamp", ftBoolean},
    {"Comments", ftWideString, 255},
    {"SessionActive", ftBoolean},
};

const Column kAttendeeTrx[] = {
    {"PaymentID", ftAutoInc}, {"CamperID", ftInteger},    {"SessionID", ftInteger},
    {"AmountPaid", ftCurrency}, {"CheckNo", ftWideString, 255}, {"DatePaid", ftDateTime},
};

const Column kChaperoneTrx[] = {
    {"PaymentID", ftAutoInc}, {"ChaperoneID", ftInteger}, {"SessionID", ftInteger},
    {"AmountPaid", ftCurrency}, {"DatePaid", ftDateTime}, {"CheckNo", ftWideString, 25},
};

const Column kAttendeeSession[] = {
    {"SessionID", ftInteger},         {"CamperID", ftInteger},   {"SessionType", ftWideString, 1},
    {"AttendeeRequestID", ftInteger}, {"TeammateRequestID", ftInteger}, {"TotalCosts", ftCurrency},
    {"AmountPaid", ftCurrency},       {"BalanceDue", ftCurrency}, {"RoomID", ftInteger},
    {"TeamID", ftInteger},
};

const Column kChaperoneSession[] = {
    {"SessionID", ftInteger},   {"ChaperoneID", ftInteger},  {"SessionType", ftWideString, 1},
    {"TotalFee", ftCurrency},   {"AmountPaid", ftCurrency},  {"BalanceOwed", ftCurrency},
    {"RoomID", ftInteger},
};

const Column kSessionSessionTypes[] = {
    {"SessionID", ftInteger},  {"Type", ftWideString, 1},    {"Description", ftWideString, 255},
    {"TotalCosts", ftCurrency}, {"DepositAmount", ftCurrency}, {"PerRoomMaximum", ftInteger},
};

const Column kPayChaperones[] = {
    {"ChaperoneID", ftInteger}, {"SessionID", ftInteger}, {"Amount", ftCurrency},
};

struct Table {
  const char* name;
  std::span<const Column> columns;
};

const Table kTables[] = {
    {"Attendees", kAttendees},
    {"Chaperones", kChaperones},
    {"Sessions", kSessions},
    {"AttendeeSession", kAttendeeSession},
    {"ChaperoneSession", kChaperoneSession},
    {"SessionSessionTypes", kSessionSessionTypes},
};

// The calculated Age of the attendee queries, placed among their data fields.
const Column kAge = {"Age", ftInteger, 0, fkCalculated};

// A column named "Table.Column" (or the calculated "Age").
const Column& ColumnNamed(std::string_view name) {
  if (name == kAge.name) return kAge;
  std::string_view table = name.substr(0, name.find('.'));
  std::string_view column = name.substr(table.size() + 1);
  for (const Table& t : kTables)
    if (t.name == table)
      for (const Column& c : t.columns)
        if (c.name == column) return c;
  throw EDatabaseError("No column " + String(name) + " in the design");
}

using FieldList = std::initializer_list<const char*>;

const FieldList kChaperoneSessionsFields = {
    "ChaperoneSession.SessionID", "ChaperoneSession.ChaperoneID", "ChaperoneSession.TotalFee",
    "ChaperoneSession.AmountPaid", "ChaperoneSession.BalanceOwed"};

const FieldList kAttendeesInRoomsFields = {
    "Attendees.LastName",          "Attendees.FirstName",
    "Attendees.DOB",               "Attendees.CamperID",
    "AttendeeSession.SessionID",   "AttendeeSession.AttendeeRequestID",
    "AttendeeSession.RoomID",      "Age",
    "AttendeeSession.SessionType", "SessionSessionTypes.PerRoomMaximum"};

const FieldList kAttendeesAlreadyInRoomsFields = {
    "Attendees.LastName",        "Attendees.FirstName",
    "Attendees.DOB",             "Attendees.CamperID",
    "AttendeeSession.SessionID", "AttendeeSession.AttendeeRequestID",
    "AttendeeSession.RoomID",    "Age"};

const FieldList kAttendeesInTeamsFields = {
    "Attendees.LastName",  "Attendees.FirstName",          "Attendees.NormalPosition",
    "Attendees.Grade",     "Attendees.DOB",                "Attendees.CamperID",
    "AttendeeSession.SessionID", "AttendeeSession.TeammateRequestID", "AttendeeSession.TeamID",
    "Age"};

const FieldList kChaperonesInRoomsFields = {
    "Chaperones.LastName",          "Chaperones.FirstName",   "Chaperones.ChaperoneID",
    "ChaperoneSession.SessionID",   "ChaperoneSession.SessionType", "ChaperoneSession.RoomID",
    "SessionSessionTypes.PerRoomMaximum"};

const FieldList kChaperonesAlreadyInRoomsFields = {
    "Chaperones.LastName", "Chaperones.FirstName", "Chaperones.ChaperoneID",
    "ChaperoneSession.SessionID", "ChaperoneSession.RoomID"};

// Creation helpers bound to the module being designed.
class Designer {
public:
  explicit Designer(TSQLDataModule* module) : module_(module) {}

  template <typename T>
  T* Make(const char* name) {
    T* component = new T(module_);
    component->SetComponentStateFlag(csLoading, true);
    component->SetName(name);
    return component;
  }

  TADOQuery* Query(const char* name, std::initializer_list<const char*> lines, TCursorType cursor) {
    TADOQuery* query = Make<TADOQuery>(name);
    query->SetConnection(module_->dbVantrelADO);
    query->SetCursorType(cursor);
    for (const char* line : lines) query->SQL()->Add(line);
    return query;
  }

  // A scratch query: `count` empty lines for the caller to fill.
  TADOQuery* Scratch(const char* name, int count) {
    TADOQuery* query = Query(name, {}, ctKeyset);
    for (int i = 0; i < count; ++i) query->SQL()->Add("");
    return query;
  }

  TADOTable* Table(const char* name, const char* tableName, TCursorType cursor) {
    TADOTable* table = Make<TADOTable>(name);
    table->SetConnection(module_->dbVantrelADO);
    table->SetCursorType(cursor);
    table->SetTableName(tableName);
    return table;
  }

  // Makes `table` a detail following the current row of `master` on `key`.
  void Follow(TADOTable* table, TDataSource* master, const char* key, bool indexed = true) {
    if (indexed) table->SetIndexFieldNames(key);
    table->SetMasterFields(key);
    table->SetMasterSource(master);
  }

  // Every column of a table, in order.
  void Fields(TDataSet* dataSet, std::span<const Column> columns) {
    for (const Column& column : columns) AddField(dataSet, column);
  }

  // The columns named "Table.Column", in the order given.
  void Fields(TDataSet* dataSet, FieldList names) {
    for (const char* name : names) AddField(dataSet, ColumnNamed(name));
  }

  TDataSource* Source(const char* name, TDataSet* dataSet) {
    TDataSource* source = Make<TDataSource>(name);
    source->SetDataSet(dataSet);
    return source;
  }

private:
  void AddField(TDataSet* dataSet, const Column& column) {
    TField* field = vt::CreateField(column.type, module_);
    field->SetFieldName(column.name);
    if (column.size > 0) field->SetSize(column.size);
    field->SetFieldKind(column.kind);
    field->SetDataSet(dataSet);
  }

  TSQLDataModule* module_;
};

}  // namespace

void TSQLDataModule::CreateDesign() {
  SetComponentStateFlag(csLoading, true);
  Designer d(this);

  dbVantrelADO = d.Make<TADOConnection>("dbVantrelADO");
  dbVantrelADO->SetLoginPrompt(false);
  dbVantrelADO->SetExpectedTables(vt::CampTablesScript());

  tZipCodes = d.Table("tZipCodes", "ZipCodes", ctStatic);
  qCoSYS = d.Query("qCoSYS", {"Select * From CoSys"}, ctStatic);
  tShirtSizes = d.Table("tShirtSizes", "ShirtSize", ctStatic);
  tPositions = d.Table("tPositions", "Positions", ctKeyset);
  tDefaultLeagues = d.Table("tDefaultLeagues", "DefaultLeagues", ctStatic);
  tSessionTypes = d.Table("tSessionTypes", "SessionType", ctStatic);
  qAttendees = d.Query("qAttendees", {"Select * From Attendees", "", "ORDER BY LastName, FirstName"},
                       ctStatic);
  qChaperones = d.Query("qChaperones",
                        {"Select * From Chaperones", "", "ORDER BY LastName, FirstName"}, ctStatic);
  qSessions = d.Query("qSessions",
                      {"Select * From Sessions", "WHERE SessionActive = true", "", "ORDER BY SessionID"},
                      ctStatic);
  tLeagues = d.Table("tLeagues", "Leagues", ctStatic);
  tAttendeeTrx = d.Table("tAttendeeTrx", "AttendeeTrx", ctKeyset);
  tChaperoneTrx = d.Table("tChaperoneTrx", "ChaperoneTrx", ctStatic);
  qAttendeesOnSpot = d.Query(
      "qAttendeesOnSpot",
      {"SELECT AttendeeSession.CamperID, Sessions.SessionID, AttendeeSession.SessionType, "
       "Sessions.Description, Teams.LeagueName, Teams.TeamName, Sessions.SessionActive",
       "FROM (Sessions INNER JOIN (Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = "
       "AttendeeSession.CamperID) ON Sessions.SessionID = AttendeeSession.SessionID) INNER JOIN Teams "
       "ON (Teams.TeamID = AttendeeSession.TeamID) AND (Sessions.SessionID = Teams.SessionID)",
       "WHERE AttendeeSession.CamperID= 1  ",
       "AND Sessions.SessionActive = -1"},
      ctStatic);
  qAttendeeSession = d.Query(
      "qAttendeeSession",
      {"SELECT Attendees.CamperID, AttendeeSession.SessionID, AttendeeSession.SessionType, "
       "Sessions.Description, Sessions.SessionActive",
       "FROM Sessions INNER JOIN (Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = "
       "AttendeeSession.CamperID) ON Sessions.SessionID = AttendeeSession.SessionID",
       "WHERE (((Sessions.SessionActive)=-1))",
       "AND Attendees.CamperID = 1"},
      ctStatic);
  qChaperoneSession = d.Query(
      "qChaperoneSession",
      {"SELECT Chaperones.ChaperoneID, ChaperoneSession.SessionID, ChaperoneSession.SessionType , "
       "Sessions.Description, Sessions.SessionActive, Sessions.EndDate",
       "FROM Sessions INNER JOIN (Chaperones INNER JOIN ChaperoneSession ON Chaperones.ChaperoneID = "
       "ChaperoneSession.ChaperoneID) ON Sessions.SessionID = ChaperoneSession.SessionID",
       "WHERE (((Sessions.SessionActive)=-1))",
       "AND Chaperones.ChaperoneID = 1"},
      ctStatic);
  tChaperoneSessions = d.Table("tChaperoneSessions", "ChaperoneSession", ctStatic);
  tPayChaperones = d.Table("tPayChaperones", "PayChaperones", ctStatic);
  qAttendeesInRooms = d.Query(
      "qAttendeesInRooms",
      {"SELECT Attendees.LastName, Attendees.FirstName, Attendees.DOB, Attendees.CamperID, "
       "AttendeeSession.SessionID, AttendeeSession.SessionType, AttendeeSession.AttendeeRequestID, "
       "AttendeeSession.RoomID, SessionSessionTypes.PerRoomMaximum",
       "FROM Attendees INNER JOIN (AttendeeSession INNER JOIN SessionSessionTypes ON "
       "(AttendeeSession.SessionID = SessionSessionTypes.SessionID) AND (AttendeeSession.SessionType "
       "= SessionSessionTypes.Type)) ON Attendees.CamperID = AttendeeSession.CamperID",
       "WHERE AttendeeSession.SessionID=8",
       "AND AttendeeSession.RoomID Is Null AND SessionSessionTypes.PerRoomMaximum<>0 ",
       "ORDER BY AttendeeSession.AttendeeRequestID DESC , Attendees.DOB"},
      ctStatic);
  qAttendeesAlreadyInRooms = d.Query(
      "qAttendeesAlreadyInRooms",
      {"SELECT Attendees.LastName, Attendees.FirstName, Attendees.DOB, Attendees.CamperID, "
       "AttendeeSession.SessionID, AttendeeSession.AttendeeRequestID, AttendeeSession.RoomID",
       "FROM Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = AttendeeSession.CamperID",
       "WHERE AttendeeSession.RoomID Is Null",
       "AND  AttendeeSession.SessionID=2 ",
       "ORDER BY AttendeeRequestID Desc, DOB"},
      ctStatic);
  qAttendeesInTeams = d.Query(
      "qAttendeesInTeams",
      {"SELECT Attendees.LastName, Attendees.FirstName, Attendees.NormalPosition, Attendees.Grade, "
       "Attendees.DOB, Attendees.CamperID, AttendeeSession.SessionID, "
       "AttendeeSession.TeammateRequestID, AttendeeSession.TeamID, SessionSessionTypes.Type",
       "FROM (Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = AttendeeSession.CamperID) "
       "INNER JOIN SessionSessionTypes ON AttendeeSession.SessionID = SessionSessionTypes.SessionID "
       "AND AttendeeSession.SessionType = SessionSessionTypes.Type",
       "WHERE AttendeeSession.TeamID Is Null",
       "AND AttendeeSession.SessionID=8",
       "ORDER BY Attendees.DOB"},
      ctStatic);
  qAttendeesAlreadyInTeams = d.Query(
      "qAttendeesAlreadyInTeams",
      {"SELECT Attendees.LastName, Attendees.FirstName, Attendees.NormalPosition, Attendees.Grade,  "
       "Attendees.DOB, Attendees.CamperID, AttendeeSession.SessionID, "
       "AttendeeSession.TeammateRequestID, AttendeeSession.TeamID",
       "FROM Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = AttendeeSession.CamperID",
       "WHERE AttendeeSession.TeamID Is Null",
       "AND  AttendeeSession.SessionID=2 ",
       "ORDER BY DOB"},
      ctStatic);
  qChaperonesInRooms = d.Query(
      "qChaperonesInRooms",
      {"SELECT Chaperones.LastName, Chaperones.FirstName, Chaperones.ChaperoneID, "
       "ChaperoneSession.SessionID, ChaperoneSession.SessionType,  ChaperoneSession.RoomID, "
       "SessionSessionTypes.PerRoomMaximum",
       "FROM Chaperones INNER JOIN (ChaperoneSession INNER JOIN SessionSessionTypes ON "
       "(ChaperoneSession.SessionID = SessionSessionTypes.SessionID) AND (ChaperoneSession.SessionType "
       "= SessionSessionTypes.Type)) ON Chaperones.ChaperoneID = ChaperoneSession.ChaperoneID",
       "WHERE ChaperoneSession.SessionID=8",
       "AND ChaperoneSession.RoomID Is Null AND SessionSessionTypes.PerRoomMaximum<>0 "},
      ctStatic);
  qChaperonesAlreadyInRooms = d.Query(
      "qChaperonesAlreadyInRooms",
      {"SELECT Chaperones.LastName, Chaperones.FirstName, Chaperones.ChaperoneID, "
       "ChaperoneSession.SessionID, ChaperoneSession.RoomID",
       "FROM Chaperones INNER JOIN ChaperoneSession ON Chaperones.ChaperoneID = "
       "ChaperoneSession.ChaperoneID",
       "WHERE ChaperoneSession.RoomID Is Null",
       "AND  ChaperoneSession.SessionID=2 "},
      ctStatic);
  qMisc = d.Scratch("qMisc", 4);
  qMisc2 = d.Query(
      "qMisc2",
      {"SELECT Chaperones.ChaperoneID, ChaperoneSession.BalanceOwed, ChaperoneSession.SessionID, "
       "Sessions.EndDate, ChaperoneSession.SessionType, Sessions.Description, Sessions.SessionActive",
       "FROM Sessions INNER JOIN (Chaperones INNER JOIN ChaperoneSession ON Chaperones.ChaperoneID = "
       "ChaperoneSession.ChaperoneID) ON Sessions.SessionID = ChaperoneSession.SessionID",
       "WHERE Chaperones.ChaperoneID = 1 AND Sessions.EndDate <= '05/28/2003'",
       "", "", "", "", "", ""},
      ctKeyset);
  qMisc3 = d.Query(
      "qMisc3",
      {"SELECT Attendees.CamperID, Attendees.LastName, Attendees.FirstName, AttendeeSession.SessionID",
       "FROM Attendees INNER JOIN AttendeeSession ON Attendees.CamperID = AttendeeSession.CamperID",
       "WHERE AttendeeSession.SessionID = 2"},
      ctKeyset);
  qMisc4 = d.Query(
      "qMisc4",
      {"SELECT Chaperones.ChaperoneID, Chaperones.FirstName, Chaperones.LastName, "
       "ChaperoneSession.SessionID",
       "FROM Chaperones INNER JOIN ChaperoneSession ON Chaperones.ChaperoneID = "
       "ChaperoneSession.ChaperoneID",
       "WHERE ChaperoneSession.SessionID = 2"},
      ctKeyset);
  qMisc5 = d.Scratch("qMisc5", 1);
  qMisc6 = d.Scratch("qMisc6", 1);
  tRooms = d.Table("tRooms", "Rooms", ctStatic);
  tRooms->SetFilter("");
  tRooms->SetFiltered(true);
  qRooms = d.Query("qRooms", {"Select * From Rooms", "", ""}, ctStatic);
  tTeams = d.Table("tTeams", "Teams", ctStatic);
  tSessionSessionTypes = d.Table("tSessionSessionTypes", "SessionSessionTypes", ctStatic);
  tCRooms = d.Table("tCRooms", "CoachesRooms", ctStatic);
  tCRooms->SetFilter("");
  tCRooms->SetFiltered(true);
  qCRooms = d.Query("qCRooms", {"Select * From CoachesRooms", "", ""}, ctStatic);

  dsAttendees = d.Source("dsAttendees", qAttendees);
  dsCoSYS = d.Source("dsCoSYS", qCoSYS);
  dsAttendeeTrx = d.Source("dsAttendeeTrx", tAttendeeTrx);
  dsChaperoneTrx = d.Source("dsChaperoneTrx", tChaperoneTrx);
  dsChaperones = d.Source("dsChaperones", qChaperones);
  dsSessions = d.Source("dsSessions", qSessions);
  dsLeagues = d.Source("dsLeagues", tLeagues);
  dsPositions = d.Source("dsPositions", tPositions);
  dsShirtSizes = d.Source("dsShirtSizes", tShirtSizes);
  dsAttendeeSession = d.Source("dsAttendeeSession", qAttendeeSession);
  dsDefaultLeagues = d.Source("dsDefaultLeagues", tDefaultLeagues);
  dsChaperoneSession = d.Source("dsChaperoneSession", qChaperoneSession);
  dsChaperoneSessions = d.Source("dsChaperoneSessions", tChaperoneSessions);
  dsPayChaperones = d.Source("dsPayChaperones", tPayChaperones);
  dsRooms = d.Source("dsRooms", qRooms);
  dstRooms = d.Source("dstRooms", tRooms);
  dsAttendeesInRooms = d.Source("dsAttendeesInRooms", qAttendeesInRooms);
  dsSessionTypes = d.Source("dsSessionTypes", tSessionTypes);
  dsAttendeesAlreadyInRooms = d.Source("dsAttendeesAlreadyInRooms", qAttendeesAlreadyInRooms);
  dsTeams = d.Source("dsTeams", tTeams);
  dsAttendeesInTeams = d.Source("dsAttendeesInTeams", qAttendeesInTeams);
  dsAttendeesAlreadyInTeams = d.Source("dsAttendeesAlreadyInTeams", qAttendeesAlreadyInTeams);
  dsAttendeesOnSpot = d.Source("dsAttendeesOnSpot", qAttendeesOnSpot);
  dsSessionSessionTypes = d.Source("dsSessionSessionTypes", tSessionSessionTypes);
  dstCRooms = d.Source("dstCRooms", tCRooms);
  dsCRooms = d.Source("dsCRooms", qCRooms);
  dsChaperonesInRooms = d.Source("dsChaperonesInRooms", qChaperonesInRooms);
  dsChaperonesAlreadyInRooms = d.Source("dsChaperonesAlreadyInRooms", qChaperonesAlreadyInRooms);

  // Master/detail links name data sources, which a streamed design resolves after reading.
  d.Follow(tLeagues, dsSessions, "SessionID");
  d.Follow(tAttendeeTrx, dsAttendees, "CamperID");
  d.Follow(tChaperoneTrx, dsChaperones, "ChaperoneID");
  d.Follow(tChaperoneSessions, dsChaperones, "ChaperoneID");
  d.Follow(tPayChaperones, dsChaperones, "ChaperoneID");
  d.Follow(tRooms, dsSessions, "SessionID");
  d.Follow(tTeams, dsSessions, "SessionID");
  d.Follow(tSessionSessionTypes, dsSessions, "SessionID", /*indexed=*/false);
  d.Follow(tCRooms, dsSessions, "SessionID");

  d.Fields(qAttendees, kAttendees);
  d.Fields(qChaperones, kChaperones);
  d.Fields(qSessions, kSessions);
  d.Fields(tAttendeeTrx, kAttendeeTrx);
  d.Fields(tChaperoneTrx, kChaperoneTrx);
  d.Fields(tChaperoneSessions, kChaperoneSessionsFields);
  d.Fields(tPayChaperones, kPayChaperones);
  d.Fields(qAttendeesInRooms, kAttendeesInRoomsFields);
  d.Fields(qAttendeesAlreadyInRooms, kAttendeesAlreadyInRoomsFields);
  d.Fields(qAttendeesInTeams, kAttendeesInTeamsFields);
  d.Fields(qAttendeesAlreadyInTeams, kAttendeesInTeamsFields);
  d.Fields(qChaperonesInRooms, kChaperonesInRoomsFields);
  d.Fields(qChaperonesAlreadyInRooms, kChaperonesAlreadyInRoomsFields);

  qAttendeesInRooms->OnCalcFields = [this](TDataSet* s) { qAttendeesInRoomsCalcFields(s); };
  qAttendeesAlreadyInRooms->OnCalcFields = [this](TDataSet* s) {
    qAttendeesAlreadyInRoomsCalcFields(s);
  };
  qAttendeesInTeams->OnCalcFields = [this](TDataSet* s) { qAttendeesInTeamsCalcFields(s); };
  qAttendeesAlreadyInTeams->OnCalcFields = [this](TDataSet* s) {
    qAttendeesAlreadyInTeamsCalcFields(s);
  };

  // Whatever posts a room of the session editor's lists keeps its free places right.
  qRooms->BeforePost = [](TDataSet* s) { vt::KeepFreePlaces(s, vt::kAttendeeRooms); };
  qCRooms->BeforePost = [](TDataSet* s) { vt::KeepFreePlaces(s, vt::kChaperoneRooms); };

  for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();
  Loaded();
}
