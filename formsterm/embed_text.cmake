# embed_text.cmake - run as `cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=kName
# -P embed_text.cmake`: writes a C++ source that holds the text of INPUT as
# the character array formsterm::NAME, so that the file travels inside the
# program (the Lua prelude, the API reference).
file(READ "${INPUT}" text)
set(delimiter "formsterm_text")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string's closing delimiter")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT} by embed_text.cmake; do not edit.\n"
  "namespace formsterm {\nextern const char ${NAME}[];\n"
  "const char ${NAME}[] = R\"${delimiter}(${text})${delimiter}\";\n}  // namespace formsterm\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
