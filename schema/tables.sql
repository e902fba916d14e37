-- Tables of the camp database, columns in the order the program's persistent field lists expect.
-- Declared types name the field class the data layer gives each column (YESNO holds -1/0,
-- DATETIME a day number since 1899-12-30); text compares without regard to letter case.

CREATE TABLE CoSys (
  CompanyName            TEXT COLLATE NOCASE,
  DirectorName           TEXT COLLATE NOCASE,
  Address                TEXT COLLATE NOCASE,
  City                   TEXT COLLATE NOCASE,
  State                  TEXT COLLATE NOCASE,
  ZipCode                TEXT COLLATE NOCASE,
  PhoneNumber            TEXT COLLATE NOCASE,
  FaxNumber              TEXT COLLATE NOCASE,
  EmailAddress           TEXT COLLATE NOCASE,
  Attendees              TEXT COLLATE NOCASE,
  AttendeesP             TEXT COLLATE NOCASE,
  Chaperones             TEXT COLLATE NOCASE,
  ChaperonesP            TEXT COLLATE NOCASE,
  Sessions               TEXT COLLATE NOCASE,
  SessionsP              TEXT COLLATE NOCASE,
  AgeGroups              TEXT COLLATE NOCASE,
  AgeGroupsP             TEXT COLLATE NOCASE,
  Teams                  TEXT COLLATE NOCASE,
  TeamsP                 TEXT COLLATE NOCASE,
  AgeToRemoveAttendees   INTEGER DEFAULT 0,
  ConfirmationLetterText LONGTEXT COLLATE NOCASE,
  ThankYouLetterText     LONGTEXT COLLATE NOCASE
);

CREATE TABLE Attendees (
  CamperID                        INTEGER PRIMARY KEY AUTOINCREMENT,
  LastName                        VARCHAR(25) COLLATE NOCASE,
  FirstName                       VARCHAR(25) COLLATE NOCASE,
  MiddleInitial                   VARCHAR(1) COLLATE NOCASE,
  SSN                             VARCHAR(11) COLLATE NOCASE,
  Address                         VARCHAR(100) COLLATE NOCASE,
  City                            VARCHAR(50) COLLATE NOCASE,
  State                           VARCHAR(2) COLLATE NOCASE,
  ZipCode                         VARCHAR(12) COLLATE NOCASE,
  Phone                           VARCHAR(15) COLLATE NOCASE,
  EmailAddress                    VARCHAR(75) COLLATE NOCASE,
  DOB                             DATETIME,
  Grade                           INTEGER,
  School                          VARCHAR(50) COLLATE NOCASE,
  ShirtSize                       VARCHAR(10) COLLATE NOCASE,
  Height                          VARCHAR(10) COLLATE NOCASE,
  Weight                          INTEGER,
  NormalPosition                  VARCHAR(50) COLLATE NOCASE,
  FatherSalutation                VARCHAR(15) COLLATE NOCASE,
  FatherName                      VARCHAR(100) COLLATE NOCASE,
  FatherWorkPhone                 VARCHAR(15) COLLATE NOCASE,
  FatherEmailAddress              VARCHAR(75) COLLATE NOCASE,
  FatherEmployer                  VARCHAR(50) COLLATE NOCASE,
  MotherSalutation                VARCHAR(15) COLLATE NOCASE,
  MotherName                      VARCHAR(100) COLLATE NOCASE,
  MotherWorkPhone                 VARCHAR(15) COLLATE NOCASE,
  MotherEmailAddress              VARCHAR(75) COLLATE NOCASE,
  MotherEmployer                  VARCHAR(50) COLLATE NOCASE,
  LivesWith                       VARCHAR(100) COLLATE NOCASE,
  EmergencySalutation             VARCHAR(15) COLLATE NOCASE,
  EmergencyContact                VARCHAR(100) COLLATE NOCASE,
  EmergencyPhone                  VARCHAR(15) COLLATE NOCASE,
  InsuranceCompany                VARCHAR(50) COLLATE NOCASE,
  InsurancePolicyNumber           VARCHAR(50) COLLATE NOCASE,
  TotalCharged                    CURRENCY DEFAULT 0,
  TotalCredits                    CURRENCY DEFAULT 0,
  BalanceDue                      CURRENCY DEFAULT 0,
  ParentalReleaseOnFile           YESNO DEFAULT 0,
  DateOfParentalRelease           DATETIME,
  ParentalReleaseByWhom           VARCHAR(100) COLLATE NOCASE,
  DoctorReleaseOnFile             YESNO DEFAULT 0,
  DateOfDoctorRelease             DATETIME,
  DoctorReleaseByWhom             VARCHAR(100) COLLATE NOCASE,
  Allergies                       YESNO DEFAULT 0,
  AllergicTo                      VARCHAR(255) COLLATE NOCASE,
  GlassesContacts                 YESNO DEFAULT 0,
  KnownIllnessOneWeekDuration     VARCHAR(255) COLLATE NOCASE,
  BirthDeformities                VARCHAR(255) COLLATE NOCASE,
  MedicalConditionsBeingTreated   VARCHAR(255) COLLATE NOCASE,
  PreExistingInjuriesBeingTreated VARCHAR(255) COLLATE NOCASE,
  FracturesDisibility             VARCHAR(255) COLLATE NOCASE,
  MentalConvulsions               VARCHAR(255) COLLATE NOCASE,
  League                          VARCHAR(25) COLLATE NOCASE,
  Comments                        VARCHAR(255) COLLATE NOCASE
);

