// A small camp for report tests: two sessions, three attendees (two in the first session), rooms,
// teams, chaperones and ledger rows on both sides, and the company's letter texts.
#pragma once

#include "tests/fixtures/CampFixture.h"

namespace vt::test {

struct ReportCamp {
  explicit ReportCamp(const String& fileName = "Vantrel.mdb");

  CampFixture camp;
  int week1 = 0, week2 = 0;
  int smith = 0, oneil = 0, jones = 0;
};

}  // namespace vt::test
