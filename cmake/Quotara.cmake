# Small helpers so that every folder's CMakeLists.txt stays a line or two.

# Two layers. The plain logic of each folder (records, formula, totals, fiscal
# code, FDF text, report layout) is one library per folder, using only the
# folders listed before it in src/CMakeLists.txt. Every window of every folder
# (and the frame and the start-up) goes into the one library quotara_windows,
# which sits above all of them, so windows may call each other freely. A folder
# states its two parts in two lines, in either order:
#
#   quotara_library(calculation DEPS quotara_shell)        # every .cpp not listed below
#   quotara_windows(MainForm.cpp frmAcconto.cpp)           # its windows
#
# No plain-logic file may include a window's header (checked when configuring).

# quotara_library(name DEPS lib...): the static library quotara_<name> from every .cpp of
# the folder that quotara_windows does not claim; made once the folder's CMakeLists.txt has run.
function(quotara_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  set_property(DIRECTORY PROPERTY QUOTARA_LIBRARY_NAME ${name})
  set_property(DIRECTORY PROPERTY QUOTARA_LIBRARY_DEPS ${A_DEPS})
  cmake_language(DEFER CALL _quotara_make_library)
endfunction()

function(_quotara_make_library)
  get_property(name DIRECTORY PROPERTY QUOTARA_LIBRARY_NAME)
  get_property(deps DIRECTORY PROPERTY QUOTARA_LIBRARY_DEPS)
  get_property(windows DIRECTORY PROPERTY QUOTARA_WINDOW_FILES)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(w ${windows})
    get_filename_component(stem ${w} NAME_WE)
    list(REMOVE_ITEM srcs ${CMAKE_CURRENT_SOURCE_DIR}/${w})
    list(REMOVE_ITEM headers ${CMAKE_CURRENT_SOURCE_DIR}/${stem}.h)
  endforeach()
  if(srcs)
    add_library(quotara_${name} STATIC ${srcs})
    target_include_directories(quotara_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quotara_${name} PUBLIC ${deps})
  else()
    add_library(quotara_${name} INTERFACE)
    target_include_directories(quotara_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quotara_${name} INTERFACE ${deps})
  endif()
  set_property(GLOBAL APPEND PROPERTY QUOTARA_LIBS quotara_${name})
  set_property(GLOBAL APPEND PROPERTY QUOTARA_RULE_FILES ${srcs} ${headers})
endfunction()

# quotara_windows(file.cpp ...): the folder's windows (each with its .h), built into quotara_windows.
function(quotara_windows)
  set_property(DIRECTORY APPEND PROPERTY QUOTARA_WINDOW_FILES ${ARGN})
  foreach(w ${ARGN})
    target_sources(quotara_windows PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${w})
    get_filename_component(stem ${w} NAME_WE)
    file(RELATIVE_PATH header ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR}/${stem}.h)
    set_property(GLOBAL APPEND PROPERTY QUOTARA_WINDOW_HEADERS ${header})
  endforeach()
endfunction()

# Stops the configuration when a plain-logic file includes a window's header.
function(quotara_check_layers)
  get_property(rules GLOBAL PROPERTY QUOTARA_RULE_FILES)
  get_property(windows GLOBAL PROPERTY QUOTARA_WINDOW_HEADERS)
  foreach(f ${rules})
    file(STRINGS ${f} includes REGEX "^#include \"[^\"]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(included IN_LIST windows)
        message(FATAL_ERROR "${f} includes the window header ${included}: plain logic sits below the windows")
      endif()
    endforeach()
  endforeach()
endfunction()

# quotara_test(name DEPS lib...): one GoogleTest program from every .cpp of the folder.
# Tests run with the folder of the test sources as QUOTARA_TEST_DATA; each test
# writes only in its own scratch folder (quotara::testing::CartellaTest(),
# tests/support/Cartella.h).
find_package(GTest QUIET)
function(quotara_test name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${srcs})
  # Every program gets the scratch folders; window tests also the program fixture.
  set(support quotara_test_files)
  if(quotara_windows IN_LIST A_DEPS)
    set(support quotara_test_support)
  endif()
  target_link_libraries(test_${name} PRIVATE ${support} ${A_DEPS} GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE
    QUOTARA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}"
    QUOTARA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
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
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
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
