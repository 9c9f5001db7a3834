# gw_add_gtest(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable whose cases are registered with CTest one by one.
function(gw_add_gtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    GW_SOURCE_DIR="${CMAKE_SOURCE_DIR}" GW_PROGRAM_DIR="${GW_PROGRAM_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
