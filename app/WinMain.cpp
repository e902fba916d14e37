// The program's entry: everything happens in the start-up sequence and the message loop.
#include "app/Startup.h"

int main() { return RunVantrel(); }
