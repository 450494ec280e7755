# Checks the release zip as a player gets it:
#  - laid out like the game folder: Drovil.asi, CHANGELOG.md and Drovil/ at the
#    top, nothing else;
#  - Drovil/ holds the player's readme and Drovil/Defaults/, every shipped
#    data file unchanged, and nothing else: no file of the player's own (his
#    Settings.ini, Lang.dat, GeneralMeta.dat, AI.dat, a translation
#    Lang.<tag>.dat) and none of the files a game writes (the save, the
#    tutorial flags, the mission files, the version last started, the log), so
#    unpacking an update keeps everything the player made;
#  - each translation zip, Drovil-<version>-<tag>.zip, holds its
#    Drovil/Lang.<tag>.dat alone, as the repository has it;
#  - no DLL or program besides Drovil.asi: above all not the simulator's
#    stand-in ScriptHookRDR2.dll, which would replace the player's real hook;
#  - Drovil.asi imports only Windows' own DLLs, exports nothing and carries a
#    version resource naming the product, the version and what it is;
#  - the readme and the changelog name the version.
#
# Run as: cmake -DPACKAGE=... -DVERSION=... -DOBJDUMP=... -DDATA_DIR=... -DPLAYER_STATE_FILES=...
#               -DTRANSLATIONS_DIR=... -DWORK_DIR=... -P check_package.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var PACKAGE VERSION OBJDUMP DATA_DIR PLAYER_STATE_FILES TRANSLATIONS_DIR WORK_DIR)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "" OR "${${var}}" MATCHES "NOTFOUND$")
    message(FATAL_ERROR "check_package.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${PACKAGE}")
  message(FATAL_ERROR "the package ${PACKAGE} is missing: build it with `cmake --workflow --preset package`")
