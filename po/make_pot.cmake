# cmake -DSOURCE_DIR=... -DXGETTEXT=... -DOUTPUT=... -P make_pot.cmake
# Writes the translation template: every text the program's code marks with Tr, TrIn or
# TrMark, from the game's folders in a fixed order. Locations name files without line
# numbers and the header carries no creation date, so the template changes only when a
# marked text does.
set(folders app demo enemies game media options player scene screens)
set(sources)
foreach(folder ${folders})
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.h)
  list(APPEND sources ${found})
endforeach()
list(SORT sources)
execute_process(
  COMMAND ${XGETTEXT} --from-code=UTF-8 --language=C++ --keyword --keyword=Tr
    --keyword=TrIn:1c,2 --keyword=TrMark --add-comments=TRANSLATORS: --add-location=file
    --package-name=Brannock --output=${OUTPUT} ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xgettext failed (${rc}): ${err}")
endif()
file(READ ${OUTPUT} pot)
string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" pot "${pot}")
string(FIND "${pot}" "#, fuzzy" header_end)
string(SUBSTRING "${pot}" ${header_end} -1 pot)
set(pot "# Brannock's texts for translation, made by the brannock_pot build target from the
# code; do not edit it by hand.
#
${pot}")
file(WRITE ${OUTPUT} "${pot}")
