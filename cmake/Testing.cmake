# mj_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One test executable linked with GoogleTest's main, registered with ctest. In the Windows
# builds ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-exec).
function(mj_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE mj_settings ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# mj_add_benchmark(<name> SOURCES <files...> LIBS <targets...>): built, never run by ctest.
function(mj_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE mj_settings ${B_LIBS})
endfunction()
