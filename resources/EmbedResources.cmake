# Turns picture files into C++ byte arrays and a table of them, included by the unit that
# registers them: one entry {"NAME", bytes, size} per file, NAME the file's base name.
# Run with: cmake -DOUTPUT=<file.inc> -DTABLE=<table name> -DFILES=<a.bmp;b.bmp;...> -P EmbedResources.cmake
set(text "")
set(entries "")
foreach(file IN LISTS FILES)
  get_filename_component(name ${file} NAME_WE)
  string(MAKE_C_IDENTIFIER "k${name}" symbol)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND text "const unsigned char ${symbol}[] = {${bytes}};\n")
  string(APPEND entries "    {\"${name}\", ${symbol}, sizeof ${symbol}},\n")
endforeach()
string(APPEND text "const EmbeddedResource ${TABLE}[] = {\n${entries}};\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
