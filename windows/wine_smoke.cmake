# Smoke test of the real Windows build under Wine.
#
# Lays out a fresh game folder (the three binaries, a copy of the shipped
# Drovil/ folder and DevTools=1 in Drovil/Settings.ini), runs drovil-loader.exe
# there under Wine and checks what the player and the bug report would show:
# the log banner (version and build) and "initialization complete" in Drovil/Log.log, the subtitles
# "Debug tools ON" and "Debug tools OFF" recorded by the stand-in host in
# sim-host.log, and the script and keyboard handler withdrawn at unload.
#
# Run as: cmake -DWINE=... -DWINESERVER=... -DWINE_PREFIX=... -DGAME_DIR=... -DDATA_DIR=...
#               -DLOADER=... -DHOOK_DLL=... -DPLUGIN=... -DVERSION=... -P wine_smoke.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED VERSION OR VERSION STREQUAL "")
  message(FATAL_ERROR "wine_smoke.cmake: VERSION is not set")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/wine_game.cmake")
# A later line wins in Settings.ini, so the shipped file keeps its other options.
file(APPEND "${GAME_DIR}/Drovil/Settings.ini" "\nDevTools=1\n")

run_loader(240)

set(log_file "${GAME_DIR}/Drovil/Log.log")
set(host_file "${GAME_DIR}/sim-host.log")
set(log_text "")
set(host_text "")
if(EXISTS "${log_file}")
  file(READ "${log_file}" log_text)
endif()
if(EXISTS "${host_file}")
  file(READ "${host_file}" host_text)
endif()

# --- checks --------------------------------------------------------------------
set(failures "")
if(NOT run_rc STREQUAL "0")
  list(APPEND failures "drovil-loader.exe returned ${run_rc} instead of 0")
endif()
if(NOT EXISTS "${log_file}")
  list(APPEND failures "Drovil/Log.log was not written")
endif()

# The banner is the first log entry (up to the next time-stamped line): it names
# the plug-in with its version and asks for the log in bug reports.
string(REGEX MATCH "^\\[[^]\n]*\\] ([^\n]|\n[^[])*" banner "${log_text}")
string(FIND "${banner}" "Drovil ${VERSION}" at)
if(at EQUAL -1)
  list(APPEND failures "the log does not begin with a banner naming Drovil ${VERSION}")
endif()
string(FIND "${banner}" "(build " at)
if(at EQUAL -1)
  list(APPEND failures "the log banner does not name the build")
endif()
string(FIND "${banner}" "Log.log" at)
if(at EQUAL -1)
  list(APPEND failures "the log banner does not mention Log.log")
endif()
string(FIND "${log_text}" "initialization complete" at)
if(at EQUAL -1)
  list(APPEND failures "the log has no \"initialization complete\"")
endif()

# What the player saw, in order: the debug tools on at the first F2, off at the second.
string(FIND "${host_text}" "subtitle: Debug tools ON" on_at)
string(FIND "${host_text}" "subtitle: Debug tools OFF" off_at)
if(on_at EQUAL -1)
  list(APPEND failures "the subtitle \"Debug tools ON\" was not shown")
endif()
if(off_at EQUAL -1)
  list(APPEND failures "the subtitle \"Debug tools OFF\" was not shown")
endif()
if(on_at GREATER -1 AND off_at GREATER -1 AND off_at LESS on_at)
  list(APPEND failures "\"Debug tools OFF\" was shown before \"Debug tools ON\"")
endif()
string(REGEX MATCHALL "subtitle: Debug tools O[NF]F?" toggles "${host_text}")
list(LENGTH toggles toggle_count)
if(NOT toggle_count EQUAL 2)
  list(APPEND failures "${toggle_count} debug tools subtitles shown for two F2 presses (the third press follows the unload)")
endif()

# Registered at load, both withdrawn at unload.
foreach(event "scriptRegister: scripts registered 1" "keyboardHandlerRegister: keyboard handlers registered 1"
              "scriptUnregister: scripts registered 0" "keyboardHandlerUnregister: keyboard handlers registered 0")
  string(FIND "${host_text}" "${event}" at)
  if(at EQUAL -1)
    list(APPEND failures "the host did not record \"${event}\"")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Wine smoke test failed:\n  ${text}\n"
                      "--- Drovil/Log.log ---\n${log_text}\n--- sim-host.log ---\n${host_text}")
endif()
message(STATUS "Wine smoke test passed")
