// The camp database script, its text generated from tables.sql, indexes.sql and defaults.sql
// by EmbedSchema.cmake when the build runs.
#include "schema/CampSchema.h"

const char* vt::CampSchemaScript() {
  static const char script[] =
#include "CampSchemaScript.inc"
      ;
  return script;
}
