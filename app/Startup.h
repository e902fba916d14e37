// The program's start-up: the splash, the camp database and its datasets, the record editors,
// the three housekeeping passes, then the message loop until the main window closes.
#pragma once

// The whole program; an error anywhere is shown once through the application's exception
// display and ends it. The forms are freed before it returns 0, in every case.
int RunVantrel();

// Start-up up to the message loop: forms, splash, database, editors, housekeeping passes.
// Raises whatever fails; RunVantrel shows it.
void StartVantrel();
