# cmake -DOBJDUMP=... -DDLL=... -DEXPECTED=name -P check_exports.cmake
# Fails unless the DLL's export table names exactly EXPECTED, undecorated.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "\\] [^\n]+" names "${CMAKE_MATCH_1}")
list(TRANSFORM names REPLACE "^\\] " "")
if(NOT names STREQUAL EXPECTED)
    message(FATAL_ERROR "${DLL} exports '${names}', expected exactly '${EXPECTED}'")
endif()
message(STATUS "${DLL} exports ${names}")
