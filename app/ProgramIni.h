// The settings file beside the program and the database location it holds: the path read at
// start-up and the connection string built from it.
#pragma once

#include "rtl/StrUtils.h"

// The program file's path with the extension ".ini".
String ProgramIni();

// Section "System", key "FullPath" of the settings file; when missing, the program file's path
// with the extension ".mdb".
String ReadDatabasePath();

// The connection string of the camp database: the path goes in exactly as given, unquoted.
String DatabaseConnectionString(const String& path);
