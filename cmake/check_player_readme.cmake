# Checks the player's readme against what it documents, so that it cannot fall
# behind the shipped files: it names every setting of Settings.ini, the
# defaults' folder, the files an update must keep, the translations and the log
# to send with a bug report. With VERSION it must
# name that version; with CRLF=ON every line must end in a carriage return and a
# line feed (the packaged readme is made for Notepad).
#
# Run as: cmake -DREADME=... -DSETTINGS=... [-DVERSION=...] [-DCRLF=ON] -P check_player_readme.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var README SETTINGS)
  if(NOT DEFINED ${var} OR NOT EXISTS "${${var}}")
    message(FATAL_ERROR "check_player_readme.cmake: ${var} is not set or does not exist")
  endif()
endforeach()

file(READ "${README}" text)
set(failures "")

# Every Name=Value line of the settings file that is not a comment (read as
# text: the comments hold characters a CMake list would not keep).
file(READ "${SETTINGS}" settings_text)
string(REGEX MATCHALL "\n[^;/\\[\\\\\r\n=][^=\r\n]*=" entries "\n${settings_text}")
set(keys "")
foreach(entry ${entries})
  string(REGEX REPLACE "^\n(.*)=$" "\\1" key "${entry}")
  list(APPEND keys "${key}")
endforeach()
if(NOT keys)
  list(APPEND failures "no setting found in ${SETTINGS}")
endif()
foreach(key ${keys})
  string(FIND "${text}" "${key}=" at)
  if(at EQUAL -1)
    list(APPEND failures "the readme does not document the setting ${key} (as \"${key}=\")")
  endif()
endforeach()

foreach(name Savegame.dat TutorialFlags.dat Missions Settings.ini Lang.dat Log.log ScriptHookRDR2.dll Defaults
             Version.dat "Lang.<")
  string(FIND "${text}" "${name}" at)
  if(at EQUAL -1)
    list(APPEND failures "the readme does not mention ${name}")
  endif()
endforeach()

if(DEFINED VERSION)
  string(FIND "${text}" "${VERSION}" at)
  if(at EQUAL -1)
    list(APPEND failures "the readme does not name the version ${VERSION}")
  endif()
  string(FIND "${text}" "@PROJECT_VERSION@" at)
  if(at GREATER -1)
    list(APPEND failures "the readme's version placeholder was not filled in")
  endif()
endif()

if(CRLF)
  # Byte by byte (reading the text may fold line endings): no line feed
  # without a carriage return before it.
  file(READ "${README}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" " \\1" bytes "${bytes}")
  string(REPLACE " 0d 0a" "" bytes "${bytes} ")
  string(FIND "${bytes}" " 0a " bare)
  if(bare GREATER -1)
    list(APPEND failures "the readme has lines ending without a carriage return")
  endif()
endif()

if(failures)
  list(JOIN failures "\n  " report)
  message(FATAL_ERROR "${README}:\n  ${report}")
endif()
list(LENGTH keys count)
message(STATUS "the readme documents all ${count} settings")
