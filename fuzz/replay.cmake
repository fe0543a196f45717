# The fuzz targets without the fuzzer, as tests of the normal run: each one
# replays the inputs of earlier findings kept in regressions/<target>.
include(${CMAKE_CURRENT_LIST_DIR}/fuzzplugin.cmake)
foreach(target chunk events dispatcher parameters records)
  set(kept ${CMAKE_CURRENT_LIST_DIR}/regressions/${target})
  if(NOT IS_DIRECTORY ${kept})
    continue()
  endif()
  add_executable(${target}_replay ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/replay.cpp)
  target_link_libraries(${target}_replay PRIVATE ondex_fuzzplugin)
  if(target STREQUAL "records")
    target_link_libraries(${target}_replay PRIVATE ondex_presetpanel)
  endif()
  set_target_properties(${target}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_test(NAME fuzz_replay_${target} COMMAND ${target}_replay ${kept})
  set_tests_properties(fuzz_replay_${target} PROPERTIES TIMEOUT 300)
endforeach()
