// The data module: the one connection to the camp database and every table, query and data
// source the forms share, with the queries' numbered SQL lines that the forms rewrite.
#pragma once

#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/DataModule.h"
#include "db/DataSource.h"

class TSQLDataModule : public TDataModule {
public:
  explicit TSQLDataModule(TComponent* AOwner);

  TADOConnection* dbVantrelADO;

  TADOTable* tZipCodes;
  TADOQuery* qCoSYS;
  TADOTable* tShirtSizes;
  TADOTable* tPositions;
  TADOTable* tDefaultLeagues;
  TADOTable* tSessionTypes;
  TADOQuery* qAttendees;
  TADOQuery* qChaperones;
  TADOQuery* qSessions;
  TADOTable* tLeagues;
  TADOTable* tAttendeeTrx;
  TADOTable* tChaperoneTrx;
  TADOQuery* qAttendeesOnSpot;
  TADOQuery* qAttendeeSession;
  TADOQuery* qChaperoneSession;
  TADOTable* tChaperoneSessions;
  TADOTable* tPayChaperones;
  TADOQuery* qAttendeesInRooms;
  TADOQuery* qAttendeesAlreadyInRooms;
  TADOQuery* qAttendeesInTeams;
  TADOQuery* qAttendeesAlreadyInTeams;
  TADOQuery* qChaperonesInRooms;
  TADOQuery* qChaperonesAlreadyInRooms;
  TADOQuery* qMisc;
  TADOQuery* qMisc2;
  TADOQuery* qMisc3;
  TADOQuery* qMisc4;
  TADOQuery* qMisc5;
  TADOQuery* qMisc6;
  TADOTable* tRooms;
  TADOQuery* qRooms;
  TADOTable* tTeams;
  TADOTable* tSessionSessionTypes;
  TADOTable* tCRooms;
  TADOQuery* qCRooms;

  TDataSource* dsAttendees;
  TDataSource* dsCoSYS;
  TDataSource* dsAttendeeTrx;
  TDataSource* dsChaperoneTrx;
  TDataSource* dsChaperones;
  TDataSource* dsSessions;
  TDataSource* dsLeagues;
  TDataSource* dsPositions;
  TDataSource* dsShirtSizes;
  TDataSource* dsAttendeeSession;
  TDataSource* dsDefaultLeagues;
  TDataSource* dsChaperoneSession;
  TDataSource* dsChaperoneSessions;
  TDataSource* dsPayChaperones;
  TDataSource* dsRooms;
  TDataSource* dstRooms;
  TDataSource* dsAttendeesInRooms;
  TDataSource* dsSessionTypes;
  TDataSource* dsAttendeesAlreadyInRooms;
  TDataSource* dsTeams;
  TDataSource* dsAttendeesInTeams;
  TDataSource* dsAttendeesAlreadyInTeams;
  TDataSource* dsAttendeesOnSpot;
  TDataSource* dsSessionSessionTypes;
  TDataSource* dstCRooms;
  TDataSource* dsCRooms;
  TDataSource* dsChaperonesInRooms;
  TDataSource* dsChaperonesAlreadyInRooms;

  // The calculated Age of the four attendee queries.
  void qAttendeesInRoomsCalcFields(TDataSet* DataSet);
  void qAttendeesAlreadyInRoomsCalcFields(TDataSet* DataSet);
  void qAttendeesInTeamsCalcFields(TDataSet* DataSet);
  void qAttendeesAlreadyInTeamsCalcFields(TDataSet* DataSet);

  // Opens, on the open connection, the datasets start-up needs, in their fixed order.
  void OpenStartupDatasets();

private:
  // Builds the components of the stored design (SQLDataDesign.cpp).
  void CreateDesign();
};

extern TSQLDataModule* SQLDataModule;
