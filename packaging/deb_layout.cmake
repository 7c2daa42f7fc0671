# Run by cpack after it installed the game into its staging folder, before it builds the
# package: the Debian package's own layout. A game's programs live in /usr/games, where the
# game finds its files in ../share/brannock as it does from bin/; the desktop entry starts it
# by that path; the changelog and the lintian overrides go with it.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(prefix ${CPACK_PACKAGING_INSTALL_PREFIX})
set(usr ${CPACK_TEMPORARY_DIRECTORY}${prefix})
set(dir_mode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
set(file_mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Copies a file to a path in the package, its folders with the usual modes whatever the umask.
function(put source path)
  get_filename_component(folder ${usr}/${path} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  string(LENGTH "${usr}" top)
  string(LENGTH "${folder}" length)
  while(length GREATER top)
    file(CHMOD ${folder} PERMISSIONS ${dir_mode})
    get_filename_component(folder ${folder} DIRECTORY)
    string(LENGTH "${folder}" length)
  endwhile()
  file(COPY_FILE ${source} ${usr}/${path})
  file(CHMOD ${usr}/${path} PERMISSIONS ${file_mode})
endfunction()

file(GLOB programs ${usr}/bin/*)
if(NOT programs)
  message(FATAL_ERROR "no programs in ${usr}/bin")
endif()
file(MAKE_DIRECTORY ${usr}/games)
file(CHMOD ${usr}/games PERMISSIONS ${dir_mode})
foreach(program IN LISTS programs)
  get_filename_component(name ${program} NAME)
  file(RENAME ${program} ${usr}/games/${name})
  # Like Debian's own packages: without the compiler's notes, which nothing reads.
  execute_process(COMMAND ${CPACK_BRANNOCK_STRIP} --remove-section=.comment
    --remove-section=.note ${usr}/games/${name} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(REMOVE_RECURSE ${usr}/bin)

set(desktop ${usr}/share/applications/brannock.desktop)
file(READ ${desktop} entry)
string(REPLACE "\nExec=brannock\n" "\nExec=${prefix}/games/brannock\n" games_entry "${entry}")
if(games_entry STREQUAL entry)
  message(FATAL_ERROR "${desktop} has no line 'Exec=brannock' to point at ${prefix}/games")
endif()
file(WRITE ${desktop} "${games_entry}")

put(${CPACK_BRANNOCK_CHANGELOG} share/doc/brannock/changelog.gz)
put(${CPACK_BRANNOCK_LINTIAN_OVERRIDES} share/lintian/overrides/brannock)
