# Run at install time, when the prefix is known: the man page names the folders of this
# install, and goes in compressed as Debian wants it (gzip -9n: no file name, no time stamp).
# Set by the install rule: BRANNOCK_MAN_SOURCE, BRANNOCK_MAN_WORK, BRANNOCK_VERSION,
# BRANNOCK_DATADIR, BRANNOCK_DOCDIR, BRANNOCK_MANDIR, BRANNOCK_GZIP.
foreach(dir DATADIR DOCDIR MANDIR)
  set(${dir} ${BRANNOCK_${dir}})
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} ${CMAKE_INSTALL_PREFIX}/${${dir}})
  endif()
endforeach()
set(VERSION ${BRANNOCK_VERSION})
# One work folder per destination, so installs into different places never share a file.
string(MD5 destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(page ${BRANNOCK_MAN_WORK}/${destination}/brannock.6)
configure_file(${BRANNOCK_MAN_SOURCE} ${page} @ONLY)
execute_process(COMMAND ${BRANNOCK_GZIP} -9nf ${page} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip -9n ${page} failed (${rc})")
endif()
file(INSTALL ${page}.gz DESTINATION ${MANDIR}/man6)
