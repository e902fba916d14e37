-- Indexes for the joins, master/detail links and searches of the program's datasets.
-- Pairs already covered by a unique constraint (enrolments, pay list, leagues, session types)
-- need no second index on their leading column.

CREATE INDEX AttendeesName        ON Attendees (LastName, FirstName);
CREATE INDEX ChaperonesName       ON Chaperones (LastName, FirstName);

CREATE INDEX AttendeeSessionCamper ON AttendeeSession (CamperID);
CREATE INDEX AttendeeSessionRoom   ON AttendeeSession (RoomID);
CREATE INDEX AttendeeSessionTeam   ON AttendeeSession (TeamID);

CREATE INDEX ChaperoneSessionChaperone ON ChaperoneSession (ChaperoneID);
CREATE INDEX ChaperoneSessionRoom      ON ChaperoneSession (RoomID);

CREATE INDEX AttendeeTrxCamper      ON AttendeeTrx (CamperID, SessionID);
CREATE INDEX ChaperoneTrxChaperone  ON ChaperoneTrx (ChaperoneID, SessionID);

CREATE INDEX RoomsSession        ON Rooms (SessionID);
CREATE INDEX CoachesRoomsSession ON CoachesRooms (SessionID);
CREATE INDEX TeamsSession        ON Teams (SessionID);

CREATE INDEX ZipCodesZip ON ZipCodes (Zip);
