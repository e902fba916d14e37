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
  camp.AddSessionType(week1, "R", "Resident", 4);
  camp.AddSessionType(week1, "D", "Day", 0);

  smith = camp.AddAttendee("Smith", "Ann", EncodeDate(2015, 4, 1));
  oneil = camp.AddAttendee("O'Neil", "Bob", EncodeDate(2014, 9, 12));
  jones = camp.AddAttendee("Jones", "Cara", EncodeDate(2013, 1, 20));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'G', ShirtSize = 'M', ParentalReleaseOnFile = -1, "
               "FatherSalutation = 'Mr.', FatherName = 'Sam Smith', Address = '5 Elm Street', City = 'Dayton', "
               "State = 'OH', ZipCode = '45402', AllergicTo = 'Peanuts' WHERE CamperID = " + IntToStr(smith));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'F', ShirtSize = 'L' WHERE CamperID = " + IntToStr(oneil));
  camp.Execute("UPDATE Attendees SET NormalPosition = 'C', ShirtSize = 'XL' WHERE CamperID = " + IntToStr(jones));

  const int room101 = camp.AddRoom(week1, "Inn", "101", 4);
  camp.AddRoom(week1, "Inn", "102", 2);
  const int room201 = camp.AddRoom(week2, "Lodge", "201", 3);
  camp.Execute("UPDATE Rooms SET NumberAvailable = NumberInRoom - 1 WHERE RoomID IN (" + IntToStr(room101) + ", " +
               IntToStr(room201) + ")");
  const int hawks = camp.AddTeam(week1, "Juniors", "Hawks");
  const int owls = camp.AddTeam(week2, "Seniors", "Owls");
  camp.Execute("UPDATE Teams SET Chaperone = 'Carl Carter' WHERE TeamID = " + IntToStr(hawks));
  camp.AddEnrolment(week1, smith, "R", room101, hawks);
  camp.AddEnrolment(week1, oneil, "D", Variant::Null(), hawks);
  camp.AddEnrolment(week2, jones, "R", room201, owls);

  const int carter = camp.AddChaperone("Carl", "Carter");
  const int dell = camp.AddChaperone("Dana", "Dell");
  camp.AddChaperoneEnrolment(week1, carter, "R");
  camp.AddChaperoneEnrolment(week2, dell, "R");

  const TDateTime paid = EncodeDate(2030, 5, 1);
  for (auto [camper, session, amount, checkNo] :
       {std::tuple{smith, week1, 450.0, "Charge"}, {smith, week1, -100.0, "1001"}, {oneil, week1, 250.0, "Charge"},
        {jones, week2, 450.0, "Charge"}, {jones, week2, -450.0, "2002"}})
    camp.Insert("AttendeeTrx", {{"CamperID", camper}, {"SessionID", session}, {"AmountPaid", amount},
                                {"CheckNo", checkNo}, {"DatePaid", Variant::FromDate(paid)}});
  for (auto [chaperone, session, amount, checkNo] :
       {std::tuple{carter, week1, 300.0, "Invoice"}, {carter, week1, -300.0, "501"}, {dell, week2, 200.0, "Invoice"}})
    camp.Insert("ChaperoneTrx", {{"ChaperoneID", chaperone}, {"SessionID", session}, {"AmountPaid", amount},
                                 {"CheckNo", checkNo}, {"DatePaid", Variant::FromDate(paid)}});
}

}  // namespace vt::test
