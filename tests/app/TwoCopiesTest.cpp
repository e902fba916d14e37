// Two copies of the program on one camp file: this process and a second one driven through a
// pipe, each acting through its own editors. Payments on one attendee and edits of one
// chaperone and one session in every order of their steps: the money layers agree, no payment
// is lost, and an edit of a column the other copy changed meanwhile is refused with nothing
// overwritten.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditSessions.h"
#include "ui/controls/ActnList.h"
#include "tests/app/AttendeeEditorFixture.h"
#include "tests/app/CopyScript.h"

namespace vt::test {
namespace {

// The second copy: vt_second_copy_driver in a process of its own, started on the camp's folder.
class OtherProcess {
public:
  explicit OtherProcess(const String& folder) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(toChild[0], STDIN_FILENO);
      dup2(fromChild[1], STDOUT_FILENO);
      for (int end : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(end);
      const String driver = String(VT_BINARY_DIR) + "/tests/vt_second_copy_driver";
      execl(driver.c_str(), driver.c_str(), folder.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    to_ = fdopen(toChild[1], "w");
    from_ = fdopen(fromChild[0], "r");
    started_ = Answer().empty() && pid_ > 0;
  }
  ~OtherProcess() {
    if (to_) std::fputs("quit\n", to_);
    if (to_) std::fclose(to_);
    if (from_) std::fclose(from_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  bool Started() const { return started_; }

  std::vector<String> Run(const String& line) {
    std::fprintf(to_, "%s\n", line.c_str());
    std::fflush(to_);
    return Answer();
  }

private:
  // The lines up to "ok"; a copy that ended says so.
  std::vector<String> Answer() {
    std::vector<String> lines;
    char buffer[8192];
    while (from_ && std::fgets(buffer, sizeof buffer, from_)) {
      String line(buffer);
      if (!line.empty() && line.back() == '\n') line.pop_back();
      if (line == "ok") return lines;
      lines.push_back(line);
    }
    lines.push_back("the second copy ended");
    return lines;
  }

  pid_t pid_ = -1;
  FILE* to_ = nullptr;
  FILE* from_ = nullptr;
  bool started_ = false;
};

// What one copy does in a step: the script lines run in turn.
using Move = std::vector<String>;

// Every order of a's moves and b's moves that keeps each copy's own moves in their order, as
// strings of 'a' and 'b' ("aabbab": a's first two moves, b's first two, a's third, b's third).
std::vector<String> EveryOrder(size_t moves) {
  String order = String(moves, 'a') + String(moves, 'b');
  std::vector<String> orders;
  do orders.push_back(order);
  while (std::next_permutation(order.begin(), order.end()));
  return orders;
}

// The orders of open, change and Done that differ in what each copy has read when it saves:
// both open first, either saving first, and one copy done before the other opens.
const char* const kEditOrders[] = {"aabbab", "aabbba", "ababab", "abbaba", "aaabbb", "bbbaaa"};

class TwoCopies : public AttendeeEditorTest {
protected:
  // Jones owes 150 on week 2 (person, enrolment and ledger agreeing); a chaperone; an attendee
  // waiting for a room and one in no session. The program started here.
  void SetUp() override {
    AttendeeEditorTest::SetUp();
    camp.AddEnrolment(week2, jones, "R");
    camp.Execute("UPDATE AttendeeSession SET TotalCosts = 150, AmountPaid = 0, BalanceDue = 150 WHERE SessionID = " +
                 IntToStr(week2));
    camp.Execute("UPDATE Attendees SET TotalCharged = 150, BalanceDue = 150 WHERE CamperID = " + IntToStr(jones));
    camp.Insert("AttendeeTrx", {{"CamperID", jones}, {"SessionID", week2}, {"AmountPaid", 150}, {"CheckNo", "Charge"}});
    coach = camp.AddChaperone("Pat", "Coach", 300);
    waiting = camp.AddAttendee("Ng", "Mai");
    camp.AddEnrolment(week1, waiting, "R");
    unenrolled = camp.AddAttendee("Zed", "Ola");
    Start();
  }
  void TearDown() override {
    for (TForm* form : std::initializer_list<TForm*>{AddEditChaperonesForm, AddEditSessionsForm})
      if (form && form->Visible()) form->Close();
    AttendeeEditorTest::TearDown();
    AddEditChaperonesForm = nullptr;
    AddEditSessionsForm = nullptr;
  }

  // Runs the moves of copy a (this process) and copy b (the other process) in the order given;
  // returns what each copy showed, by the number of the move.
  struct Shown {
    std::vector<std::vector<String>> a, b;
  };
  Shown Interleave(const String& order, const std::vector<Move>& movesOfA, const std::vector<Move>& movesOfB) {
    OtherProcess other(camp.Folder());
    EXPECT_TRUE(other.Started());
    CopyScript here;
    Shown shown;
    for (char copy : order) {
      const bool a = copy == 'a';
      std::vector<std::vector<String>>& record = a ? shown.a : shown.b;
      const Move& move = (a ? movesOfA : movesOfB)[record.size()];
      std::vector<String> lines;
      for (const String& line : move) {
        const std::vector<String> said = a ? here.Run(line) : other.Run(line);
        lines.insert(lines.end(), said.begin(), said.end());
      }
      record.push_back(lines);
    }
    return shown;
  }

  static String Joined(const std::vector<std::vector<String>>& moves) {
    String text;
    for (const auto& move : moves)
      for (const String& line : move) text += (text.empty() ? "" : " | ") + line;
    return text;
  }

  // The copy whose third move (Done) comes first in the order.
  static char FirstToSave(const String& order) {
    int seen[2] = {0, 0};
    for (char copy : order)
      if (++seen[copy - 'a'] == 3) return copy;
    return 0;
  }

  Move PayMove(const String& amount, const String& checkNo) {
    return {"pick ComboBox3 " + IntToStr(week2), "type VtCalcEdit1 " + amount, "type Edit2 " + checkNo,
            "click BitBtn4 ok"};
  }

  // The chaperone side of the money rule, and no row naming a session, room or team that is gone.
  void ExpectEverythingAgrees(const String& when) {
    ExpectMoneyAgrees(when);
    const String ledger = "(SELECT COALESCE(SUM(" + Units("t.AmountPaid") + "), 0) FROM ChaperoneTrx t WHERE t.ChaperoneID = c.ChaperoneID)";
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM Chaperones c WHERE " + Units("COALESCE(c.BalanceOwed,0)") + " <> " +
                         Units("COALESCE(c.TotalOwed,0)") + " - " + Units("COALESCE(c.TotalPaid,0)") + " OR " +
                         Units("COALESCE(c.BalanceOwed,0)") + " <> " + ledger)
                  .AsInteger(),
              0)
        << "chaperone totals against the ledger, " << when;
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM ChaperoneSession WHERE " + Units("BalanceOwed") + " <> " +
                         Units("TotalFee") + " - " + Units("AmountPaid"))
                  .AsInteger(),
              0)
        << "chaperone enrolment balances, " << when;
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM CoachesRooms r WHERE r.NumberAvailable <> r.NumberInRoom - "
                         "(SELECT COUNT(*) FROM ChaperoneSession s WHERE s.RoomID = r.RoomID)")
                  .AsInteger(),
              0)
        << "chaperone free places, " << when;
    const String goneSession = " WHERE SessionID NOT IN (SELECT SessionID FROM Sessions)";
    for (const String& orphans :
         {"Teams" + goneSession, "Leagues" + goneSession, "AttendeeSession" + goneSession, "ChaperoneSession" + goneSession,
          String("AttendeeSession WHERE COALESCE(RoomID, 0) <> 0 AND RoomID NOT IN (SELECT RoomID FROM Rooms)"),
          String("AttendeeSession WHERE COALESCE(TeamID, 0) <> 0 AND TeamID NOT IN (SELECT TeamID FROM Teams)")})
      EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM " + orphans).AsInteger(), 0) << orphans << ", " << when;
  }

  // What a copy showed that only a fault would: an exception out of a command, or a box nobody
  // expected.
  static void ExpectNoFault(const String& shown) {
    EXPECT_EQ(shown.find("raised:"), String::npos) << shown;
    EXPECT_EQ(shown.find("unexpected:"), String::npos) << shown;
  }

  int coach = 0;
  int waiting = 0;     // enrolled for a room in week 1, in none yet
  int unenrolled = 0;  // in no session: may be deleted
};

