# Small helpers so that every folder's CMakeLists.txt stays a line or two.

# quotara_library(name DEPS lib...): a static library quotara_<name> from every .cpp of the folder.
function(quotara_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(quotara_${name} STATIC ${srcs})
  target_include_directories(quotara_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(quotara_${name} PUBLIC ${A_DEPS})
  set_property(GLOBAL APPEND PROPERTY QUOTARA_LIBS quotara_${name})
endfunction()

# quotara_test(name DEPS lib...): one GoogleTest program from every .cpp of the folder.
# Tests run with the folder of the test sources as QUOTARA_TEST_DATA and a scratch
# folder under the build tree as QUOTARA_TEST_OUT.
find_package(GTest QUIET)
function(quotara_test name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${srcs})
  target_link_libraries(test_${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE
    QUOTARA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}"
    QUOTARA_TEST_OUT="${CMAKE_BINARY_DIR}/test-output/${name}"
    QUOTARA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-output/${name})
  include(GoogleTest)
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# quotara_bench(name DEPS lib...): one Google Benchmark program from every .cpp of the folder.
function(quotara_bench name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(bench_${name} ${srcs})
  target_link_libraries(bench_${name} PRIVATE ${A_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every listed sub-folder that exists, so that folders can land one at a time.
macro(quotara_subdirs)
  foreach(d ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/CMakeLists.txt)
      add_subdirectory(${d})
    endif()
  endforeach()
endmacro()
