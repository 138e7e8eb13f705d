# Writes small source trees built with cmake/Quotara.cmake and configures each:
# a sound one configures; each one that breaks a floor stops with its message.
file(REMOVE_RECURSE ${OUT})

# albero(name expected files...): the tree NAME from path=content pairs ("|" for a
# new line); EXPECTED is the message it must stop with, "" when it must configure.
function(albero name expected)
  set(dir ${OUT}/${name})
  file(WRITE ${dir}/CMakeLists.txt "cmake_minimum_required(VERSION 3.20)
project(strati CXX)
include(${QUOTARA})
add_library(quotara_windows STATIC ${dir}/src/finestra.cpp)
quotara_subdirs(src/base src/schermo src/logica src/sopra)
quotara_check_layers()
")
  file(WRITE ${dir}/src/finestra.cpp "int finestra() { return 0; }\n")
  foreach(pair ${ARGN})
    string(FIND "${pair}" "=" eq)
    string(SUBSTRING "${pair}" 0 ${eq} path)
    math(EXPR from "${eq} + 1")
    string(SUBSTRING "${pair}" ${from} -1 content)
    string(REPLACE "|" "\n" content "${content}")
    file(WRITE ${dir}/${path} "${content}\n")
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -G "${GENERATOR}" -S ${dir} -B ${dir}/build
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expected STREQUAL "")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${name}: the sound tree did not configure:\n${err}")
    endif()
  else()
    string(REGEX REPLACE "[ \n]+" " " err "${err}")
    if(rc EQUAL 0)
      message(FATAL_ERROR "${name}: configured, but it should stop with: ${expected}")
    elseif(NOT err MATCHES "${expected}")
      message(FATAL_ERROR "${name}: stopped, but not with \"${expected}\":\n${err}")
    endif()
  endif()
  message(STATUS "${name}: as expected")
endfunction()

# A plain library below, a screen library, a plain library using the first,
# and a folder of windows.
set(base "src/base/CMakeLists.txt=quotara_library(base)" "src/base/Base.h=#pragma once" "src/base/Base.cpp=#include \"base/Base.h\"")
set(schermo "src/schermo/CMakeLists.txt=quotara_library(schermo SCREEN DEPS quotara_base)"
            "src/schermo/Schermo.cpp=int schermo() { return 1; }")
set(sopra "src/sopra/CMakeLists.txt=quotara_windows(Pagina.cpp)" "src/sopra/Pagina.h=#pragma once"
          "src/sopra/Pagina.cpp=#include \"sopra/Pagina.h\"")

albero(Sano "" ${base} ${schermo} ${sopra}
  "src/logica/CMakeLists.txt=quotara_library(logica DEPS quotara_base)"
  "src/logica/Logica.cpp=#include \"base/Base.h\"")
albero(LogicaLegaLoSchermo "quotara_logica links quotara_schermo" ${base} ${schermo} ${sopra}
  "src/logica/CMakeLists.txt=quotara_library(logica DEPS quotara_schermo)"
  "src/logica/Logica.cpp=int logica() { return 2; }")
albero(LogicaIncludeIlKit "includes #include \"kit/Messaggi.h\"" ${base} ${schermo} ${sopra}
  "src/logica/CMakeLists.txt=quotara_library(logica DEPS quotara_base)"
  "src/logica/Logica.cpp=#include \"kit/Messaggi.h\"")
albero(SchermoIncludeUnaFinestra "includes the window header sopra/Pagina.h" ${base} ${schermo} ${sopra}
  "src/logica/CMakeLists.txt=quotara_library(logica DEPS quotara_base)"
  "src/logica/Logica.cpp=int logica() { return 2; }"
  "src/schermo/Altro.cpp=#include \"sopra/Pagina.h\"")
