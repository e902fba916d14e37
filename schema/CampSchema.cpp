// The camp database scripts, their texts generated from tables.sql, indexes.sql, defaults.sql
// and reports.sql by EmbedSchema.cmake when the build runs.
#include "schema/CampSchema.h"

const char* vt::CampSchemaScript() {
  static const char script[] =
#include "CampSchemaScript.inc"
      ;
  return script;
}

const char* vt::CampTablesScript() {
  static const char script[] =
#include "CampTablesScript.inc"
      ;
  return script;
}
