# brannock_layer_check(LIBRARY): links every object of LIBRARY, whole, into a small program
# with only the libraries LIBRARY itself links. The game links all layers into one
# program, where a call from a lower layer into a higher one would go unnoticed; here it
# is an undefined symbol, and the build fails.
set(BRANNOCK_LAYER_CHECK_MAIN ${CMAKE_CURRENT_LIST_DIR}/layer_check_main.cpp)

function(brannock_layer_check library)
  set(check ${library}_layer_check)
  add_executable(${check} ${BRANNOCK_LAYER_CHECK_MAIN} ${ARGN})
  target_link_libraries(${check} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
  set_target_properties(${check} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
    ${CMAKE_BINARY_DIR}/layer_checks)
endfunction()
