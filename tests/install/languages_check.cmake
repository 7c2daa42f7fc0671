# cmake -DDESKTOP=... -DMETAINFO=... -P languages_check.cmake
# The desktop entry and the AppStream metainfo speak both of the game's languages: every
# text of the desktop entry has its Japanese twin, and so has every text of the metainfo.
file(STRINGS ${DESKTOP} lines)
foreach(key Name GenericName Comment Keywords)
  set(found ${lines})
  list(FILTER found INCLUDE REGEX "^${key}(\\[ja\\])?=")
  list(LENGTH found count)
  if(NOT count EQUAL 2)
    message(FATAL_ERROR "${DESKTOP}: ${key} needs one English and one ${key}[ja] line")
  endif()
endforeach()
file(READ ${METAINFO} xml)
foreach(element name summary p)
  string(REGEX MATCHALL "<${element}>" english "${xml}")
  string(REGEX MATCHALL "<${element} xml:lang=\"ja\">" japanese "${xml}")
  list(LENGTH english english_count)
  list(LENGTH japanese japanese_count)
  if(english_count EQUAL 0 OR NOT english_count EQUAL japanese_count)
    message(FATAL_ERROR "${METAINFO}: ${english_count} <${element}> in English, "
      "${japanese_count} in Japanese")
  endif()
endforeach()