// 74.30 paid as 74.20 in one copy and 0.10 in the other, whatever each editor showed when it paid.
class PaymentOrders : public TwoCopies, public ::testing::WithParamInterface<String> {};

TEST_P(PaymentOrders, PaymentsOnOneAttendeeFromBothCopiesAddUp) {
  const String order = GetParam();
  const Move open = {"open attendee " + IntToStr(jones), "page TabSheet6"};
  const Move done = {"click BitBtn1 yes"};
  const Shown shown = Interleave(order, {open, PayMove("74.20", "1001"), done}, {open, PayMove("0.10", "2002"), done});
  EXPECT_EQ(Joined(shown.a) + Joined(shown.b), "");
  const String person = " FROM Attendees WHERE CamperID = " + IntToStr(jones);
  EXPECT_EQ(camp.Value("SELECT " + Units("TotalCredits") + person).AsInteger(), 743000);
  EXPECT_EQ(camp.Value("SELECT " + Units("BalanceDue") + person).AsInteger(), 757000);
  EXPECT_EQ(camp.Value("SELECT " + Units("AmountPaid") + " FROM AttendeeSession WHERE SessionID = " + IntToStr(week2))
                .AsInteger(),
            743000);
  EXPECT_EQ(camp.Value("SELECT group_concat(CheckNo || '=' || " + Units("AmountPaid") +
                       ", ',') FROM (SELECT * FROM AttendeeTrx WHERE CheckNo <> 'Charge' ORDER BY CheckNo)")
                .AsString(),
            "1001=-742000,2002=-1000");
  ExpectMoneyAgrees("after order " + order);
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, PaymentOrders, ::testing::ValuesIn(EveryOrder(3)),
                         [](const auto& order) { return order.param; });

