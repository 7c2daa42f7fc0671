# The display, its back surface and its text canvas.
brannock_test(display_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/display_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/present_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl_probe_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../engine/test_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render_threads_test.cpp
  LIBS brannock_media)
