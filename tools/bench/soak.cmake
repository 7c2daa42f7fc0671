# brannock-soak: games started and left in one run, the resident memory after each.
add_executable(brannock-soak ${CMAKE_CURRENT_LIST_DIR}/soak.cpp)
target_link_libraries(brannock-soak PRIVATE brannock_app nlohmann_json::nlohmann_json
  brannock_warnings)
target_include_directories(brannock-soak PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(brannock-soak game_assets)
