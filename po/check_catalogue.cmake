# cmake -DSOURCE_DIR=... -DXGETTEXT=... -DMSGFMT=... -DMSGCMP=... -DWORK_DIR=... -P ...
# The template must be what the code marks today, and en.po must translate every text of
# it: none missing, none fuzzy, none left over.
set(fresh ${WORK_DIR}/fresh.pot)
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SOURCE_DIR} -DXGETTEXT=${XGETTEXT}
  -DOUTPUT=${fresh} -P ${SOURCE_DIR}/po/make_pot.cmake RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not make the template")
endif()
file(READ ${fresh} made)
file(READ ${SOURCE_DIR}/po/brannock.pot kept)
if(NOT made STREQUAL kept)
  message(FATAL_ERROR "po/brannock.pot is not what the code marks: run\n"
    "  cmake --build --preset default --target brannock_pot update_en_po\n"
    "and translate the new or changed texts in po/en.po")
endif()

# Every text of the template has an English translation that is not fuzzy.
execute_process(COMMAND ${MSGCMP} ${SOURCE_DIR}/po/en.po ${fresh}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "po/en.po lacks English for texts of the template:\n${out}${err}")
endif()

# msgfmt's own count: all translated, and exactly as many as the template has.
function(statistics po check result)
  execute_process(COMMAND ${MSGFMT} ${check} --statistics --output-file=/dev/null ${po}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgfmt ${check} ${po} failed:\n${out}${err}")
  endif()
  string(STRIP "${err}" err)
  set(${result} "${err}" PARENT_SCOPE)
endfunction()
statistics(${SOURCE_DIR}/po/en.po --check english)
# (The template is checked for format directives only: its header is a template's.)
statistics(${fresh} --check-format template)
message(STATUS "po/en.po: ${english}")
if(NOT english MATCHES "^([0-9]+) translated messages?\\.$")
  message(FATAL_ERROR "po/en.po is not wholly translated: ${english}")
endif()
set(translated ${CMAKE_MATCH_1})
if(NOT template MATCHES "^0 translated messages, ${translated} untranslated messages?\\.$")
  message(FATAL_ERROR "po/en.po translates ${translated} texts, the template has: ${template}"
    " (remove the texts the code no longer marks with update_en_po)")
endif()