// The same money operation in both copies, in every order of open, act and Done: the copy that
// acts second is refused inside its transaction when the first already took what it needed
// (the whole balance paid, the enrolment removed, the chaperone signed up), and its Done then
// writes no total it read before. When both had opened before either acted, one went through.
struct MoneyRace {
  const char* name;
  std::vector<String> open;
  std::vector<String> act;
};

class MoneyRaces : public TwoCopies, public ::testing::WithParamInterface<std::tuple<MoneyRace, String>> {};

TEST_P(MoneyRaces, TheSecondIsRefusedAndDoneLeavesEveryTotalTrue) {
  const auto& [race, order] = GetParam();
  const Move done = {"click BitBtn1 yes cancel"};
  const Shown shown = Interleave(order, {race.open, race.act, done}, {race.open, race.act, done});
  SCOPED_TRACE("a showed: " + Joined(shown.a) + "; b showed: " + Joined(shown.b));
  ExpectNoFault(Joined(shown.a) + Joined(shown.b));
  ExpectEverythingAgrees(String(race.name) + " in order " + order);
  const bool bothOpenFirst = order[0] != order[1];
  if (bothOpenFirst)
    EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM AttendeeTrx WHERE CheckNo NOT IN ('Charge')").AsInteger() +
                  camp.Value("SELECT COUNT(*) FROM ChaperoneTrx").AsInteger(),
              1)
        << "one copy's operation went through";
}