endif()
get_filename_component(package_name "${PACKAGE}" NAME)
if(NOT package_name STREQUAL "Drovil-${VERSION}.zip")
  message(FATAL_ERROR "the package is called ${package_name}, not Drovil-${VERSION}.zip")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/pe_checks.cmake")

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(ARCHIVE_EXTRACT INPUT "${PACKAGE}" DESTINATION "${WORK_DIR}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
list(SORT entries)
list(JOIN entries "\n    " listing)
message(STATUS "${package_name} holds:\n    ${listing}")

set(failures "")

# --- the layout -----------------------------------------------------------------
foreach(entry ${entries})
  if(NOT entry MATCHES "/" AND NOT entry MATCHES "^(Drovil\\.asi|Drovil|CHANGELOG\\.md)$")
    list(APPEND failures "${entry} at the top of the package: it would land beside the game's executable")
  endif()
  string(TOLOWER "${entry}" lower)
  if(lower MATCHES "\\.(dll|exe)$")
    list(APPEND failures "the package holds ${entry}: only Drovil.asi and its data belong in it")
  endif()
  get_filename_component(name "${entry}" NAME)
  if(name IN_LIST PLAYER_STATE_FILES OR entry MATCHES "^Drovil/Missions(/|$)")
    list(APPEND failures "the package holds ${entry}: unpacking an update would overwrite the player's own")
  endif()
endforeach()
foreach(required Drovil.asi CHANGELOG.md Drovil/README.txt)
  if(NOT EXISTS "${WORK_DIR}/${required}" OR IS_DIRECTORY "${WORK_DIR}/${required}")
    list(APPEND failures "the package has no ${required}")
  endif()
endforeach()

# Every shipped data file in Drovil/Defaults/, as it is in the repository;
# nothing else in Drovil/ but the readme.
file(GLOB shipped RELATIVE "${DATA_DIR}/Defaults" "${DATA_DIR}/Defaults/*")
list(LENGTH shipped shipped_count)
foreach(name ${shipped})
  if(NOT EXISTS "${WORK_DIR}/Drovil/Defaults/${name}")
    list(APPEND failures "the package has no Drovil/Defaults/${name}")
  else()
    file(SHA256 "${DATA_DIR}/Defaults/${name}" want)
    file(SHA256 "${WORK_DIR}/Drovil/Defaults/${name}" got)
    if(NOT want STREQUAL got)
      list(APPEND failures "Drovil/Defaults/${name} in the package differs from the shipped data/Drovil/Defaults/${name}")
    endif()
  endif()
endforeach()
foreach(entry ${entries})
  if(entry MATCHES "^Drovil/Defaults/(.+)$")
    if(NOT EXISTS "${DATA_DIR}/Defaults/${CMAKE_MATCH_1}")
      list(APPEND failures "the package's ${entry} is not part of the shipped defaults")
    endif()
  elseif(entry MATCHES "^Drovil/(.+)$" AND NOT CMAKE_MATCH_1 MATCHES "^(README\\.txt|Defaults)$")
    list(APPEND failures "the package holds ${entry}: only the defaults' folder and the readme belong in "
                         "Drovil/, unpacking an update would overwrite the player's own file")
  endif()
  if(entry MATCHES "(^|/)Lang\\.[^/]+\\.dat$")
    list(APPEND failures "the package holds the translation ${entry}: translations ship in zips of their own")
  endif()
endforeach()
if(shipped_count LESS 4)
  list(APPEND failures "only ${shipped_count} shipped data files found in ${DATA_DIR}/Defaults")
endif()

# The translations, each in its own zip beside the game's.
file(GLOB translations RELATIVE "${TRANSLATIONS_DIR}" "${TRANSLATIONS_DIR}/Lang.*.dat")
if(NOT translations)
  list(APPEND failures "no translation found in ${TRANSLATIONS_DIR}")
endif()
get_filename_component(package_dir "${PACKAGE}" DIRECTORY)
foreach(name ${translations})
  string(REGEX REPLACE "^Lang\\.(.+)\\.dat$" "\\1" tag "${name}")
  set(zip "${package_dir}/Drovil-${VERSION}-${tag}.zip")
  if(NOT EXISTS "${zip}")
    list(APPEND failures "the translation ${name} has no zip Drovil-${VERSION}-${tag}.zip")
    continue()
  endif()
  set(unpacked "${WORK_DIR}-${tag}")
  file(REMOVE_RECURSE "${unpacked}")
  file(MAKE_DIRECTORY "${unpacked}")
  file(ARCHIVE_EXTRACT INPUT "${zip}" DESTINATION "${unpacked}")
  file(GLOB_RECURSE held RELATIVE "${unpacked}" "${unpacked}/*")
  if(NOT held STREQUAL "Drovil/${name}")
    list(APPEND failures "Drovil-${VERSION}-${tag}.zip holds \"${held}\" instead of Drovil/${name} alone")
  else()
    file(SHA256 "${TRANSLATIONS_DIR}/${name}" want)
    file(SHA256 "${unpacked}/Drovil/${name}" got)
    if(NOT want STREQUAL got)
      list(APPEND failures "Drovil-${VERSION}-${tag}.zip's ${name} differs from data/translations/${name}")
    endif()
  endif()
  message(STATUS "Drovil-${VERSION}-${tag}.zip holds Drovil/${name}")
endforeach()

# --- the plug-in ------------------------------------------------------------------
set(plugin "${WORK_DIR}/Drovil.asi")
if(EXISTS "${plugin}")
  check_system_imports("${plugin}" failures)
  check_no_exports("${plugin}" failures)
  # The version resource's strings are UTF-16: each key is followed by its
  # value. (Only plain strings are kept: brackets and semicolons in the rest of
  # the binary would upset the list.)
  file(STRINGS "${plugin}" resource_strings ENCODING UTF-16LE REGEX "^[A-Za-z0-9 .,:()_-]+$")
  foreach(pair "ProductName=Drovil" "ProductVersion=${VERSION}" "FileVersion=${VERSION}"
               "OriginalFilename=Drovil.asi")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 key)
    list(GET pair 1 value)
    list(FIND resource_strings "${key}" at)
    set(found "")
    if(at GREATER -1)
      math(EXPR next "${at} + 1")
      list(LENGTH resource_strings count)
      if(next LESS count)
        list(GET resource_strings ${next} found)
      endif()
    endif()
    if(NOT found STREQUAL value)
      list(APPEND failures "Drovil.asi's version resource gives ${key} \"${found}\", not \"${value}\"")
    endif()
  endforeach()
  list(FIND resource_strings "FileDescription" at)
  if(at EQUAL -1)
    list(APPEND failures "Drovil.asi's version resource has no FileDescription")
  endif()
endif()

# --- the texts ----------------------------------------------------------------------
if(EXISTS "${WORK_DIR}/Drovil/README.txt" AND EXISTS "${WORK_DIR}/Drovil/Defaults/Settings.ini")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DREADME=${WORK_DIR}/Drovil/README.txt
                          -DSETTINGS=${WORK_DIR}/Drovil/Defaults/Settings.ini -DVERSION=${VERSION} -DCRLF=ON
                          -P "${CMAKE_CURRENT_LIST_DIR}/../cmake/check_player_readme.cmake"
                  RESULT_VARIABLE readme_rc OUTPUT_VARIABLE readme_out ERROR_VARIABLE readme_out)
  if(NOT readme_rc EQUAL 0)
    string(REGEX MATCHALL "\n +the readme [^\n]+" readme_faults "${readme_out}")
    foreach(fault ${readme_faults})
      string(STRIP "${fault}" fault)
      list(APPEND failures "Drovil/README.txt: ${fault}")
    endforeach()
    if(NOT readme_faults)
      list(APPEND failures "Drovil/README.txt: ${readme_out}")
    endif()
  endif()
endif()
if(EXISTS "${WORK_DIR}/CHANGELOG.md")
  file(READ "${WORK_DIR}/CHANGELOG.md" changelog)
  string(REPLACE "." "\\." version_pattern "${VERSION}")
  if(NOT changelog MATCHES "\n## ${version_pattern}[ \n]")
    list(APPEND failures "CHANGELOG.md has no \"## ${VERSION}\" entry")
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Package check failed:\n  ${text}")
endif()
message(STATUS "Package check passed: ${package_name}")
