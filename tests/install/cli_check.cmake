# brannock --help prints the usage on stdout and exits 0; an unknown option or an argument
# exits 2 with the usage line on stderr and nothing on stdout. Neither starts the game.
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

expect("--help" 0 "^usage: brannock \\[--lang ja\\|en\\] \\[--help \\| --version \\| \\[--no-flash\\] \\[--record FILE \\| --play FILE\\]\\]\n.*--version.*--no-flash.*--record FILE.*--play FILE" "^$")
expect("-h" 0 "^usage: brannock" "^$")
expect("--fullscreen" 2 "^$" "unknown option '--fullscreen'\nusage: brannock \\[--lang ja\\|en\\] \\[--help \\| --version \\| \\[--no-flash\\] \\[--record FILE \\| --play FILE\\]\\]\n$")
expect("stage2" 2 "^$" "unexpected argument 'stage2'\nusage: brannock")
expect("--play" 2 "^$" "option '--play' needs a demo file name\nusage: brannock")
expect("--lang;fr" 2 "^$" "unknown language 'fr': ja or en\nusage: brannock")