CREATE TABLE Chaperones (
  ChaperoneID      INTEGER PRIMARY KEY AUTOINCREMENT,
  FirstName        VARCHAR(25) COLLATE NOCASE,
  LastName         VARCHAR(25) COLLATE NOCASE,
  MiddleInitial    VARCHAR(1) COLLATE NOCASE,
  SSN              VARCHAR(11) COLLATE NOCASE,
  Address          VARCHAR(100) COLLATE NOCASE,
  City             VARCHAR(50) COLLATE NOCASE,
  State            VARCHAR(2) COLLATE NOCASE,
  ZipCode          VARCHAR(12) COLLATE NOCASE,
  Phone            VARCHAR(15) COLLATE NOCASE,
  EmailAddress     VARCHAR(75) COLLATE NOCASE,
  ShirtSize        VARCHAR(5) COLLATE NOCASE,
  School           VARCHAR(50) COLLATE NOCASE,
  SchoolPhone      VARCHAR(15) COLLATE NOCASE,
  SchoolJob        VARCHAR(50) COLLATE NOCASE,
  TotalOwed        CURRENCY DEFAULT 0,
  TotalPaid        CURRENCY DEFAULT 0,
  BalanceOwed      CURRENCY DEFAULT 0,
  SalaryPerSession DOUBLE
);

-- Nothing in the program switches a session on, and the sessions query lists active ones only:
-- a new session therefore starts active and is made inactive by the start-up pass.
CREATE TABLE Sessions (
  SessionID       INTEGER PRIMARY KEY AUTOINCREMENT,
  Description     VARCHAR(50) COLLATE NOCASE,
  BeginDate       DATETIME,
  EndDate         DATETIME,
  BeginTime       VARCHAR(10) COLLATE NOCASE,
  EndTime         VARCHAR(10) COLLATE NOCASE,
  CheckInDate     DATETIME,
  CheckInTime     VARCHAR(10) COLLATE NOCASE,
  CheckOutDate    DATETIME,
  CheckOutTime    VARCHAR(10) COLLATE NOCASE,
  Location        VARCHAR(50) COLLATE NOCASE,
  LocationAddress VARCHAR(50) COLLATE NOCASE,
  LocationCity    VARCHAR(50) COLLATE NOCASE,
  LocationState   VARCHAR(50) COLLATE NOCASE,
  LocationZip     VARCHAR(15) COLLATE NOCASE,
  TotalCost       CURRENCY,
  DepositAmount   CURRENCY,
  BalanceDueDate  DATETIME,
  TeamCamp        YESNO DEFAULT 0,
  Comments        VARCHAR(255) COLLATE NOCASE,
  SessionActive   YESNO DEFAULT -1
);

-- One enrolment per person and session, whatever its type.
CREATE TABLE AttendeeSession (
  SessionID         INTEGER,
  CamperID          INTEGER,
  SessionType       VARCHAR(1) COLLATE NOCASE,
  AttendeeRequestID INTEGER,
  TeammateRequestID INTEGER,
  TotalCosts        CURRENCY DEFAULT 0,
  AmountPaid        CURRENCY DEFAULT 0,
  BalanceDue        CURRENCY DEFAULT 0,
  RoomID            INTEGER,
  TeamID            INTEGER,
  UNIQUE (SessionID, CamperID)
);

