# drovil-check.exe under Wine, as a translator or a player runs it on Windows:
# on a copy of the shipped Drovil/ folder (its defaults) it finds nothing to
# report and exits 0; with a Lang.dat and a Settings.ini of the player's over
# the defaults, one with a broken line, the other with a mistyped setting, it
# names the file, the line and the setting, and exits 1.
#
# Run as: cmake -DWINE=... -DWINESERVER=... -DWINE_PREFIX=... -DGAME_DIR=... -DDATA_DIR=...
#               -DLOADER=... -DHOOK_DLL=... -DPLUGIN=... -DCHECKER=... -P wine_check.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED CHECKER OR NOT EXISTS "${CHECKER}")
  message(FATAL_ERROR "wine_check.cmake: CHECKER is not set")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/wine_game.cmake")
file(COPY "${CHECKER}" DESTINATION "${GAME_DIR}")
get_filename_component(checker_name "${CHECKER}" NAME)

function(run_checker expected_rc)
  execute_process(COMMAND "${WINE}" "${checker_name}" Drovil
    WORKING_DIRECTORY "${GAME_DIR}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  message(STATUS "${checker_name} Drovil returned ${rc}:\n${out}${err}")
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${checker_name} returned ${rc}, not ${expected_rc}")
  endif()
  set(check_out "${out}" PARENT_SCOPE)
endfunction()

run_checker(0)
if(NOT check_out MATCHES "0 errors, 0 warnings: the folder would load and show every text")
  message(FATAL_ERROR "the shipped folder was not found clean")
endif()

file(APPEND "${GAME_DIR}/Drovil/Lang.dat" "a line without an equals sign\n")
file(APPEND "${GAME_DIR}/Drovil/Settings.ini" "\nPriceScale=2\n")
run_checker(1)
foreach(expected "\nLang.dat:1: error: this line is not key=value"
                 "Settings.ini:[0-9]+: warning: unknown setting PriceScale, it is not used \\(did you mean PricesScale\\?\\)")
  if(NOT check_out MATCHES "${expected}")
    message(FATAL_ERROR "the checker's report lacks: ${expected}")
  endif()
endforeach()
