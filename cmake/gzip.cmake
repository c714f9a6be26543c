# Compresses ENTREE into SORTIE as Debian wants its manual pages and
# changelogs: the best compression, no name and no time stamp inside.
execute_process(COMMAND gzip -9 -n -c "${ENTREE}" OUTPUT_FILE "${SORTIE}" RESULT_VARIABLE r)
if(NOT r EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${ENTREE}")
endif()
