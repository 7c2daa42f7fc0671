# Builds the Debian package as cpack does into WORK, then: lintian finds no error or warning,
# and every tag it overrides comes with the override file's reason; the desktop entry starts
# a program the package holds, and the man page names the package's folders.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${WORK}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB deb ${WORK}/brannock_*.deb)
if(NOT rc EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack -G DEB failed (${rc}):\n${out}${err}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on none --show-overrides ${deb}
  RESULT_VARIABLE rc OUTPUT_VARIABLE report)
string(REPLACE "\n" ";" lines "${report}")
set(previous "")
foreach(line IN LISTS lines)
  if(line MATCHES "^O: " AND NOT previous MATCHES "^N: ")
    message(FATAL_ERROR "lintian tag overridden without a reason: ${line}")
  endif()
  set(previous "${line}")
endforeach()
if(NOT rc EQUAL 0 OR report MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian (exit ${rc}):\n${report}")
endif()

set(root ${WORK}/root)
execute_process(COMMAND dpkg-deb -x ${deb} ${root} COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS ${root}/usr/share/applications/brannock.desktop exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" program "${exec}")
if(NOT program MATCHES "^/usr/games/")
  message(FATAL_ERROR "the desktop entry starts '${exec}', not a program in /usr/games")
endif()
execute_process(COMMAND ${root}${program} --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "brannock ${VERSION}\n")
  message(FATAL_ERROR "${program} --version: exit ${rc}, '${out}'")
endif()
execute_process(COMMAND gzip -dc ${root}/usr/share/man/man6/brannock.6.gz OUTPUT_VARIABLE page
  COMMAND_ERROR_IS_FATAL ANY)
foreach(folder /usr/share/brannock/ /usr/share/doc/brannock/copyright)
  if(NOT page MATCHES "\n\\.I ${folder}\n")
    message(FATAL_ERROR "the man page does not name ${folder}")
  endif()
endforeach()
