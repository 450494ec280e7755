# Writes OUTPUT, a C++ source holding the lines of TABLE (the game's names, see
# world/core/game_names.tsv) as an array of texts, comment lines left out.
# Arguments: -DTABLE=... -DOUTPUT=...
file(READ "${TABLE}" raw)
if(raw MATCHES ";")
  message(FATAL_ERROR "${TABLE}: a semicolon, which CMake would read as a list separator")
endif()
file(STRINGS "${TABLE}" lines ENCODING UTF-8)
list(FILTER lines EXCLUDE REGEX "^#")
list(FILTER lines EXCLUDE REGEX "^[ \t]*$")
# A name with a quote or a backslash would not survive the trip into C++
# texts: the game writes none.
set(odd ${lines})
list(FILTER odd INCLUDE REGEX "[\"\\]")
if(odd)
  message(FATAL_ERROR "${TABLE}: a name with a quote or a backslash: ${odd}")
endif()
list(TRANSFORM lines REPLACE "\t" "\\\\t")
list(TRANSFORM lines PREPEND "    \"")
list(TRANSFORM lines APPEND "\",")
list(LENGTH lines count)
list(JOIN lines "\n" body)
set(source "// Generated from ${TABLE} when the simulator is built; do not edit.\n")
string(APPEND source "#include <cstddef>\n\nnamespace sim {\n\n")
string(APPEND source "extern const char* const gameNameLines[] = {\n${body}\n};\n")
string(APPEND source "extern const std::size_t gameNameLineCount = ${count};\n\n} // namespace sim\n")
file(WRITE "${OUTPUT}.new" "${source}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
file(REMOVE "${OUTPUT}.new")
