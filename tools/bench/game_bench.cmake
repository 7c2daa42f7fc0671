# brannock-bench: game frames on a scripted route through stage 1, timed by parts.
add_executable(brannock-bench ${CMAKE_CURRENT_LIST_DIR}/game_bench.cpp)
target_link_libraries(brannock-bench PRIVATE brannock_app brannock_bench_support
  nlohmann_json::nlohmann_json brannock_warnings)
target_include_directories(brannock-bench PRIVATE ${CMAKE_SOURCE_DIR})
target_include_directories(brannock-bench SYSTEM PRIVATE /usr/include/stb)
add_dependencies(brannock-bench game_assets)
