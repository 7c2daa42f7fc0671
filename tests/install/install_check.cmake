# Installs the build into PREFIX (the game, and the replay tool's component), checks the
# installed layout, then runs the installed brannock-replay on a short script: it must find
# the game files in PREFIX/share/brannock, as nothing is left beside the installed programs.
# Finally the installed game, with its files moved away, must say where it looked.
file(REMOVE_RECURSE ${PREFIX})
foreach(component "" "tools")
  set(args --install ${BUILD_DIR} --prefix ${PREFIX})
  if(component)
    list(APPEND args --component ${component})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} ${args} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake ${args} failed (${rc})")
  endif()
endforeach()

function(expect_file path)
  if(NOT EXISTS ${PREFIX}/${path} OR IS_DIRECTORY ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endfunction()
foreach(path bin/brannock bin/brannock-replay share/brannock/Image1.bmp share/brannock/body.x
    share/brannock/GameBGM.wav share/brannock/option.txt share/brannock/index.html
    share/brannock/option.en.txt share/brannock/index.en.html
    share/locale/en/LC_MESSAGES/brannock.mo
    share/applications/brannock.desktop share/metainfo/org.brannock.brannock.metainfo.xml
    share/man/man6/brannock.6.gz share/doc/brannock/copyright)
  expect_file(${path})
endforeach()
foreach(size 48 64 128 256)
  set(icon share/icons/hicolor/${size}x${size}/apps/brannock.png)
  expect_file(${icon})
  # A PNG of the stated size: the signature, then the IHDR width and height.
  file(READ ${PREFIX}/${icon} head LIMIT 24 HEX)
  math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${hex_size}" 2 -1 digits)
  string(LENGTH "${digits}" n)
  math(EXPR pad "8 - ${n}")
  string(REPEAT "0" ${pad} zeros)
  string(TOLOWER "${zeros}${digits}" dim)
  if(NOT head STREQUAL "89504e470d0a1a0a0000000d49484452${dim}${dim}")
    message(FATAL_ERROR "${icon} is not a ${size}x${size} PNG (${head})")
  endif()
endforeach()
# Tools for developers stay out unless asked for; the game files are not programs.
foreach(path bin/assetgen bin/brannock-render-bench bin/brannock-contact-sheet bin/Image1.bmp)
  if(EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "installed but should not be: ${path}")
  endif()
endforeach()
file(GLOB stray ${PREFIX}/share/brannock/*)
list(LENGTH stray count)
if(count LESS 90)
  message(FATAL_ERROR "only ${count} game files installed")
endif()

# The installed replay plays the title from the installed files, in English from the
# installed catalogue (it stops with exit status 1 when it finds none).
set(run ${PREFIX}/run)
file(MAKE_DIRECTORY ${run}/config ${run}/data)
file(WRITE ${run}/script.txt "frames 2\nclick Button1\nframes 20\nshot title\nframes 1 Escape\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${run}/config XDG_DATA_HOME=${run}/data
    ${PREFIX}/bin/brannock-replay --lang en ${run}/script.txt ${run}/out
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed brannock-replay failed (${rc}):\n${out}${err}")
endif()
file(STRINGS ${run}/out/state.jsonl states)
list(LENGTH states frames)
if(frames LESS 23)
  message(FATAL_ERROR "the installed replay drew ${frames} frames, expected at least 23")
endif()
list(GET states 21 state)
if(NOT state MATCHES "\"screen\":\"opening\"")
  message(FATAL_ERROR "frame 22 of the installed replay is not the title: ${state}")
endif()
if(NOT EXISTS ${run}/out/title.png)
  message(FATAL_ERROR "the installed replay wrote no screenshot")
endif()

# Without its files the installed game says where it looked, and exits 1.
file(RENAME ${PREFIX}/share/brannock ${PREFIX}/share/brannock-away)
execute_process(COMMAND ${PREFIX}/bin/brannock RESULT_VARIABLE rc OUTPUT_VARIABLE out
  ERROR_VARIABLE err TIMEOUT 20)
file(RENAME ${PREFIX}/share/brannock-away ${PREFIX}/share/brannock)
if(NOT rc EQUAL 1 OR NOT err MATCHES "${PREFIX}/bin" OR NOT err MATCHES "${PREFIX}/share/brannock")
  message(FATAL_ERROR "the game without its files: exit ${rc}, '${err}'")
endif()
