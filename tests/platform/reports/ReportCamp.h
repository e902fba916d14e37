// A small camp for report tests: three sessions, the third deleted after its money was moved
// (its ledger rows stay); attendees in two leagues of a session and one on no team, rooms,
// chaperones, charges, removal credits, invoices and payments in cents that binary fractions
// cannot hold, person totals as the money operations keep them, and the company's letter texts.
#pragma once

#include "tests/fixtures/CampFixture.h"

namespace vt::test {

struct ReportCamp {
  explicit ReportCamp(const String& fileName = "Vantrel.mdb");

  CampFixture camp;
  int week1 = 0, week2 = 0, deletedWeek = 0;
  int smith = 0, oneil = 0, jones = 0, diaz = 0, ng = 0, ortiz = 0;
  int carter = 0, dell = 0;

private:
  void AddLedger();
  // Sets the person totals from the ledger: charges net of removal credits, payments, balance.
  void TotalPersons();
};

}  // namespace vt::test
