// The script that prepares an empty camp database: tables, indexes and the default lists,
// embedded at build time from the schema's SQL files so no source tree is needed at run time.
#pragma once

namespace vt {

// The whole script, tables first, then indexes, then default rows.
const char* CampSchemaScript();
// The camp's tables alone (tables.sql), without the report tables, which a camp of an earlier
// version may lack.
const char* CampTablesScript();

}  // namespace vt
