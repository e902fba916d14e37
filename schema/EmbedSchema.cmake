# Turns the schema's SQL files into one C++ raw string literal, included by CampSchema.cpp.
# Run with: cmake -DOUTPUT=<file.inc> -DSCRIPTS=<a.sql;b.sql;...> -P EmbedSchema.cmake
set(text "")
foreach(script IN LISTS SCRIPTS)
  file(READ ${script} part)
  string(APPEND text "${part}\n")
endforeach()
if(text MATCHES "\\)vtsql\"")
  message(FATAL_ERROR "The schema text contains the raw-string delimiter )vtsql\"")
endif()
file(WRITE ${OUTPUT}.tmp "R\"vtsql(${text})vtsql\"\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