CREATE TABLE ChaperoneSession (
  SessionID   INTEGER,
  ChaperoneID INTEGER,
  SessionType VARCHAR(1) COLLATE NOCASE,
  TotalFee    CURRENCY DEFAULT 0,
  AmountPaid  CURRENCY DEFAULT 0,
  BalanceOwed CURRENCY DEFAULT 0,
  RoomID      INTEGER,
  UNIQUE (SessionID, ChaperoneID)
);

CREATE TABLE AttendeeTrx (
  PaymentID  INTEGER PRIMARY KEY AUTOINCREMENT,
  CamperID   INTEGER,
  SessionID  INTEGER,
  AmountPaid CURRENCY,
  CheckNo    TEXT COLLATE NOCASE,
  DatePaid   DATETIME
);

CREATE TABLE ChaperoneTrx (
  PaymentID   INTEGER PRIMARY KEY AUTOINCREMENT,
  ChaperoneID INTEGER,
  SessionID   INTEGER,
  AmountPaid  CURRENCY,
  DatePaid    DATETIME,
  CheckNo     VARCHAR(25) COLLATE NOCASE
);

-- A chaperone's invoice for a session enters the pay list once: the refusal of a second
-- entry is what tells the user "You can't pay the same invoice twice.".
CREATE TABLE PayChaperones (
  ChaperoneID INTEGER,
  SessionID   INTEGER,
  Amount      CURRENCY,
  UNIQUE (ChaperoneID, SessionID)
);

CREATE TABLE Rooms (
  RoomID          INTEGER PRIMARY KEY AUTOINCREMENT,
  SessionID       INTEGER,
  HotelName       TEXT COLLATE NOCASE,
  RoomNumber      TEXT COLLATE NOCASE,
  NumberInRoom    INTEGER,
  NumberAvailable INTEGER
);

CREATE TABLE CoachesRooms (
  RoomID          INTEGER PRIMARY KEY AUTOINCREMENT,
  SessionID       INTEGER,
  HotelName       TEXT COLLATE NOCASE,
  RoomNumber      TEXT COLLATE NOCASE,
  NumberInRoom    INTEGER,
  NumberAvailable INTEGER
);

CREATE TABLE Teams (
  TeamID     INTEGER PRIMARY KEY AUTOINCREMENT,
  SessionID  INTEGER,
  LeagueName TEXT COLLATE NOCASE,
  TeamName   TEXT COLLATE NOCASE,
  Chaperone  TEXT COLLATE NOCASE
);

-- The league editor reports a refused save as a blank or an existing name.
CREATE TABLE Leagues (
  SessionID   INTEGER,
  LeagueName  TEXT COLLATE NOCASE NOT NULL CHECK (LeagueName <> ''),
  AddBy       TEXT COLLATE NOCASE,
  BeginRange  INTEGER,
  EndRange    INTEGER,
  Coordinator TEXT COLLATE NOCASE,
  UNIQUE (SessionID, LeagueName)
);

CREATE TABLE DefaultLeagues (
  LeagueName      TEXT COLLATE NOCASE UNIQUE,
  BeginAgeRange   INTEGER,
  EndAgeRange     INTEGER,
  BeginGradeRange INTEGER,
  EndGradeRange   INTEGER
);

CREATE TABLE Positions (
  APosition    TEXT COLLATE NOCASE UNIQUE,
  Description  TEXT COLLATE NOCASE,
  NumberOnTeam INTEGER
);

CREATE TABLE ShirtSize (
  ShirtSize            TEXT COLLATE NOCASE UNIQUE,
  ShirtSizeDescription TEXT COLLATE NOCASE
);

CREATE TABLE SessionType (
  Type           VARCHAR(1) COLLATE NOCASE UNIQUE,
  Description    TEXT COLLATE NOCASE,
  TotalCosts     CURRENCY,
  DepositAmount  CURRENCY,
  PerRoomMaximum INTEGER
);

CREATE TABLE SessionSessionTypes (
  SessionID      INTEGER,
  Type           VARCHAR(1) COLLATE NOCASE,
  Description    TEXT COLLATE NOCASE,
  TotalCosts     CURRENCY,
  DepositAmount  CURRENCY,
  PerRoomMaximum INTEGER,
  UNIQUE (SessionID, Type)
);

CREATE TABLE ZipCodes (
  Zip   TEXT COLLATE NOCASE,
  City  TEXT COLLATE NOCASE,
  State TEXT COLLATE NOCASE
);
