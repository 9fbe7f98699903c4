# mv_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT])
# One test program, registered with ctest as one test. QT links the Qt test
# main (offscreen QApplication) instead of gtest_main.
function(mv_add_gtest name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest)
  if(T_QT)
    target_link_libraries(${name} PRIVATE qt_test_main Qt6::Test Qt6::Widgets)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  # Loopback servers started by tests must never be reached through a proxy.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;NO_PROXY=127.0.0.1,localhost;no_proxy=127.0.0.1,localhost;MV_CORPUS=${CMAKE_SOURCE_DIR}/../shared/corpus/pages;MV_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()

# mv_add_bench_smoke(TARGET ARGS...)
# Runs a benchmark on tiny inputs as a test, so that it keeps building and
# running; its figures mean nothing there.
function(mv_add_bench_smoke target)
  add_test(NAME ${target}-smoke COMMAND ${target} ${ARGN})
  set_tests_properties(${target}-smoke PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    LABELS bench
    TIMEOUT 300)
endfunction()

# Fuzz targets. Each source defines LLVMFuzzerTestOneInput. With
# MV_LIBFUZZER (clang; scripts/fuzz.sh configures it) a target is a libFuzzer
# program; otherwise it links tests/fuzz/FuzzDriver.cpp, which runs the kept
# inputs and random mutations of them. Either way ctest runs it for
# MV_FUZZ_TEST_SECONDS on its corpus: the kept inputs are regressions.
option(MV_LIBFUZZER "Build the fuzz targets with clang's libFuzzer" OFF)
set(MV_FUZZ_TEST_SECONDS 3 CACHE STRING "How long ctest runs each fuzz target")

# mv_add_fuzz(NAME SOURCES a.cpp LIBS lib1 lib2 CORPUS folder)
function(mv_add_fuzz name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  if(MV_LIBFUZZER)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${name} PRIVATE fuzz_driver)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # libFuzzer adds what it finds to the first folder: a scratch one, so the
  # kept corpus in the tree only changes by hand.
  set(scratch ${CMAKE_BINARY_DIR}/tests/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${MV_FUZZ_TEST_SECONDS} -artifact_prefix=${CMAKE_BINARY_DIR}/tests/${name}-
            ${scratch} ${F_CORPUS})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    LABELS fuzz
    TIMEOUT 120)
endfunction()
