// The rows of the report camp, written straight into the fixture database.
#include "tests/platform/reports/ReportCamp.h"

#include "rtl/DateTime.h"

namespace vt::test {

ReportCamp::ReportCamp(const String& fileName) : camp(fileName) {
  camp.AddCompany("Acme Camps");
  camp.Execute("UPDATE CoSys SET Address = '1 Lake Road', City = 'Springfield', State = 'IL', ZipCode = '62701', "
               "DirectorName = 'Dora Director', "
               "ConfirmationLetterText = 'We are glad to confirm your place.' || char(10) || 'Please bring a sleeping bag.', "
               "ThankYouLetterText = 'Thank you for a great week.'");
  week1 = camp.AddSession("Week One", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
  week2 = camp.AddSession("Week Two", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
  deletedWeek = camp.AddSession("Week Three", EncodeDate(2030, 6, 16), EncodeDate(2030, 6, 21));
  camp.AddSessionType(week1, "R", "Resident", 4);
  camp.AddSessionType(week1, "D", "Day", 0);

  smith = camp.AddAttendee("Smith", "Ann", EncodeDate(2015, 4, 1));
  oneil = camp.AddAttendee("O'Neil", "Bob", EncodeDate(2014, 9, 12));
  jones = camp.AddAttendee("Jones", "Cara", EncodeDate(2013, 1, 20));
  diaz = camp.AddAttendee("Díaz", "Eva", EncodeDate(2016, 2, 3));
  ng = camp.AddAttendee("Ng", "Hal", EncodeDate(2016, 5, 6));
  ortiz = camp.AddAttendee("Ortiz", "Ivy", EncodeDate(2015, 7, 8));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'G', ShirtSize = 'M', ParentalReleaseOnFile = -1, "
               "FatherSalutation = 'Mr.', FatherName = 'Sam Smith', Address = '5 Elm Street', City = 'Dayton', "
               "State = 'OH', ZipCode = '45402', AllergicTo = 'Peanuts' WHERE CamperID = " + IntToStr(smith));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'F', ShirtSize = 'L' WHERE CamperID = " + IntToStr(oneil));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'C', ShirtSize = 'XL' WHERE CamperID = " + IntToStr(jones));
  // The attendee's own league column says nothing about the team the attendee is on.
  camp.Execute("UPDATE Attendees SET NormalPosition = 'G', League = 'Seniors' WHERE CamperID IN (" + IntToStr(diaz) +
               ", " + IntToStr(ortiz) + ")");
  camp.Execute("UPDATE Attendees SET NormalPosition = 'F', League = 'Seniors' WHERE CamperID = " + IntToStr(ng));

  const int room101 = camp.AddRoom(week1, "Inn", "101", 4);
  camp.AddRoom(week1, "Inn", "102", 2);
  const int room201 = camp.AddRoom(week2, "Lodge", "201", 3);
  camp.Execute("UPDATE Rooms SET NumberAvailable = NumberInRoom - 1 WHERE RoomID IN (" + IntToStr(room101) + ", " +
               IntToStr(room201) + ")");
  const int hawks = camp.AddTeam(week1, "Juniors", "Hawks");
  const int owls = camp.AddTeam(week2, "Seniors", "Owls");
  const int foxes = camp.AddTeam(week2, "Juniors", "Foxes");
  camp.Execute("UPDATE Teams SET Chaperone = 'Carl Carter' WHERE TeamID = " + IntToStr(hawks));
  camp.AddEnrolment(week1, smith, "R", room101, hawks);
  camp.AddEnrolment(week1, oneil, "D", Variant::Null(), hawks);
  camp.AddEnrolment(week2, jones, "R", room201, owls);
  camp.AddEnrolment(week2, diaz, "D", Variant::Null(), foxes);
  camp.AddEnrolment(week2, ng, "D", Variant::Null(), foxes);
  camp.AddEnrolment(week2, ortiz, "D");

  carter = camp.AddChaperone("Carl", "Carter");
  dell = camp.AddChaperone("Dana", "Dell");
  camp.AddChaperoneEnrolment(week1, carter, "R");
  camp.AddChaperoneEnrolment(week2, dell, "R");

  AddLedger();
  camp.Execute("DELETE FROM Sessions WHERE SessionID = " + IntToStr(deletedWeek));
  TotalPersons();
}

// Week three: Jones signed up, paid part and was removed; Carter was invoiced and removed; Dell
// was invoiced, paid and removed. Week two's new attendees owe their charges.
void ReportCamp::AddLedger() {
  const TDateTime paid = EncodeDate(2030, 5, 1);
  for (auto [camper, session, amount, checkNo] :
       {std::tuple{smith, week1, 450.0, "Charge"}, {smith, week1, -100.0, "1001"}, {smith, week1, -74.2, "1002"},
        {smith, week1, -0.1, "1003"}, {oneil, week1, 250.0, "Charge"}, {jones, week2, 450.0, "Charge"},
        {jones, week2, -450.0, "2002"}, {diaz, week2, 120.35, "Charge"}, {ng, week2, 120.35, "Charge"},
        {ortiz, week2, 99.99, "Charge"}, {jones, deletedWeek, 300.0, "Charge"}, {jones, deletedWeek, -120.55, "3003"},
        {jones, deletedWeek, -300.0, "Credit"}})
    camp.Insert("AttendeeTrx", {{"CamperID", camper}, {"SessionID", session}, {"AmountPaid", amount},
                                {"CheckNo", checkNo}, {"DatePaid", Variant::FromDate(paid)}});
  for (auto [chaperone, session, amount, checkNo] :
       {std::tuple{carter, week1, 300.0, "Invoice"}, {carter, week1, -300.0, "501"}, {dell, week2, 200.0, "Invoice"},
        {carter, deletedWeek, 300.0, "Invoice"}, {carter, deletedWeek, -300.0, "Credit"},
        {dell, deletedWeek, 150.0, "Invoice"}, {dell, deletedWeek, -150.0, ""}, {dell, deletedWeek, -150.0, "Credit"}})
    camp.Insert("ChaperoneTrx", {{"ChaperoneID", chaperone}, {"SessionID", session}, {"AmountPaid", amount},
                                 {"CheckNo", checkNo}, {"DatePaid", Variant::FromDate(paid)}});
}

namespace {

// A person total: the person's ledger rows (those of the words, or those of no word), summed.
String LedgerSum(const String& ledger, const String& key, const String& table, const String& words, bool without) {
  const String which = words.empty() ? "" : " AND t.CheckNo " + String(without ? "NOT IN " : "IN ") + words;
  return "(SELECT ROUND(COALESCE(" + String(without ? "-" : "") + "SUM(t.AmountPaid), 0), 4) FROM " + ledger +
         " t WHERE t." + key + " = " + table + "." + key + which + ")";
}

}  // namespace

void ReportCamp::TotalPersons() {
  const String attendeeWords = "('Charge', 'Credit')", chaperoneWords = "('Invoice', 'Credit')";
  camp.Execute("UPDATE Attendees SET TotalCharged = " + LedgerSum("AttendeeTrx", "CamperID", "Attendees", attendeeWords, false) +
               ", TotalCredits = " + LedgerSum("AttendeeTrx", "CamperID", "Attendees", attendeeWords, true) +
               ", BalanceDue = " + LedgerSum("AttendeeTrx", "CamperID", "Attendees", "", false));
  camp.Execute("UPDATE Chaperones SET TotalOwed = " + LedgerSum("ChaperoneTrx", "ChaperoneID", "Chaperones", chaperoneWords, false) +
               ", TotalPaid = " + LedgerSum("ChaperoneTrx", "ChaperoneID", "Chaperones", chaperoneWords, true) +
               ", BalanceOwed = " + LedgerSum("ChaperoneTrx", "ChaperoneID", "Chaperones", "", false));
}

}  // namespace vt::test
