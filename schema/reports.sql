-- The printed reports, run by name. A report reads its record source (a SELECT whose result
-- columns carry the names that where conditions use, such as "AttendeeSession.SessionID"),
-- sorts it, groups it and prints its columns; changing these rows changes the printed layout.
--
-- Texts in square brackets in Subtitle, HeaderText and FooterText are filled in: [Field] with
-- that column's value (of the first row of the report, group or page), [Count] with the number
-- of detail rows printed; a part in braces is printed only when every field in it has a value.
-- Widths are in points (72 to the inch). A DisplayFormat is a date layout for dates, a number
-- layout for numbers, or "Yes;No" style texts for yes/no columns.

CREATE TABLE ReportDefinitions (
  ReportName   TEXT COLLATE NOCASE PRIMARY KEY,
  Title        TEXT COLLATE NOCASE,
  RecordSource LONGTEXT COLLATE NOCASE,
  OrderBy      TEXT COLLATE NOCASE,
  Subtitle     TEXT COLLATE NOCASE,
  FooterText   TEXT COLLATE NOCASE,
  Layout       TEXT COLLATE NOCASE DEFAULT 'List',       -- 'List', or 'Letter': a page a row
  Orientation  TEXT COLLATE NOCASE DEFAULT 'Portrait'    -- 'Portrait' or 'Landscape'
);

-- Level 1 is the outermost group; a group starts where its field's value changes.
CREATE TABLE ReportGroups (
  ReportName TEXT COLLATE NOCASE,
  GroupLevel INTEGER,
  GroupField TEXT COLLATE NOCASE,
  HeaderText TEXT COLLATE NOCASE,
  FooterText TEXT COLLATE NOCASE,
  NewPage    YESNO DEFAULT 0,
  UNIQUE (ReportName, GroupLevel)
);

