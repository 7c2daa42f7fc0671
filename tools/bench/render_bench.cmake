# brannock-render-bench: frame times of the software 3D device on a busy scene.
add_executable(brannock-render-bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
target_link_libraries(brannock-render-bench PRIVATE brannock_media brannock_bench_support
  nlohmann_json::nlohmann_json brannock_warnings)
target_include_directories(brannock-render-bench PRIVATE ${CMAKE_SOURCE_DIR})
