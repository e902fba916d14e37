// The camp generator: the schema from schema/, then rows written in one transaction through
// prepared statements, with values drawn from fixed lists by a seeded generator.
#include "camp_generator.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "schema/CampSchema.h"

namespace vt {

namespace {

const char* const kLastNames[] = {"Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller",
                                  "Davis", "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez",
                                  "Wilson", "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "O'Brien"};
const char* const kFirstNames[] = {"James", "Mary", "Robert", "Patricia", "John", "Jennifer", "Michael",
                                   "Linda", "David", "Elizabeth", "William", "Barbara", "Richard", "Susan"};
const char* const kCities[] = {"Springfield", "Riverside", "Franklin", "Greenville", "Bristol", "Clinton",
                               "Fairview", "Salem", "Madison", "Georgetown"};
const char* const kStates[] = {"MA", "TX", "OH", "CA", "NY", "GA", "IL", "WA"};
const char* const kSchools[] = {"Lincoln Middle School", "Washington High School", "Jefferson Academy",
                                "Roosevelt Elementary", "Kennedy Prep"};
const char* const kShirts[] = {"YS", "YM", "YL", "S", "M", "L", "XL"};
const char* const kPositions[] = {"Guard", "Forward", "Center"};
const char* const kEmployers[] = {"City Hospital", "First National Bank", "County Schools", "Acme Tools",
                                  "Self-employed"};

class Generator {
 public:
  explicit Generator(sqlite3* db) : db_(db), random_(20030528) {}

  void Run(const CampSize& size) {
    Exec("BEGIN");
    Sessions(size.sessions);
    Attendees(size.attendees);
    Chaperones(size.chaperones);
    Enrolments(size);
    Ledger(size);
    Exec("COMMIT");
  }

 private:
  template <size_t N>
  const char* Pick(const char* const (&list)[N]) {
    return list[std::uniform_int_distribution<size_t>(0, N - 1)(random_)];
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Phone() {
    return "(" + std::to_string(Between(200, 989)) + ")" + std::to_string(Between(200, 999)) + "-" +
           std::to_string(Between(1000, 9999));
  }
  std::string Email(const std::string& first, const std::string& last) {
    return first + "." + last + std::to_string(Between(1, 99)) + "@example.org";
  }

  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db_));
  }