std::vector<MoneyRace> MoneyRaceCases() {
  const int kJones = 2, kWeek2 = 2, kCoach = 1;  // SetUp's keys
  return {
      {"PayTheWholeBalance",
       {"open attendee " + IntToStr(kJones), "page TabSheet6", "pick ComboBox3 " + IntToStr(kWeek2)},
       {"type VtCalcEdit1 150", "type Edit2 77", "click BitBtn4 ok"}},
      {"RemoveTheEnrolment",
       {"open attendee " + IntToStr(kJones), "page TabSheet5", "select session " + IntToStr(kWeek2)},
       {"click BitBtn3 yes ok"}},
      {"SignUpTheChaperone",
       {"open chaperone " + IntToStr(kCoach), "page TabSheet2", "select session " + IntToStr(kWeek2)},
       {"click BitBtn2 yes ok"}},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, MoneyRaces,
                         ::testing::Combine(::testing::ValuesIn(MoneyRaceCases()), ::testing::ValuesIn(EveryOrder(3))),
                         [](const auto& race) { return String(std::get<0>(race.param).name) + "_" + std::get<1>(race.param); });

// The session editor after the other copy changed or deleted its session: Done lets the user out
// whichever way the questions are answered, with only the Part's messages and ours, and never
// stores what the other copy's change made stale.
struct SessionGone {
  const char* name;
  bool deleted;  // else changed
  const char* done;  // the click and its answers
  const char* storedDescription;  // afterwards; "" for a session that is gone
  const char* reason;             // what the refused save said; "" where nothing was saved
};

class SessionEditorAfterTheOtherCopy : public TwoCopies, public ::testing::WithParamInterface<SessionGone> {
protected:
  void SetUp() override {
    week3 = camp.AddSession("Week 3", EncodeDate(2030, 6, 16), EncodeDate(2030, 6, 21));  // in no one's use
    TwoCopies::SetUp();
  }
  int week3 = 0;
};

TEST_P(SessionEditorAfterTheOtherCopy, DoneLetsTheUserOut) {
  const SessionGone& c = GetParam();
  OtherProcess other(camp.Folder());
  ASSERT_TRUE(other.Started());
  CopyScript here;
  String shown;
  const auto run = [&](const String& line) {
    for (const String& said : here.Run(line)) shown += said + " | ";
  };
  run("open session " + IntToStr(week3));
  run("type DBEdit2 Week Three");
  run("type DBEdit3 Lakeside");  // Description left: nothing is stored yet
  EXPECT_EQ(camp.Value("SELECT Description FROM Sessions WHERE SessionID = " + IntToStr(week3)).AsString(), "Week 3");
  const String session = IntToStr(week3);
  const std::vector<String> otherCopy =
      c.deleted ? std::vector<String>{"main", "page TabSheet3", "select session " + session, "act acDelete yes ok"}
                : std::vector<String>{"open session " + session, "type DBEdit2 Summer Week", "click BitBtn1 yes"};
  for (const String& line : otherCopy)
    for (const String& said : other.Run(line)) EXPECT_EQ(said.find("raised:"), String::npos) << said;
  run(c.done);
  SCOPED_TRACE(shown);
  ExpectNoFault(shown);
  EXPECT_FALSE(AddEditSessionsForm->Visible());
  EXPECT_NE(shown.find(c.reason), String::npos);
  EXPECT_EQ(shown.find("not saved") != String::npos, String(c.reason) != "");
  EXPECT_EQ(camp.Value("SELECT COALESCE(MAX(Description), '') FROM Sessions WHERE SessionID = " + IntToStr(week3))
                .AsString(),
            c.storedDescription);
  ExpectEverythingAgrees(c.name);
}

const SessionGone kSessionsGone[] = {
    {"ChangedThenNo", false, "click BitBtn1 no", "Summer Week", ""},
    {"ChangedThenYesAndDiscard", false, "click BitBtn1 yes no yes", "Summer Week",
     "The record was changed by another user after it was read, so your changes were not saved."},
    {"DeletedThenNo", true, "click BitBtn1 no", "", ""},
    {"DeletedThenYesAndDiscard", true, "click BitBtn1 yes no yes", "",
     "The record was deleted by another user after it was read, so your changes were not saved."},
};

INSTANTIATE_TEST_SUITE_P(ChangedOrDeleted, SessionEditorAfterTheOtherCopy, ::testing::ValuesIn(kSessionsGone),
                         [](const auto& c) { return String(c.param.name); });

// Each copy types over one field of a record and saves.
struct PlainEdit {
  const char* editor;
  const char* table;
  const char* key;
  const char* controlA;
  const char* columnA;
  const char* controlB;
  const char* columnB;
};

const PlainEdit kPlainEdits[] = {
    {"chaperone", "Chaperones", "ChaperoneID", "DBEdit2", "LastName", "DBEdit2", "LastName"},
    {"chaperone", "Chaperones", "ChaperoneID", "DBEdit2", "LastName", "DBEdit7", "City"},
    {"session", "Sessions", "SessionID", "DBEdit2", "Description", "DBEdit2", "Description"},
    {"session", "Sessions", "SessionID", "DBEdit2", "Description", "DBEdit3", "Location"},
};

String EditName(const ::testing::TestParamInfo<std::tuple<PlainEdit, const char*>>& edit) {
  const PlainEdit& c = std::get<0>(edit.param);
  return String(c.editor) + "_" + c.columnA + "_" + c.columnB + "_" + std::get<1>(edit.param);
}

class EditOrders : public TwoCopies, public ::testing::WithParamInterface<std::tuple<PlainEdit, const char*>> {};

// Where both changed one column, the copy that saves second had read the row before the first
// saved: its save (at Done, or as Description is left in the session editor) is refused with
// the reason, its editor stays open with what it typed, and the first copy's text stays stored.
// Changes of different columns are both stored.
TEST_P(EditOrders, AnEditOfAColumnTheOtherCopyChangedIsRefusedAndOtherColumnsAreBothStored) {
  const auto& [c, order] = GetParam();
  const String text[2] = {"D'Arcy \"Jr\"", "O'Neil"};
  const int key = String(c.editor) == "chaperone" ? coach : week1;
  const Move open = {"open " + String(c.editor) + " " + IntToStr(key)};
  const Move done = {"click BitBtn1 yes cancel"};
  const Shown shown = Interleave(order, {open, {"type " + String(c.controlA) + " " + text[0]}, done},
                                 {open, {"type " + String(c.controlB) + " " + text[1]}, done});
  const bool conflict = String(c.columnA) == c.columnB;
  const int first = FirstToSave(order) - 'a';
  const std::vector<std::vector<String>>* byCopy[2] = {&shown.a, &shown.b};
  SCOPED_TRACE("a showed: " + Joined(shown.a) + "; b showed: " + Joined(shown.b));
  const String refusal = "The record was changed by another user after it was read, so your changes were not saved.";
  const auto clean = [&](const String& shownByCopy) {
    return shownByCopy.find(refusal) == String::npos && shownByCopy.find("raised:") == String::npos &&
           shownByCopy.find("unexpected:") == String::npos;
  };
  EXPECT_TRUE(clean(Joined(*byCopy[first])));
  if (conflict) {
    EXPECT_NE(Joined(*byCopy[1 - first]).find(refusal), String::npos);
    if (first == 1) {
      TForm* editor = String(c.editor) == "chaperone" ? static_cast<TForm*>(AddEditChaperonesForm)
                                                      : static_cast<TForm*>(AddEditSessionsForm);
      EXPECT_TRUE(editor->Visible());
      EXPECT_EQ(dynamic_cast<TCustomEdit*>(editor->FindComponent(c.controlA))->Text(), text[0]);
    }
  } else {
    EXPECT_TRUE(clean(Joined(*byCopy[1 - first])));
  }
  const String row = String(" FROM ") + c.table + " WHERE " + c.key + " = " + IntToStr(key);
  EXPECT_EQ(camp.Value(String("SELECT ") + c.columnA + row).AsString(), conflict ? text[first] : text[0]);
  if (!conflict) {
    EXPECT_EQ(camp.Value(String("SELECT ") + c.columnB + row).AsString(), text[1]);
  }
}

INSTANTIATE_TEST_SUITE_P(OrdersOfOpenChangeAndDone, EditOrders,
                         ::testing::Combine(::testing::ValuesIn(kPlainEdits), ::testing::ValuesIn(kEditOrders)),
                         EditName);

// A write of this copy while the other copy holds the file's write lock past the busy timeout.
struct LockedWrite {
  const char* name;
  std::vector<String> prepare;  // before the lock is taken
  std::vector<String> write;    // refused under the lock, tried again once it is gone
  String stored;                // what the write changes
  String before, after;
};

class LockedWrites : public TwoCopies, public ::testing::WithParamInterface<LockedWrite> {};

// The write waits, then tells what happened and that nothing was saved; the same write goes
// through once the other copy lets go, from the same forms on the same connection.
TEST_P(LockedWrites, WaitThenSayNothingWasSavedAndGoThroughOnceTheLockIsGone) {
  const LockedWrite& c = GetParam();
  CopyScript here;
  const auto run = [&](const std::vector<String>& lines) {
    String shown;
    for (const String& line : lines)
      for (const String& said : here.Run(line)) shown += (shown.empty() ? "" : " | ") + said;
    return shown;
  };
  EXPECT_EQ(run(c.prepare), "");
  OtherProcess other(camp.Folder());
  ASSERT_TRUE(other.Started());
  ASSERT_TRUE(other.Run("hold").empty());

  const String refused = run(c.write);
  EXPECT_NE(refused.find("is in use by another copy of the program (database is locked); nothing was saved. Try "
                         "again when the other copy has finished."),
            String::npos)
      << refused;
  EXPECT_EQ(refused.find("raised:"), String::npos) << refused;
  EXPECT_EQ(camp.Value(c.stored).AsString(), c.before);

  ASSERT_TRUE(other.Run("release").empty());
  const String retried = run(c.write);
  EXPECT_EQ(retried.find("another copy"), String::npos) << retried;
  EXPECT_EQ(camp.Value(c.stored).AsString(), c.after);
  ExpectMoneyAgrees(String("after ") + c.name);
}

std::vector<LockedWrite> LockedWriteCases() {
  const int kSmith = 1, kJones = 2, kWaiting = 3, kUnenrolled = 4, kWeek1 = 1, kWeek2 = 2, kRoom1 = 1;  // SetUp's keys
  const String jones = IntToStr(kJones);
  return {
      {"SessionEditorSave",
       {"open session " + IntToStr(kWeek1), "type DBEdit2 Week One"},
       {"click BitBtn1 yes cancel"},
       "SELECT Description FROM Sessions WHERE SessionID = " + IntToStr(kWeek1),
       "Week 1",
       "Week One"},
      {"SignUp",
       {"open attendee " + IntToStr(kSmith), "page TabSheet5", "select session " + IntToStr(kWeek2),
        "pick ComboBox6 Resident"},
       {"click BitBtn2 yes ok"},
       "SELECT COUNT(*) FROM AttendeeSession WHERE SessionID = " + IntToStr(kWeek2) + " AND CamperID = " +
           IntToStr(kSmith),
       "0",
       "1"},
      {"EditorSave",
       {"open attendee " + jones, "type DBEdit3 Bea"},
       {"click BitBtn1 yes cancel"},
       "SELECT FirstName FROM Attendees WHERE CamperID = " + jones,
       "Bob",
       "Bea"},
      {"Payment",
       {"open attendee " + jones, "page TabSheet6"},
       {"pick ComboBox3 " + IntToStr(kWeek2), "type VtCalcEdit1 74.30", "type Edit2 3003", "click BitBtn4 ok"},
       "SELECT COUNT(*) || '/' || (SELECT CAST(round(TotalCredits * 10000) AS INTEGER) FROM Attendees WHERE CamperID = " +
           jones + ") FROM AttendeeTrx WHERE CheckNo = '3003'",
       "0/0",
       "1/743000"},
      {"ProcessRooms",
       {"main", "page TabSheet5"},
       {"click BitBtn21 ok"},
       "SELECT COALESCE(RoomID, 0) FROM AttendeeSession WHERE CamperID = " + IntToStr(kWaiting),
       "0",
       IntToStr(kRoom1)},
      {"Delete",
       {"main", "page TabSheet1", "select attendee " + IntToStr(kUnenrolled)},
       {"act acDelete yes ok"},
       "SELECT COUNT(*) FROM Attendees WHERE CamperID = " + IntToStr(kUnenrolled),
       "1",
       "0"},
  };
}

INSTANTIATE_TEST_SUITE_P(ByTheOtherCopy, LockedWrites, ::testing::ValuesIn(LockedWriteCases()),
                         [](const auto& write) { return String(write.param.name); });

// Two copies over one camp, each taking a few hundred random steps of money, rooms and teams in
// its editors and on the main window's pages, with rooms emptied and teams deleted in between:
// after every step each total equals its ledger, each balance its cost less what was paid, each
// room's free places its size less its occupants, and no row names a session, room or team that
// is gone. The seed is fixed, so a failure repeats.
class RandomRun : public TwoCopies {
protected:
  void SetUp() override {
    TwoCopies::SetUp();
    camp.Insert("Leagues", {{"SessionID", week1}, {"LeagueName", "Juniors"}, {"AddBy", "Age"}, {"BeginRange", 5},
                            {"EndRange", 18}});
    for (const char* name : {"Hawks", "Owls"}) camp.AddTeam(week1, "Juniors", name);
    camp.AddRoom(week1, "Inn", "C1", 2, /*forChaperones=*/true);
    camp.AddChaperoneEnrolment(week1, camp.AddChaperone("Lee", "Second", 120), "R");
    SQLDataModule->qChaperones->Close();  // this copy lists them too
    SQLDataModule->qChaperones->Open();
    MainForm->Action3->Execute();
  }

  // One step of a copy, by what it has open: the main window's pages, or an editor's operations
  // and its Done.
  Move Step(std::mt19937& random, String& open) {
    const auto pick = [&](int count) { return int(random() % unsigned(count)); };
    const String session = IntToStr(pick(2) == 0 ? week1 : week2);
    if (open == "attendee") {
      switch (pick(6)) {
        case 0:
          return {"page TabSheet5", "select session " + session,
                  String("pick ComboBox6 ") + (pick(2) ? "Resident" : "Day Camp"), "click BitBtn2 yes ok"};
        case 1: return {"page TabSheet5", "click BitBtn3 yes ok"};
        case 2: return {"page TabSheet6", "pick ComboBox3 " + session};  // the amount due shown
        case 3: {  // paid later, when the other copy may have changed what is due
          const char* const amounts[] = {"10", "0.05", "150", "500"};
          return {"page TabSheet6", String("type VtCalcEdit1 ") + amounts[pick(4)],
                  "type Edit2 " + IntToStr(pick(900) + 100), "click BitBtn4 ok"};
        }
        default: open = ""; return {"click BitBtn1 yes no yes"};
      }
    }
    if (open == "chaperone") {
      switch (pick(4)) {
        case 0: return {"page TabSheet2", "select session " + session, "click BitBtn2 yes ok"};
        case 1: return {"page TabSheet2", "click BitBtn3 yes ok"};
        case 2: return {"page TabSheet4", "click BitBtn6 ok", "type Edit2 77", "click BitBtn4 ok"};
        default: open = ""; return {"click BitBtn1 yes no yes"};
      }
    }
    switch (pick(8)) {
      case 0: return {"main", "page TabSheet5", "click BitBtn21 ok ok"};
      case 1: return {"main", "page TabSheet5", "click BitBtn23 ok"};
      case 2: return {"main", "page TabSheet14", "click BitBtn53 ok ok"};
      case 3: return {"main", "page TabSheet6", "page TabSheet12", "click BitBtn24 ok"};
      case 4: return {"main", "page TabSheet6", "page TabSheet13", "click BitBtn17 ok"};
      case 5: return {"main", "page TabSheet6", "click BitBtn15 yes ok"};
      case 6: {
        open = "chaperone";
        return {"open chaperone " + IntToStr(pick(2) ? coach : coach + 1)};
      }
      default: {
        open = "attendee";
        const int people[] = {smith, jones, waiting};
        return {"open attendee " + IntToStr(people[pick(3)])};
      }
    }
  }
};

TEST_F(RandomRun, EveryInvariantHoldsAfterEveryStepOfBothCopies) {
  OtherProcess other(camp.Folder());
  ASSERT_TRUE(other.Started());
  CopyScript here;
  std::mt19937 random(2);
  String open[2];
  for (int step = 0; step < 300 && !HasFailure(); ++step) {
    const int copy = int(random() % 2);
    const Move move = Step(random, open[copy]);
    String shown;
    for (const String& line : move)
      for (const String& said : copy == 0 ? here.Run(line) : other.Run(line)) shown += said + " | ";
    const String when = "step " + IntToStr(step) + " of copy " + (copy == 0 ? "a" : "b") + ": " + move.back();
    EXPECT_EQ(shown.find("raised: no "), String::npos) << when << ": " << shown;  // the script's own fault
    EXPECT_EQ(shown.find("unexpected:"), String::npos) << when << ": " << shown;
    EXPECT_EQ(shown.find("the second copy ended"), String::npos) << when;
    ExpectEverythingAgrees(when + " (" + shown + ")");
  }
}

}  // namespace
}  // namespace vt::test
