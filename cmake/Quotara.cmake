# Small helpers so that every folder's CMakeLists.txt stays a line or two.

# Three floors. The plain logic of each folder (records, formula, totals, fiscal
# code, FDF text, report layout) is one library per folder, using only the
# folders listed before it in src/CMakeLists.txt; it shows nothing. Above it the
# screen libraries, marked SCREEN: the window model (forms), the kit every
# window uses (kit) and the drawn controls (widgets); the Qt front end too.
# Every window of every folder (and the frame and the start-up) goes into the
# one library quotara_windows, which sits above all of them, so windows may
# call each other freely. A folder states its parts in a line or two:
#
#   quotara_library(calculation DEPS quotara_shell)        # every .cpp not listed below
#   quotara_windows(MainForm.cpp frmAcconto.cpp)           # its windows
#
# Configuring stops when a plain-logic or screen file includes a window's
# header, and when a plain-logic library links a screen library (directly or
# through another) or includes a header of forms/, kit/, widgets/, desktop/ or
# frame/.

# quotara_library(name [SCREEN] DEPS lib...): the static library quotara_<name> from every
# .cpp of the folder that quotara_windows does not claim; made once the folder's
# CMakeLists.txt has run. SCREEN marks a library that shows things (not plain logic).
function(quotara_library name)
  cmake_parse_arguments(A "SCREEN" "" "DEPS" ${ARGN})
  set_property(GLOBAL PROPERTY QUOTARA_DEPS_quotara_${name} ${A_DEPS})
  if(A_SCREEN)
    set_property(GLOBAL APPEND PROPERTY QUOTARA_SCREEN_LIBS quotara_${name})
  else()
    set_property(GLOBAL APPEND PROPERTY QUOTARA_LOGIC_LIBS quotara_${name})
  endif()
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
  set_property(GLOBAL PROPERTY QUOTARA_FILES_quotara_${name} ${srcs} ${headers})
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

# The quotara_ libraries that LIB links, directly or through others.
function(_quotara_all_deps lib out)
  set(seen)
  set(todo ${lib})
  while(todo)
    list(POP_FRONT todo l)
    get_property(deps GLOBAL PROPERTY QUOTARA_DEPS_${l})
    foreach(d ${deps})
      if(d MATCHES "^quotara_" AND NOT d IN_LIST seen)
        list(APPEND seen ${d})
        list(APPEND todo ${d})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Stops the configuration when a file of a library includes a window's header,
# and when plain logic reaches the screen (see the top of this file).
function(quotara_check_layers)
  get_property(libs GLOBAL PROPERTY QUOTARA_LIBS)
  get_property(windows GLOBAL PROPERTY QUOTARA_WINDOW_HEADERS)
  get_property(logic GLOBAL PROPERTY QUOTARA_LOGIC_LIBS)
  get_property(screen GLOBAL PROPERTY QUOTARA_SCREEN_LIBS)
  foreach(lib ${libs})
    set(plain FALSE)
    if(lib IN_LIST logic)
      set(plain TRUE)
      _quotara_all_deps(${lib} deps)
      foreach(d ${deps})
        if(d IN_LIST screen)
          message(FATAL_ERROR "${lib} links ${d}: plain logic shows nothing and sits below forms and the kit")
        endif()
      endforeach()
    endif()
    # Each file's includes read once, for both rules.
    get_property(files GLOBAL PROPERTY QUOTARA_FILES_${lib})
    foreach(f ${files})
      file(STRINGS ${f} includes REGEX "^#include \"[^\"]+\"")
      foreach(line ${includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        if(included IN_LIST windows)
          message(FATAL_ERROR "${f} includes the window header ${included}: the windows sit above every library")
        endif()
        if(plain AND included MATCHES "^(forms|kit|widgets|desktop|frame)/")
          message(FATAL_ERROR "${f} (plain logic) includes ${line}: plain logic shows nothing")
        endif()
      endforeach()
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

# quotara_bench(name [OWN_MAIN] DEPS lib...): one Google Benchmark program from every .cpp of the
# folder; with OWN_MAIN one of them has the program's main.
function(quotara_bench name)
  cmake_parse_arguments(A "OWN_MAIN" "" "DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(bench_${name} ${srcs})
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(bench_${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  if(NOT A_OWN_MAIN)
    target_link_libraries(bench_${name} PRIVATE benchmark::benchmark_main)
  endif()
endfunction()

# Adds every listed sub-folder that exists, so that folders can land one at a time.
macro(quotara_subdirs)
  foreach(d ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/CMakeLists.txt)
      add_subdirectory(${d})
    endif()
  endforeach()
endmacro()
