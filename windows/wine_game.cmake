# The Wine tests' common part: checks the variables, lays out a fresh game
# folder and makes sure the Wine prefix exists. Included by the test scripts
# with WINE, WINE_PREFIX, GAME_DIR, LOADER and HOOK_DLL set, and either
#  - PLUGIN and DATA_DIR: the folder holds the three binaries and a copy of the
#    shipped Drovil/ folder (its Defaults/), without a log; or
#  - PACKAGE: the release zip is unpacked into the empty folder as a player
#    would, and only the stand-in hook and the loader are added beside it; or
#  - PACKAGE and GAME_READY: the including script has laid out the folder
#    itself (the package unpacked over an installed game); only the stand-in
#    hook and the loader are added.
set(required WINE WINE_PREFIX GAME_DIR LOADER HOOK_DLL)
if(NOT DEFINED PACKAGE)
  list(APPEND required DATA_DIR PLUGIN)
endif()
foreach(var ${required})
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "${CMAKE_CURRENT_LIST_FILE}: ${var} is not set")
  endif()
endforeach()
if(WINE MATCHES "NOTFOUND$" OR NOT EXISTS "${WINE}")
  message(FATAL_ERROR "wine64 was not found when the build was configured; install it "
                      "(apt-get install wine wine64) and configure again")
endif()

# --- the game folder ---------------------------------------------------------
if(NOT GAME_READY)
  file(REMOVE_RECURSE "${GAME_DIR}")
  file(MAKE_DIRECTORY "${GAME_DIR}")
endif()
if(DEFINED PACKAGE)
  if(NOT EXISTS "${PACKAGE}")
    message(FATAL_ERROR "the package ${PACKAGE} is missing: build it with `cmake --workflow --preset package`")
  endif()
  if(NOT GAME_READY)
    file(ARCHIVE_EXTRACT INPUT "${PACKAGE}" DESTINATION "${GAME_DIR}")
  endif()
  foreach(binary "${LOADER}" "${HOOK_DLL}")
    get_filename_component(name "${binary}" NAME)
    if(EXISTS "${GAME_DIR}/${name}")
      message(FATAL_ERROR "the package brings ${name}: it must hold only the plug-in and its data")
    endif()
  endforeach()
  file(COPY "${LOADER}" "${HOOK_DLL}" DESTINATION "${GAME_DIR}")
else()
  if(NOT IS_DIRECTORY "${DATA_DIR}")
    message(FATAL_ERROR "the shipped data folder ${DATA_DIR} is missing")
  endif()
  file(COPY "${LOADER}" "${HOOK_DLL}" "${PLUGIN}" DESTINATION "${GAME_DIR}")
  file(COPY "${DATA_DIR}/" DESTINATION "${GAME_DIR}/Drovil")
  file(REMOVE "${GAME_DIR}/Drovil/Log.log")
endif()
get_filename_component(loader_name "${LOADER}" NAME)

# --- Wine ----------------------------------------------------------------------
set(ENV{WINEPREFIX} "${WINE_PREFIX}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEARCH} "win64")
# No Mono or Gecko installer dialogs while the prefix is made.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
# The loader finds the libraries beside itself; the path is there all the same.
set(ENV{WINEPATH} "${GAME_DIR}")
unset(ENV{DISPLAY})

string(TIMESTAMP started "%s")
if(NOT EXISTS "${WINE_PREFIX}/system.reg")
  message(STATUS "Creating the Wine prefix ${WINE_PREFIX} (the first run takes a while)")
  file(MAKE_DIRECTORY "${WINE_PREFIX}")
  execute_process(COMMAND "${WINE}" wineboot.exe --init
    RESULT_VARIABLE boot_rc OUTPUT_VARIABLE boot_out ERROR_VARIABLE boot_out TIMEOUT 420)
  if(WINESERVER AND EXISTS "${WINESERVER}")
    execute_process(COMMAND "${WINESERVER}" -w TIMEOUT 120)
  endif()
  if(NOT boot_rc EQUAL 0 OR NOT EXISTS "${WINE_PREFIX}/system.reg")
    file(REMOVE_RECURSE "${WINE_PREFIX}")
    message(FATAL_ERROR "wineboot could not create the Wine prefix ${WINE_PREFIX} "
                        "(result: ${boot_rc}):\n${boot_out}")
  endif()
  string(TIMESTAMP booted "%s")
  math(EXPR boot_seconds "${booted} - ${started}")
  message(STATUS "Wine prefix ready after ${boot_seconds} s")
endif()


# Runs drovil-loader.exe in the game folder under Wine with the given arguments,
# at most `timeout` seconds, and reports how it went. Sets run_rc, run_out and
# run_err in the caller's scope.
function(run_loader timeout)
  string(TIMESTAMP run_started "%s")
  execute_process(COMMAND "${WINE}" "${loader_name}" ${ARGN}
    WORKING_DIRECTORY "${GAME_DIR}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT ${timeout})
  string(TIMESTAMP run_ended "%s")
  math(EXPR run_seconds "${run_ended} - ${run_started}")
  message(STATUS "drovil-loader.exe ${ARGN} ran for ${run_seconds} s and returned ${rc}")
  message(STATUS "loader output:\n${out}${err}")
  set(run_rc "${rc}" PARENT_SCOPE)
  set(run_out "${out}" PARENT_SCOPE)
  set(run_err "${err}" PARENT_SCOPE)
endfunction()
