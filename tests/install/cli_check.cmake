# brannock --help prints the usage on stdout and exits 0; an unknown option or an argument,
# with --help or without, exits 2 with the usage line on stderr and nothing on stdout.
# Neither starts the game.
function(expect args status out_regex err_regex)
  execute_process(COMMAND ${PROGRAM} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out
    ERROR_VARIABLE err TIMEOUT 20)
  if(NOT rc STREQUAL status)
    message(FATAL_ERROR "brannock ${args}: exit ${rc}, expected ${status}\n${out}${err}")
  endif()
  if(NOT out MATCHES "${out_regex}")
    message(FATAL_ERROR "brannock ${args}: stdout '${out}' does not match '${out_regex}'")
  endif()
  if(NOT err MATCHES "${err_regex}")
    message(FATAL_ERROR "brannock ${args}: stderr '${err}' does not match '${err_regex}'")
  endif()
endfunction()

expect("--help" 0 "^usage: brannock \\[--lang ja\\|en\\] \\[--help \\| --version \\| \\[--no-flash\\] \\[--fps 30\\|display\\|N\\] \\[--record FILE \\| --play FILE\\]\\]\n.*--version.*--no-flash.*--record FILE.*--play FILE" "^$")
expect("-h" 0 "^usage: brannock" "^$")
expect("--fullscreen" 2 "^$" "^brannock: unknown option '--fullscreen'\nbrannock: usage: brannock \\[--lang ja\\|en\\] \\[--help \\| --version \\| \\[--no-flash\\] \\[--fps 30\\|display\\|N\\] \\[--record FILE \\| --play FILE\\]\\]\n$")
expect("stage2" 2 "^$" "unexpected argument 'stage2'\nbrannock: usage: brannock")
expect("--play" 2 "^$" "option '--play' needs a demo file name\nbrannock: usage: brannock")
expect("--lang;fr" 2 "^$" "unknown language 'fr': ja or en\nbrannock: usage: brannock")
expect("--help;--bogus" 2 "^$" "^brannock: unknown option '--bogus'\n")

# The tools: a picture that cannot be written fails the run, and every line on stderr
# starts with the program's name; a replay ended by SIGTERM ends as any program does.
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR} ${RENDER_BENCH} --frames 40
    --size 64x48 --png /nonexistent/x.png
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^(brannock-render-bench: [^\n]*\n)+$")
  message(FATAL_ERROR "brannock-render-bench --png /nonexistent/x.png: exit ${rc}\n${err}")
endif()
set(ENV{XDG_CONFIG_HOME} ${WORK_DIR})
set(ENV{XDG_DATA_HOME} ${WORK_DIR})
file(WRITE ${WORK_DIR}/long.txt "click Button1\nframes 100000\n")
execute_process(COMMAND timeout --preserve-status -s TERM 3 ${REPLAY} ${WORK_DIR}/long.txt
  ${WORK_DIR} RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 143 OR NOT err STREQUAL "")
  message(FATAL_ERROR "brannock-replay ended by SIGTERM: exit ${rc}\n${err}")
endif()