  // One prepared INSERT; Row binds values in order and steps.
  class Insert {
   public:
    Insert(sqlite3* db, const char* sql) : db_(db) {
      if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Insert() { sqlite3_finalize(statement_); }
    Insert& Text(const std::string& value) {
      sqlite3_bind_text(statement_, ++index_, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
      return *this;
    }
    Insert& Null() {
      sqlite3_bind_null(statement_, ++index_);
      return *this;
    }
    Insert& Integer(long long value) {
      sqlite3_bind_int64(statement_, ++index_, value);
      return *this;
    }
    Insert& Real(double value) {
      sqlite3_bind_double(statement_, ++index_, value);
      return *this;
    }
    void Row() {
      if (sqlite3_step(statement_) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
      sqlite3_reset(statement_);
      index_ = 0;
    }

   private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    int index_ = 0;
  };

  void Sessions(int count) {
    Insert insert(db_,
                  "INSERT INTO Sessions (Description, BeginDate, EndDate, BeginTime, EndTime, CheckInDate, "
                  "CheckInTime, CheckOutDate, CheckOutTime, Location, LocationAddress, LocationCity, "
                  "LocationState, LocationZip, TotalCost, DepositAmount, BalanceDueDate, TeamCamp, Comments, "
                  "SessionActive) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < count; ++i) {
      double begin = 45000 + i * 7;
      insert.Text("Camp week " + std::to_string(i + 1)).Real(begin).Real(begin + 5).Text("9:00A").Text("4:00P");
      insert.Real(begin).Text("8:00A").Real(begin + 5).Text("5:00P").Text(Pick(kSchools));
      insert.Text(std::to_string(Between(1, 999)) + " Main Street").Text(Pick(kCities)).Text(Pick(kStates));
      insert.Text(std::to_string(Between(10000, 99999))).Real(450).Real(100).Real(begin - 14);
      insert.Integer(i % 3 == 0 ? -1 : 0).Text("").Integer(i % 4 == 0 ? 0 : -1).Row();
    }
  }

  void Attendees(int count) {
    std::string sql = "INSERT INTO Attendees (LastName, FirstName, MiddleInitial, SSN, Address, City, State, "
                      "ZipCode, Phone, EmailAddress, DOB, Grade, School, ShirtSize, Height, Weight, "
                      "NormalPosition, FatherSalutation, FatherName, FatherWorkPhone, FatherEmailAddress, "
                      "FatherEmployer, MotherSalutation, MotherName, MotherWorkPhone, MotherEmailAddress, "
                      "MotherEmployer, LivesWith, EmergencySalutation, EmergencyContact, EmergencyPhone, "
                      "InsuranceCompany, InsurancePolicyNumber, TotalCharged, TotalCredits, BalanceDue, "
                      "ParentalReleaseOnFile, DateOfParentalRelease, ParentalReleaseByWhom, "
                      "DoctorReleaseOnFile, DateOfDoctorRelease, DoctorReleaseByWhom, Allergies, AllergicTo, "
                      "GlassesContacts, KnownIllnessOneWeekDuration, BirthDeformities, "
                      "MedicalConditionsBeingTreated, PreExistingInjuriesBeingTreated, FracturesDisibility, "
                      "MentalConvulsions, League, Comments) VALUES (?";
    for (int i = 1; i < 53; ++i) sql += ",?";
    Insert insert(db_, (sql + ")").c_str());
    for (int i = 0; i < count; ++i) {
      std::string last = Pick(kLastNames), first = Pick(kFirstNames), father = Pick(kFirstNames);
      std::string mother = Pick(kFirstNames);
      int grade = Between(3, 12);
      bool allergic = Between(0, 9) == 0;
      insert.Text(last).Text(first).Text(std::string(1, char('A' + i % 26)));
      insert.Text(std::to_string(Between(100, 899)) + "-" + std::to_string(Between(10, 99)) + "-" +
                  std::to_string(Between(1000, 9999)));
      insert.Text(std::to_string(Between(1, 9999)) + " Oak Avenue").Text(Pick(kCities)).Text(Pick(kStates));
      insert.Text(std::to_string(Between(10000, 99999))).Text(Phone()).Text(Email(first, last));
      insert.Real(45000 - (grade + 5) * 365.25 - Between(0, 364)).Integer(grade).Text(Pick(kSchools));
      insert.Text(Pick(kShirts)).Text(std::to_string(Between(4, 6)) + "'" + std::to_string(Between(0, 11)) + "\"");
      insert.Integer(Between(60, 200)).Text(Pick(kPositions));
      insert.Text("Mr.").Text(father + " " + last).Text(Phone()).Text(Email(father, last)).Text(Pick(kEmployers));
      insert.Text("Mrs.").Text(mother + " " + last).Text(Phone()).Text(Email(mother, last)).Text(Pick(kEmployers));
      insert.Text("Parents").Text("Mrs.").Text(mother + " " + last).Text(Phone());
      insert.Text("Blue Shield").Text("BS" + std::to_string(Between(100000, 999999)));
      double charged = Between(0, 3) * 450.0, credits = Between(0, 2) * 100.0;
      insert.Real(charged).Real(-credits).Real(charged - credits);
      insert.Integer(-1).Real(44900 + Between(0, 90)).Text(mother + " " + last);
      insert.Integer(Between(0, 1) ? -1 : 0).Real(44900 + Between(0, 90)).Text("Dr. Jones");
      insert.Integer(allergic ? -1 : 0).Text(allergic ? "Peanuts" : "").Integer(Between(0, 4) == 0 ? -1 : 0);
      for (int k = 0; k < 6; ++k) insert.Text(Between(0, 19) == 0 ? "Asthma, uses an inhaler" : "None");
      insert.Text(grade < 6 ? "Juniors" : grade < 9 ? "Intermediates" : "Seniors");
      if (Between(0, 4) == 0) insert.Text("Arrives a day late; parents will call the director.");
      else insert.Null();
      insert.Row();
    }
  }

  void Chaperones(int count) {
    Insert insert(db_,
                  "INSERT INTO Chaperones (FirstName, LastName, MiddleInitial, SSN, Address, City, State, "
                  "ZipCode, Phone, EmailAddress, ShirtSize, School, SchoolPhone, SchoolJob, TotalOwed, "
                  "TotalPaid, BalanceOwed, SalaryPerSession) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < count; ++i) {
      std::string first = Pick(kFirstNames), last = Pick(kLastNames);
      insert.Text(first).Text(last).Text("J").Text("123-45-6789").Text("12 Elm Street").Text(Pick(kCities));
      insert.Text(Pick(kStates)).Text(std::to_string(Between(10000, 99999))).Text(Phone()).Text(Email(first, last));
      insert.Text("L").Text(Pick(kSchools)).Text(Phone()).Text("Coach").Real(500).Real(250).Real(250).Real(500).Row();
    }
  }

  // Each attendee in distinct sessions (attendee i takes sessions i, i+1, ... modulo the count).
  void Enrolments(const CampSize& size) {
    Insert insert(db_,
                  "INSERT INTO AttendeeSession (SessionID, CamperID, SessionType, TotalCosts, AmountPaid, "
                  "BalanceDue) VALUES (?,?,?,?,?,?)");
    for (int i = 0; i < size.enrolments; ++i) {
      int camper = i % size.attendees;
      int session = (camper + i / size.attendees) % size.sessions;
      insert.Integer(session + 1).Integer(camper + 1).Text(i % 2 ? "R" : "D").Real(450).Real(100).Real(350).Row();
    }
  }

  void Ledger(const CampSize& size) {
    Insert insert(db_, "INSERT INTO AttendeeTrx (CamperID, SessionID, AmountPaid, CheckNo, DatePaid) VALUES (?,?,?,?,?)");
    for (int i = 0; i < size.ledgerRows; ++i) {
      bool charge = i % 3 == 0;
      insert.Integer(i % size.attendees + 1).Integer(i % size.sessions + 1).Real(charge ? 450 : -Between(25, 200));
      insert.Text(charge ? "Charge" : std::to_string(Between(1000, 9999))).Real(44900 + Between(0, 120)).Row();
    }
  }

  sqlite3* db_;
  std::mt19937 random_;
};

}  // namespace

void ExecOrExit(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), error);
    std::exit(1);
  }
}

void GenerateCamp(const std::string& path, const CampSize& size) {
  CreateDatabaseFile(path, CampSchemaScript());
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path);
  }
  try {
    Generator(db).Run(size);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

std::string GenerateTemporaryCamp(const CampSize& size) {
  char pattern[] = "/tmp/vt-camp-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("cannot create a temporary file for the camp");
  close(fd);
  std::remove(pattern);
  const std::string path = std::string(pattern) + ".mdb";
  GenerateCamp(path, size);
  return path;
}

}  // namespace vt
