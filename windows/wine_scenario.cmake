# A whole scenario played by the real Windows build under Wine: the stand-in
# ScriptHookRDR2.dll plays it with the scripted player while Drovil.asi runs
# in the game, and prints the same timeline as drovil-sim. The test passes
# when the loader reports the scenario's success and the plug-in withdrew at
# unload.
#
# With PACKAGE (the release zip) instead of PLUGIN and DATA_DIR, the game folder
# is the package unpacked into an empty folder beside the stand-in hook and the
# loader; with VERSION, the log's banner must name that version and the build.
#
# Run as: cmake -DWINE=... -DWINESERVER=... -DWINE_PREFIX=... -DGAME_DIR=... -DDATA_DIR=...
#               -DLOADER=... -DHOOK_DLL=... -DPLUGIN=... -DSCENARIO=... -DSEED=... -P wine_scenario.cmake
#    or: cmake ... -DPACKAGE=Drovil-<version>.zip -DVERSION=<version> -DLOADER=... -DHOOK_DLL=... -P wine_scenario.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var SCENARIO SEED)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "wine_scenario.cmake: ${var} is not set")
  endif()
endforeach()
include("${CMAKE_CURRENT_LIST_DIR}/wine_game.cmake")

run_loader(540 --scenario "${SCENARIO}" --seed "${SEED}")

set(failures "")
if(NOT run_rc STREQUAL "0")
  list(APPEND failures "drovil-loader.exe returned ${run_rc} instead of 0")
endif()
string(FIND "${run_out}" "summary: ${SCENARIO} SUCCEEDED" at)
if(at EQUAL -1)
  list(APPEND failures "the timeline does not end with \"summary: ${SCENARIO} SUCCEEDED\"")
endif()
string(FIND "${run_out}" "Drovil.asi unloaded: 0 script(s), 0 keyboard handler(s) registered" at)
if(at EQUAL -1)
  list(APPEND failures "the plug-in did not withdraw its script and keyboard handler at unload")
endif()
set(log_text "")
if(EXISTS "${GAME_DIR}/Drovil/Log.log")
  file(READ "${GAME_DIR}/Drovil/Log.log" log_text)
endif()
if(DEFINED VERSION)
  string(REGEX MATCH "Drovil ${VERSION}: [^\n]*\\(build [^\n]*\\)" banner "${log_text}")
  if(banner STREQUAL "")
    list(APPEND failures "the log's banner does not name Drovil ${VERSION} and its build")
  else()
    message(STATUS "banner: ${banner}")
  endif()
endif()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Wine scenario test failed:\n  ${text}\n--- Drovil/Log.log ---\n${log_text}")
endif()
message(STATUS "Wine scenario test passed")
