# The instance every fuzz target drives, shared by the fuzzers and their replays.
add_library(ondex_fuzzplugin STATIC ${CMAKE_CURRENT_LIST_DIR}/fuzzplugin.cpp)
target_link_libraries(ondex_fuzzplugin PUBLIC ondex_effect ondex_quiethost)
target_include_directories(ondex_fuzzplugin PUBLIC ${CMAKE_CURRENT_LIST_DIR})
