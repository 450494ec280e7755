# An update as a player makes it, under Wine. The game folder first holds what
# an installed game has: the player's full Settings.ini with an edited price
# scale (as installs from before the defaults' folder have it), the French
# translation unpacked from its own zip, a save with a contract in play in
# Rhodes, its mission file and the tutorial flags seen. The release zip is then
# unpacked over it. The test passes when every one of those files is as it was,
# the defaults' folder has arrived, and the first contract then plays in
# Valentine with the game in French: French prompts, the reward paid at the
# edited scale, the player's keys named in the log, and the Rhodes contract
# still in play afterwards.
#
# Run as: cmake -DWINE=... -DWINESERVER=... -DWINE_PREFIX=... -DGAME_DIR=... -DPACKAGE=...
#               -DTRANSLATION_PACKAGE=... -DINSTALLED_DIR=... -DVERSION=... -DLOADER=... -DHOOK_DLL=...
#               -P package_update.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var PACKAGE TRANSLATION_PACKAGE INSTALLED_DIR GAME_DIR)
  if(NOT DEFINED ${var} OR NOT EXISTS "${${var}}" AND NOT var STREQUAL "GAME_DIR")
    message(FATAL_ERROR "package_update.cmake: ${var} is not set or missing: build the package first "
                        "(cmake --workflow --preset package)")
  endif()
endforeach()

# --- the installed game ----------------------------------------------------------
file(REMOVE_RECURSE "${GAME_DIR}")
file(MAKE_DIRECTORY "${GAME_DIR}")
file(COPY "${INSTALLED_DIR}/" DESTINATION "${GAME_DIR}")
file(ARCHIVE_EXTRACT INPUT "${TRANSLATION_PACKAGE}" DESTINATION "${GAME_DIR}")
file(GLOB_RECURSE own RELATIVE "${GAME_DIR}" "${GAME_DIR}/Drovil/*")
list(SORT own)
set(failures "")
if(NOT "Drovil/Lang.fr.dat" IN_LIST own)
  list(APPEND failures "the translation's zip did not install Drovil/Lang.fr.dat")
endif()
foreach(file ${own})
  string(MAKE_C_IDENTIFIER "${file}" id)
  file(SHA256 "${GAME_DIR}/${file}" before_${id})
endforeach()

# --- the update ----------------------------------------------------------------
file(ARCHIVE_EXTRACT INPUT "${PACKAGE}" DESTINATION "${GAME_DIR}")
foreach(file ${own})
  if(NOT EXISTS "${GAME_DIR}/${file}")
    list(APPEND failures "the update removed ${file}")
    continue()
  endif()
  string(MAKE_C_IDENTIFIER "${file}" id)
  file(SHA256 "${GAME_DIR}/${file}" after)
  if(NOT after STREQUAL "${before_${id}}")
    list(APPEND failures "the update changed ${file}")
  endif()
endforeach()
foreach(name Settings.ini Lang.dat GeneralMeta.dat AI.dat)
  if(NOT EXISTS "${GAME_DIR}/Drovil/Defaults/${name}")
    list(APPEND failures "the update did not bring Drovil/Defaults/${name}")
  endif()
endforeach()
list(JOIN own ", " own_list)
message(STATUS "the player's files kept by the update: ${own_list}")

# --- the game, in French -----------------------------------------------------------
set(GAME_READY ON)
include("${CMAKE_CURRENT_LIST_DIR}/wine_game.cmake")
run_loader(540 --scenario first-contract --seed 7 --language fr)

if(NOT run_rc STREQUAL "0")
  list(APPEND failures "drovil-loader.exe returned ${run_rc} instead of 0")
endif()
foreach(expected "summary: first-contract SUCCEEDED"
                 "[INPUT_CONTEXT_X] Accepter le contrat"
                 "Toucher la prime"
                 "Drovil.asi unloaded: 0 script(s), 0 keyboard handler(s) registered")
  string(FIND "${run_out}" "${expected}" at)
  if(at EQUAL -1)
    list(APPEND failures "the timeline lacks \"${expected}\"")
  endif()
endforeach()
# The edited price scale, 2.0 where the default is 1.0, doubles the reward.
if(run_out MATCHES "contract 4: bounty \\$([0-9]+), paid \\$([0-9]+)\\.00 \\(expected")
  math(EXPR doubled "${CMAKE_MATCH_1} * 2")
  if(NOT CMAKE_MATCH_2 EQUAL doubled)
    list(APPEND failures "the reward of a $${CMAKE_MATCH_1} bounty was $${CMAKE_MATCH_2}, not $${doubled}: "
                         "the player's PricesScale=2.0 is not in force")
  endif()
else()
  list(APPEND failures "the timeline names no reward paid for contract 4")
endif()
set(log_text "")
if(EXISTS "${GAME_DIR}/Drovil/Log.log")
  file(READ "${GAME_DIR}/Drovil/Log.log" log_text)
endif()
foreach(expected "first start of Drovil ${VERSION} on this folder"
                 "Drovil/Settings.ini: PricesScale=2.0 differs from the default 1.0"
                 "DrovilEngine: mission loaded. id: 3")
  string(FIND "${log_text}" "${expected}" at)
  if(at EQUAL -1)
    list(APPEND failures "Drovil/Log.log lacks \"${expected}\"")
  endif()
endforeach()
# The French translation read whole: every text of the defaults is in it.
if(NOT log_text MATCHES "data file 'Drovil/Lang\\.fr\\.dat' read over the defaults: [0-9]+ keys of its own, 0 of the")
  list(APPEND failures "Drovil/Log.log does not show the whole French translation read over the texts")
endif()
# The Rhodes contract is still in play, and the new one took the next id.
file(READ "${GAME_DIR}/Drovil/Savegame.dat" save)
if(NOT save MATCHES "missions\\.2046780049=3\n")
  list(APPEND failures "the save no longer holds the Rhodes contract:\n${save}")
endif()
if(NOT save MATCHES "next_mission_id=5\n")
  list(APPEND failures "the first contract did not take mission id 4:\n${save}")
endif()
if(NOT EXISTS "${GAME_DIR}/Drovil/Missions/3.dat")
  list(APPEND failures "the Rhodes contract's mission file is gone")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Update test failed:\n  ${text}\n--- Drovil/Log.log ---\n${log_text}")
endif()
message(STATUS "Update test passed")