-- Band 'Detail': a column of the detail rows (Total sums it in the footers; RunningSum prints
-- the sum so far within the innermost group instead of the row's value). Band 'Card': a
-- "Caption: value" pair printed under the level 1 group header; without a field, a heading.
-- Band 'Address': a line of a letter's address block. A detail column of a letter without a
-- field prints its Caption filled in like a header text, its DisplayFormat used for dates.
CREATE TABLE ReportColumns (
  ReportName    TEXT COLLATE NOCASE,
  Band          TEXT COLLATE NOCASE DEFAULT 'Detail',
  ColumnOrder   INTEGER,
  FieldName     TEXT COLLATE NOCASE,
  Caption       TEXT COLLATE NOCASE,
  Width         INTEGER,
  Alignment     TEXT COLLATE NOCASE DEFAULT 'Left',       -- 'Left', 'Right' or 'Center'
  DisplayFormat TEXT COLLATE NOCASE,
  Total         YESNO DEFAULT 0,
  RunningSum    YESNO DEFAULT 0
);

-- The ledgers' rows as what they are: a charge (an invoice on the chaperone side), the credit of
-- a removal, or a payment (a check number, or none); amounts also in whole 1/10,000 (Units), so
-- that sums over many rows stay exact to the cent.
CREATE VIEW AttendeeLedger AS
SELECT PaymentID, CamperID, SessionID, DatePaid, CheckNo, AmountPaid,
       CAST(ROUND(AmountPaid * 10000) AS INTEGER) AS Units,
       CASE WHEN CheckNo = 'Charge' THEN 'Charge' WHEN CheckNo = 'Credit' THEN 'Credit' ELSE 'Payment' END AS Kind
FROM AttendeeTrx;

CREATE VIEW ChaperoneLedger AS
SELECT PaymentID, ChaperoneID, SessionID, DatePaid, CheckNo, AmountPaid,
       CAST(ROUND(AmountPaid * 10000) AS INTEGER) AS Units,
       CASE WHEN CheckNo = 'Invoice' THEN 'Invoice' WHEN CheckNo = 'Credit' THEN 'Credit' ELSE 'Payment' END AS Kind
FROM ChaperoneTrx;

-- A session's attendees as they check in: releases on file and the balance still due.
CREATE VIEW CheckInRows AS
SELECT e.SessionID AS "AttendeeSession.SessionID", a.CamperID, a.LastName, a.FirstName, e.SessionType,
       st.Description AS TypeDescription,
       a.ParentalReleaseOnFile, a.DoctorReleaseOnFile, e.BalanceDue, '[   ]' AS CheckedIn,
       s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
FROM AttendeeSession e JOIN Attendees a ON a.CamperID = e.CamperID
JOIN Sessions s ON s.SessionID = e.SessionID
LEFT JOIN SessionSessionTypes st ON st.SessionID = e.SessionID AND st.Type = e.SessionType;

-- The families a session's letters go to: address block, salutation and signature.
CREATE VIEW LetterAddresses AS
SELECT s.SessionID AS "Sessions.SessionID", a.CamperID, a.LastName, a.FirstName,
       'The ' || a.LastName || ' Family' AS AddressName, a.Address,
       NULLIF(TRIM(COALESCE(a.City, '') || ', ' || COALESCE(a.State, '') || '  ' || COALESCE(a.ZipCode, '')), ',') AS CityLine,
       'Dear ' || COALESCE(NULLIF(TRIM(COALESCE(a.FatherSalutation, '') || ' ' || COALESCE(a.FatherName, '')), ''),
                           NULLIF(TRIM(COALESCE(a.MotherSalutation, '') || ' ' || COALESCE(a.MotherName, '')), ''),
                           'Parents of ' || a.FirstName || ' ' || a.LastName) || ',' AS Salutation,
       'Sincerely,' || char(10) || char(10) || char(10) || COALESCE((SELECT DirectorName FROM CoSys LIMIT 1), '') AS Signature,
       s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
FROM Sessions s JOIN AttendeeSession e ON e.SessionID = s.SessionID
JOIN Attendees a ON a.CamperID = e.CamperID;

INSERT INTO ReportDefinitions (ReportName, Title, RecordSource, OrderBy, Subtitle, FooterText, Layout, Orientation) VALUES
('TeamRoster', 'Team Rosters',
 'SELECT t.SessionID AS SessionID, t.TeamID, t.LeagueName, t.TeamName, t.Chaperone,
         a.LastName, a.FirstName, a.NormalPosition, p.Description AS PositionDescription, a.Grade, a.Phone,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM Teams t JOIN Sessions s ON s.SessionID = t.SessionID
  LEFT JOIN AttendeeSession e ON e.TeamID = t.TeamID AND e.SessionID = t.SessionID
  LEFT JOIN Attendees a ON a.CamperID = e.CamperID
  LEFT JOIN Positions p ON p.APosition = a.NormalPosition',
 'LeagueName, TeamName, TeamID, LastName, FirstName',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] team members', 'List', 'Portrait'),

('RoomList', 'Room List',
 'SELECT e.SessionID AS SessionID, a.CamperID, a.LastName, a.FirstName, e.SessionType, r.HotelName, r.RoomNumber,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeSession e JOIN Attendees a ON a.CamperID = e.CamperID
  JOIN Sessions s ON s.SessionID = e.SessionID
  LEFT JOIN Rooms r ON r.RoomID = e.RoomID',
 'LastName, FirstName, CamperID',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] attendees', 'List', 'Portrait'),

('RoomListByRoom', 'Room List by Room',
 'SELECT r.SessionID AS SessionID, COALESCE(e.SessionID, r.SessionID) AS "AttendeeSession.SessionID",
         r.RoomID, r.HotelName, r.RoomNumber, r.NumberInRoom, r.NumberAvailable,
         a.LastName, a.FirstName, e.SessionType,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM Rooms r JOIN Sessions s ON s.SessionID = r.SessionID
  LEFT JOIN AttendeeSession e ON e.RoomID = r.RoomID
  LEFT JOIN Attendees a ON a.CamperID = e.CamperID',
 'HotelName, RoomNumber, RoomID, LastName, FirstName',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] attendees in rooms', 'List', 'Portrait'),

('CheckInList', 'Check-In List', 'SELECT * FROM CheckInRows',
 'LastName, FirstName, CamperID',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] attendees', 'List', 'Portrait'),

('CheckInListByType', 'Check-In List by Type', 'SELECT * FROM CheckInRows',
 'SessionType, LastName, FirstName, CamperID',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] attendees', 'List', 'Portrait'),

('SessionAttendeeList', 'Attendee List',
 'SELECT e.SessionID AS "AttendeeSession.SessionID", a.CamperID, a.LastName, a.FirstName, e.SessionType,
         a.DOB, a.Grade, a.City, a.Phone,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeSession e JOIN Attendees a ON a.CamperID = e.CamperID
  JOIN Sessions s ON s.SessionID = e.SessionID',
 'LastName, FirstName, CamperID',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] attendees', 'List', 'Portrait'),

('Attendees', 'Complete Attendee List',
 'SELECT CamperID, LastName, FirstName, MiddleInitial, Address, City, State, ZipCode, Phone, DOB
  FROM Attendees',
 'LastName, FirstName, CamperID', '', '[Count] attendees', 'List', 'Landscape'),

('Chaperones', 'Complete Chaperone List',
 'SELECT ChaperoneID, LastName, FirstName, Address, City, State, ZipCode, Phone, EmailAddress
  FROM Chaperones',
 'LastName, FirstName, ChaperoneID', '', '[Count] chaperones', 'List', 'Landscape'),

-- A ledger row's session or person may have been deleted: its rows still count, marked as such.
('SessionLedgerReport', 'Accounts Receivable Ledger',
 'SELECT t.SessionID AS SessionID, t.PaymentID, t.CamperID,
         CASE WHEN a.CamperID IS NULL THEN ''(deleted attendee)'' ELSE a.LastName END AS LastName,
         CASE WHEN a.CamperID IS NULL THEN ''Code '' || t.CamperID ELSE a.FirstName END AS FirstName, t.DatePaid, t.CheckNo,
         CASE WHEN t.Kind = ''Charge'' THEN CAST(t.AmountPaid AS REAL) END AS Charges,
         CASE WHEN t.Kind = ''Credit'' THEN CAST(-t.AmountPaid AS REAL) END AS Credits,
         CASE WHEN t.Kind = ''Payment'' THEN CAST(-t.AmountPaid AS REAL) END AS Payments,
         CAST(t.AmountPaid AS REAL) AS Balance,
         CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeLedger t LEFT JOIN Attendees a ON a.CamperID = t.CamperID
  LEFT JOIN Sessions s ON s.SessionID = t.SessionID',
 'LastName, FirstName, CamperID, DatePaid, PaymentID',
 'Session [SessionID]: [SessionDescription]{, [SessionBegin] to [SessionEnd]}', 'Session totals', 'List', 'Portrait'),

('ARReport', 'Accounts Receivable',
 'SELECT t.SessionID AS SessionID, t.CamperID,
         CASE WHEN a.CamperID IS NULL THEN ''(deleted attendee)'' ELSE a.LastName END AS LastName,
         CASE WHEN a.CamperID IS NULL THEN ''Code '' || t.CamperID ELSE a.FirstName END AS FirstName,
         SUM(CASE WHEN t.Kind = ''Charge'' THEN t.Units ELSE 0 END) / 10000.0 AS Charges,
         SUM(CASE WHEN t.Kind = ''Credit'' THEN -t.Units ELSE 0 END) / 10000.0 AS Credits,
         SUM(CASE WHEN t.Kind = ''Payment'' THEN -t.Units ELSE 0 END) / 10000.0 AS Payments,
         SUM(t.Units) / 10000.0 AS Balance,
         CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeLedger t LEFT JOIN Attendees a ON a.CamperID = t.CamperID
  LEFT JOIN Sessions s ON s.SessionID = t.SessionID
  GROUP BY t.SessionID, t.CamperID',
 'SessionBegin IS NULL, SessionBegin, SessionID, LastName, FirstName, CamperID', '', 'All sessions', 'List', 'Portrait'),

('SessionAPLedgerReport', 'Accounts Payable Ledger',
 'SELECT t.SessionID AS SessionID, t.PaymentID, t.ChaperoneID,
         CASE WHEN c.ChaperoneID IS NULL THEN ''(deleted chaperone)'' ELSE c.LastName END AS LastName,
         CASE WHEN c.ChaperoneID IS NULL THEN ''Code '' || t.ChaperoneID ELSE c.FirstName END AS FirstName, t.DatePaid, t.CheckNo,
         CASE WHEN t.Kind = ''Invoice'' THEN CAST(t.AmountPaid AS REAL) END AS Invoiced,
         CASE WHEN t.Kind = ''Credit'' THEN CAST(-t.AmountPaid AS REAL) END AS Credits,
         CASE WHEN t.Kind = ''Payment'' THEN CAST(-t.AmountPaid AS REAL) END AS Paid,
         CAST(t.AmountPaid AS REAL) AS Balance,
         CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM ChaperoneLedger t LEFT JOIN Chaperones c ON c.ChaperoneID = t.ChaperoneID
  LEFT JOIN Sessions s ON s.SessionID = t.SessionID',
 'LastName, FirstName, ChaperoneID, DatePaid, PaymentID',
 'Session [SessionID]: [SessionDescription]{, [SessionBegin] to [SessionEnd]}', 'Session totals', 'List', 'Portrait'),

('APReport', 'Accounts Payable',
 'SELECT t.SessionID AS SessionID, t.ChaperoneID,
         CASE WHEN c.ChaperoneID IS NULL THEN ''(deleted chaperone)'' ELSE c.LastName END AS LastName,
         CASE WHEN c.ChaperoneID IS NULL THEN ''Code '' || t.ChaperoneID ELSE c.FirstName END AS FirstName,
         SUM(CASE WHEN t.Kind = ''Invoice'' THEN t.Units ELSE 0 END) / 10000.0 AS Invoiced,
         SUM(CASE WHEN t.Kind = ''Credit'' THEN -t.Units ELSE 0 END) / 10000.0 AS Credits,
         SUM(CASE WHEN t.Kind = ''Payment'' THEN -t.Units ELSE 0 END) / 10000.0 AS Paid,
         SUM(t.Units) / 10000.0 AS Balance,
         CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM ChaperoneLedger t LEFT JOIN Chaperones c ON c.ChaperoneID = t.ChaperoneID
  LEFT JOIN Sessions s ON s.SessionID = t.SessionID
  GROUP BY t.SessionID, t.ChaperoneID',
 'SessionBegin IS NULL, SessionBegin, SessionID, LastName, FirstName, ChaperoneID', '', 'All sessions', 'List', 'Portrait'),

('AttendeesInfo', 'Attendee Details',
 'SELECT a.*, x.LineKind, x.LineSession, x.LineDescription, x.LineType, x.LineEntry, x.LineDate,
         x.LineAmount, x.LineBalance
  FROM Attendees a LEFT JOIN (
    SELECT e.CamperID AS LineCamper, 1 AS LineKind, e.SessionID AS LineSession,
           CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END AS LineDescription, e.SessionType AS LineType, ''Enrolled'' AS LineEntry,
           s.BeginDate AS LineDate, NULL AS LineAmount, CAST(e.BalanceDue AS REAL) AS LineBalance
    FROM AttendeeSession e LEFT JOIN Sessions s ON s.SessionID = e.SessionID
    UNION ALL
    SELECT t.CamperID, 2, t.SessionID, CASE WHEN s.SessionID IS NULL THEN ''(deleted session)'' ELSE s.Description END, NULL, t.CheckNo, t.DatePaid, CAST(t.AmountPaid AS REAL), NULL
    FROM AttendeeTrx t LEFT JOIN Sessions s ON s.SessionID = t.SessionID
  ) x ON x.LineCamper = a.CamperID',
 'LastName, FirstName, CamperID, LineKind, LineSession, LineDate', '', '', 'List', 'Portrait'),

('PositionReport', 'Position Report',
 'SELECT e.SessionID AS SessionID,
         CASE WHEN t.TeamID IS NULL THEN ''(on no team)'' ELSE COALESCE(NULLIF(t.LeagueName, ''''), ''(no league)'') END AS TeamLeague,
         t.TeamID IS NULL AS OnNoTeam,
         a.NormalPosition AS Position, p.Description AS PositionDescription, COUNT(*) AS Number,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeSession e JOIN Attendees a ON a.CamperID = e.CamperID
  JOIN Sessions s ON s.SessionID = e.SessionID
  LEFT JOIN Teams t ON t.TeamID = e.TeamID AND t.SessionID = e.SessionID
  LEFT JOIN Positions p ON p.APosition = a.NormalPosition
  GROUP BY e.SessionID, TeamLeague, a.NormalPosition',
 'OnNoTeam, TeamLeague, Position',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', 'All leagues', 'List', 'Portrait'),

('TshirtReport', 'T-Shirt Report',
 'SELECT e.SessionID AS SessionID, a.CamperID, COALESCE(NULLIF(a.ShirtSize, ''''), ''(none)'') AS ShirtSize,
         z.ShirtSizeDescription, a.LastName, a.FirstName,
         s.Description AS SessionDescription, s.BeginDate AS SessionBegin, s.EndDate AS SessionEnd
  FROM AttendeeSession e JOIN Attendees a ON a.CamperID = e.CamperID
  JOIN Sessions s ON s.SessionID = e.SessionID
  LEFT JOIN ShirtSize z ON z.ShirtSize = a.ShirtSize',
 'ShirtSize, LastName, FirstName, CamperID',
 '[SessionDescription]: [SessionBegin] to [SessionEnd]', '[Count] shirts in all', 'List', 'Portrait'),

('ConfirmationLetters', 'Confirmation Letters',
 'SELECT l.*, (SELECT ConfirmationLetterText FROM CoSys LIMIT 1) AS LetterText, l.Signature AS Closing
  FROM LetterAddresses l',
 'LastName, FirstName, CamperID', '', '', 'Letter', 'Portrait'),

('ThankYouLetters', 'Thank You Letters',
 'SELECT l.*, (SELECT ThankYouLetterText FROM CoSys LIMIT 1) AS LetterText, l.Signature AS Closing
  FROM LetterAddresses l',
 'LastName, FirstName, CamperID', '', '', 'Letter', 'Portrait');

INSERT INTO ReportGroups (ReportName, GroupLevel, GroupField, HeaderText, FooterText, NewPage) VALUES
('TeamRoster', 1, 'TeamID', '[LeagueName]: [TeamName]      Chaperone: [Chaperone]', '[Count] members', 0),
('RoomListByRoom', 1, 'RoomID', '[HotelName], room [RoomNumber]: [NumberInRoom] places, [NumberAvailable] free', '[Count] in the room', 0),
('CheckInListByType', 1, 'SessionType', 'Type [SessionType]: [TypeDescription]', '[Count] of type [SessionType]', 0),
('SessionLedgerReport', 1, 'CamperID', '[LastName], [FirstName]', 'Balance of [LastName], [FirstName]', 0),
('ARReport', 1, 'SessionID', 'Session [SessionID]: [SessionDescription]{, [SessionBegin] to [SessionEnd]}', 'Total of session [SessionID]', 0),
('SessionAPLedgerReport', 1, 'ChaperoneID', '[LastName], [FirstName]', 'Balance of [LastName], [FirstName]', 0),
('APReport', 1, 'SessionID', 'Session [SessionID]: [SessionDescription]{, [SessionBegin] to [SessionEnd]}', 'Total of session [SessionID]', 0),
('AttendeesInfo', 1, 'CamperID', '[LastName], [FirstName] [MiddleInitial]', 'Totals', -1),
('PositionReport', 1, 'TeamLeague', '[TeamLeague]', 'Total of [TeamLeague]', 0),
('TshirtReport', 1, 'ShirtSize', 'Size [ShirtSize] [ShirtSizeDescription]', '[Count] shirts of size [ShirtSize]', 0);

INSERT INTO ReportColumns (ReportName, Band, ColumnOrder, FieldName, Caption, Width, Alignment, DisplayFormat, Total) VALUES
('TeamRoster', 'Detail', 1, 'LastName', 'Last Name', 120, 'Left', '', 0),
('TeamRoster', 'Detail', 2, 'FirstName', 'First Name', 100, 'Left', '', 0),
('TeamRoster', 'Detail', 3, 'NormalPosition', 'Position', 60, 'Left', '', 0),
('TeamRoster', 'Detail', 4, 'PositionDescription', 'Description', 120, 'Left', '', 0),
('TeamRoster', 'Detail', 5, 'Grade', 'Grade', 40, 'Right', '', 0),
('TeamRoster', 'Detail', 6, 'Phone', 'Phone', 100, 'Left', '', 0),

('RoomList', 'Detail', 1, 'LastName', 'Last Name', 140, 'Left', '', 0),
('RoomList', 'Detail', 2, 'FirstName', 'First Name', 120, 'Left', '', 0),
('RoomList', 'Detail', 3, 'SessionType', 'Type', 40, 'Left', '', 0),
('RoomList', 'Detail', 4, 'HotelName', 'Hotel', 160, 'Left', '', 0),
('RoomList', 'Detail', 5, 'RoomNumber', 'Room', 80, 'Left', '', 0),

('RoomListByRoom', 'Detail', 1, 'LastName', 'Last Name', 200, 'Left', '', 0),
('RoomListByRoom', 'Detail', 2, 'FirstName', 'First Name', 200, 'Left', '', 0),
('RoomListByRoom', 'Detail', 3, 'SessionType', 'Type', 60, 'Left', '', 0),

('CheckInList', 'Detail', 1, 'LastName', 'Last Name', 130, 'Left', '', 0),
('CheckInList', 'Detail', 2, 'FirstName', 'First Name', 110, 'Left', '', 0),
('CheckInList', 'Detail', 3, 'SessionType', 'Type', 40, 'Left', '', 0),
('CheckInList', 'Detail', 4, 'ParentalReleaseOnFile', 'Parental Release', 80, 'Center', 'On file;Missing', 0),
('CheckInList', 'Detail', 5, 'DoctorReleaseOnFile', 'Doctor''s Release', 80, 'Center', 'On file;Missing', 0),
('CheckInList', 'Detail', 6, 'BalanceDue', 'Balance Due', 70, 'Right', '$,0.00', 0),
('CheckInList', 'Detail', 7, 'CheckedIn', 'In', 30, 'Center', '', 0),

('SessionAttendeeList', 'Detail', 1, 'LastName', 'Last Name', 120, 'Left', '', 0),
('SessionAttendeeList', 'Detail', 2, 'FirstName', 'First Name', 100, 'Left', '', 0),
('SessionAttendeeList', 'Detail', 3, 'SessionType', 'Type', 40, 'Left', '', 0),
('SessionAttendeeList', 'Detail', 4, 'DOB', 'Date of Birth', 70, 'Left', 'mm/dd/yyyy', 0),
('SessionAttendeeList', 'Detail', 5, 'Grade', 'Grade', 40, 'Right', '', 0),
('SessionAttendeeList', 'Detail', 6, 'City', 'City', 80, 'Left', '', 0),
('SessionAttendeeList', 'Detail', 7, 'Phone', 'Phone', 90, 'Left', '', 0),

('Attendees', 'Detail', 1, 'LastName', 'Last Name', 110, 'Left', '', 0),
('Attendees', 'Detail', 2, 'FirstName', 'First Name', 90, 'Left', '', 0),
('Attendees', 'Detail', 3, 'MiddleInitial', 'MI', 20, 'Left', '', 0),
('Attendees', 'Detail', 4, 'Address', 'Address', 146, 'Left', '', 0),
('Attendees', 'Detail', 5, 'City', 'City', 90, 'Left', '', 0),
('Attendees', 'Detail', 6, 'State', 'State', 34, 'Left', '', 0),
('Attendees', 'Detail', 7, 'ZipCode', 'Zip', 60, 'Left', '', 0),
('Attendees', 'Detail', 8, 'Phone', 'Phone', 90, 'Left', '', 0),
('Attendees', 'Detail', 9, 'DOB', 'Date of Birth', 70, 'Left', 'mm/dd/yyyy', 0),

('Chaperones', 'Detail', 1, 'LastName', 'Last Name', 100, 'Left', '', 0),
('Chaperones', 'Detail', 2, 'FirstName', 'First Name', 80, 'Left', '', 0),
('Chaperones', 'Detail', 3, 'Address', 'Address', 110, 'Left', '', 0),
('Chaperones', 'Detail', 4, 'City', 'City', 85, 'Left', '', 0),
('Chaperones', 'Detail', 5, 'State', 'State', 34, 'Left', '', 0),
('Chaperones', 'Detail', 6, 'ZipCode', 'Zip', 45, 'Left', '', 0),
('Chaperones', 'Detail', 7, 'Phone', 'Phone', 82, 'Left', '', 0),
('Chaperones', 'Detail', 8, 'EmailAddress', 'E-mail', 184, 'Left', '', 0),

('SessionLedgerReport', 'Detail', 1, 'DatePaid', 'Date', 70, 'Left', 'mm/dd/yyyy', 0),
('SessionLedgerReport', 'Detail', 2, 'CheckNo', 'Check / Entry', 110, 'Left', '', 0),
('SessionLedgerReport', 'Detail', 3, 'Charges', 'Charges', 90, 'Right', '$,0.00', -1),
('SessionLedgerReport', 'Detail', 4, 'Credits', 'Credits', 90, 'Right', '$,0.00', -1),
('SessionLedgerReport', 'Detail', 5, 'Payments', 'Payments', 90, 'Right', '$,0.00', -1),

('ARReport', 'Detail', 1, 'LastName', 'Last Name', 117, 'Left', '', 0),
('ARReport', 'Detail', 2, 'FirstName', 'First Name', 95, 'Left', '', 0),
('ARReport', 'Detail', 3, 'Charges', 'Charges', 82, 'Right', '$,0.00', -1),
('ARReport', 'Detail', 4, 'Credits', 'Credits', 82, 'Right', '$,0.00', -1),
('ARReport', 'Detail', 5, 'Payments', 'Payments', 82, 'Right', '$,0.00', -1),
('ARReport', 'Detail', 6, 'Balance', 'Balance', 82, 'Right', '$,0.00', -1),

('SessionAPLedgerReport', 'Detail', 1, 'DatePaid', 'Date', 70, 'Left', 'mm/dd/yyyy', 0),
('SessionAPLedgerReport', 'Detail', 2, 'CheckNo', 'Check / Entry', 110, 'Left', '', 0),
('SessionAPLedgerReport', 'Detail', 3, 'Invoiced', 'Invoiced', 90, 'Right', '$,0.00', -1),
('SessionAPLedgerReport', 'Detail', 4, 'Credits', 'Credits', 90, 'Right', '$,0.00', -1),
('SessionAPLedgerReport', 'Detail', 5, 'Paid', 'Paid', 90, 'Right', '$,0.00', -1),

('APReport', 'Detail', 1, 'LastName', 'Last Name', 117, 'Left', '', 0),
('APReport', 'Detail', 2, 'FirstName', 'First Name', 95, 'Left', '', 0),
('APReport', 'Detail', 3, 'Invoiced', 'Invoiced', 82, 'Right', '$,0.00', -1),
('APReport', 'Detail', 4, 'Credits', 'Credits', 82, 'Right', '$,0.00', -1),
('APReport', 'Detail', 5, 'Paid', 'Paid', 82, 'Right', '$,0.00', -1),
('APReport', 'Detail', 6, 'Balance', 'Balance', 82, 'Right', '$,0.00', -1),

('PositionReport', 'Detail', 1, 'Position', 'Position', 100, 'Left', '', 0),
('PositionReport', 'Detail', 2, 'PositionDescription', 'Description', 240, 'Left', '', 0),
('PositionReport', 'Detail', 3, 'Number', 'Number', 80, 'Right', '0', -1),

('TshirtReport', 'Detail', 1, 'LastName', 'Last Name', 200, 'Left', '', 0),
('TshirtReport', 'Detail', 2, 'FirstName', 'First Name', 200, 'Left', '', 0),

('ConfirmationLetters', 'Address', 1, 'AddressName', '', 0, 'Left', '', 0),
('ConfirmationLetters', 'Address', 2, 'Address', '', 0, 'Left', '', 0),
('ConfirmationLetters', 'Address', 3, 'CityLine', '', 0, 'Left', '', 0),
('ConfirmationLetters', 'Detail', 4, 'Salutation', '', 0, 'Left', '', 0),
('ConfirmationLetters', 'Detail', 5, '', 'This letter confirms that [FirstName] [LastName] is enrolled in [SessionDescription]{, from [SessionBegin] to [SessionEnd]}.', 0, 'Left', 'mmmm d, yyyy', 0),
('ConfirmationLetters', 'Detail', 6, 'LetterText', '', 0, 'Left', '', 0),
('ConfirmationLetters', 'Detail', 7, 'Closing', '', 0, 'Left', '', 0),

('ThankYouLetters', 'Address', 1, 'AddressName', '', 0, 'Left', '', 0),
('ThankYouLetters', 'Address', 2, 'Address', '', 0, 'Left', '', 0),
('ThankYouLetters', 'Address', 3, 'CityLine', '', 0, 'Left', '', 0),
('ThankYouLetters', 'Detail', 4, 'Salutation', '', 0, 'Left', '', 0),
('ThankYouLetters', 'Detail', 5, '', 'Thank you for sending [FirstName] [LastName] to [SessionDescription]{, from [SessionBegin] to [SessionEnd]}.', 0, 'Left', 'mmmm d, yyyy', 0),
('ThankYouLetters', 'Detail', 6, 'LetterText', '', 0, 'Left', '', 0),
('ThankYouLetters', 'Detail', 7, 'Closing', '', 0, 'Left', '', 0),

('AttendeesInfo', 'Card', 1, '', 'Personal', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 2, 'FirstName', 'First Name', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 3, 'LastName', 'Last Name', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 4, 'MiddleInitial', 'Middle Initial', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 5, 'SSN', 'SSN', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 6, 'Address', 'Address', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 7, 'City', 'City', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 8, 'State', 'State', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 9, 'ZipCode', 'Zip Code', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 10, 'Phone', 'Phone', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 11, 'EmailAddress', 'E-mail', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 12, 'DOB', 'Date Of Birth', 0, 'Left', 'mm/dd/yyyy', 0),
('AttendeesInfo', 'Card', 13, 'School', 'School', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 14, 'Grade', 'Grade', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 15, 'Height', 'Height', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 16, 'Weight', 'Weight', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 17, 'ShirtSize', 'Shirt Size', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 18, 'NormalPosition', 'Position', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 19, 'League', 'League', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 20, '', 'Family / Guardian', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 21, 'FatherSalutation', 'Father''s Salutation', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 22, 'FatherName', 'Father', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 23, 'FatherWorkPhone', 'Father''s Work Phone', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 24, 'FatherEmailAddress', 'Father''s E-mail', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 25, 'FatherEmployer', 'Father''s Employer', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 26, 'MotherSalutation', 'Mother''s Salutation', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 27, 'MotherName', 'Mother', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 28, 'MotherWorkPhone', 'Mother''s Work Phone', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 29, 'MotherEmailAddress', 'Mother''s E-mail', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 30, 'MotherEmployer', 'Mother''s Employer', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 31, 'LivesWith', 'Lives With', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 32, 'EmergencySalutation', 'Emergency Salutation', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 33, 'EmergencyContact', 'Emergency Contact', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 34, 'EmergencyPhone', 'Emergency Phone', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 35, 'InsuranceCompany', 'Insurance Company', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 36, 'InsurancePolicyNumber', 'Policy Number', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 37, '', 'Releases', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 38, 'ParentalReleaseOnFile', 'Parental Release on File', 0, 'Left', 'Yes;No', 0),
('AttendeesInfo', 'Card', 39, 'DateOfParentalRelease', 'Date of Parental Release', 0, 'Left', 'mm/dd/yyyy', 0),
('AttendeesInfo', 'Card', 40, 'ParentalReleaseByWhom', 'Parental Release By', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 41, 'DoctorReleaseOnFile', 'Doctor''s Release on File', 0, 'Left', 'Yes;No', 0),
('AttendeesInfo', 'Card', 42, 'DateOfDoctorRelease', 'Date of Doctor''s Release', 0, 'Left', 'mm/dd/yyyy', 0),
('AttendeesInfo', 'Card', 43, 'DoctorReleaseByWhom', 'Doctor''s Release By', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 44, 'Comments', 'Comments', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 45, '', 'Medical', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 46, 'Allergies', 'Allergies', 0, 'Left', 'Yes;No', 0),
('AttendeesInfo', 'Card', 47, 'AllergicTo', 'Allergic To', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 48, 'GlassesContacts', 'Glasses or Contacts', 0, 'Left', 'Yes;No', 0),
('AttendeesInfo', 'Card', 49, 'KnownIllnessOneWeekDuration', 'Illness of a Week or More', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 50, 'BirthDeformities', 'Birth Deformities', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 51, 'MedicalConditionsBeingTreated', 'Conditions Being Treated', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 52, 'PreExistingInjuriesBeingTreated', 'Injuries Being Treated', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 53, 'FracturesDisibility', 'Fractures / Disability', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 54, 'MentalConvulsions', 'Convulsions', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 55, '', 'Financial', 0, 'Left', '', 0),
('AttendeesInfo', 'Card', 56, 'TotalCharged', 'Total Charged', 0, 'Left', '$,0.00', 0),
('AttendeesInfo', 'Card', 57, 'TotalCredits', 'Total Credits', 0, 'Left', '$,0.00', 0),
('AttendeesInfo', 'Card', 58, 'BalanceDue', 'Balance Due', 0, 'Left', '$,0.00', 0),
('AttendeesInfo', 'Card', 59, '', 'Sessions and Payments', 0, 'Left', '', 0),
('AttendeesInfo', 'Detail', 60, 'LineSession', 'Session', 50, 'Right', '', 0),
('AttendeesInfo', 'Detail', 61, 'LineDescription', 'Description', 150, 'Left', '', 0),
('AttendeesInfo', 'Detail', 62, 'LineType', 'Type', 40, 'Left', '', 0),
('AttendeesInfo', 'Detail', 63, 'LineEntry', 'Entry', 100, 'Left', '', 0),
('AttendeesInfo', 'Detail', 64, 'LineDate', 'Date', 70, 'Left', 'mm/dd/yyyy', 0),
('AttendeesInfo', 'Detail', 65, 'LineAmount', 'Amount', 65, 'Right', '$,0.00', -1),
('AttendeesInfo', 'Detail', 66, 'LineBalance', 'Balance Due', 65, 'Right', '$,0.00', -1);

-- The check-in list by type prints the check-in list's columns.
INSERT INTO ReportColumns (ReportName, Band, ColumnOrder, FieldName, Caption, Width, Alignment, DisplayFormat, Total)
SELECT 'CheckInListByType', Band, ColumnOrder, FieldName, Caption, Width, Alignment, DisplayFormat, Total
FROM ReportColumns WHERE ReportName = 'CheckInList';

-- The ledgers' balance: the person's balance so far, their footers the person's and the session's.
INSERT INTO ReportColumns (ReportName, Band, ColumnOrder, FieldName, Caption, Width, Alignment, DisplayFormat, Total, RunningSum) VALUES
('SessionLedgerReport', 'Detail', 6, 'Balance', 'Balance', 90, 'Right', '$,0.00', -1, -1),
('SessionAPLedgerReport', 'Detail', 6, 'Balance', 'Balance', 90, 'Right', '$,0.00', -1, -1);
