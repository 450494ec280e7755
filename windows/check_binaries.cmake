# Checks the built Windows binaries with objdump:
#  - Drovil.asi, ScriptHookRDR2.dll, drovil-loader.exe and drovil-check.exe import only DLLs that
#    every Windows installation has (the compiler's runtime is linked in), and
#    Drovil.asi does not import the hook at all: it finds it at run time;
#  - ScriptHookRDR2.dll exports each hook function under its decorated and its
#    plain name.
# Run as: cmake -DOBJDUMP=... -DPLUGIN=... -DHOOK_DLL=... -DLOADER=... [-DCHECKER=...] -P check_binaries.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP PLUGIN HOOK_DLL LOADER)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "" OR "${${var}}" MATCHES "NOTFOUND$")
    message(FATAL_ERROR "check_binaries.cmake: ${var} is not set")
  endif()
endforeach()

set(failures "")

function(read_headers file out)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${file} failed (${rc}): ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Windows' own libraries; anything else would have to be shipped beside the game.
set(system_dll_pattern "^(kernel32|user32|advapi32|ntdll|msvcrt|ucrtbase|shell32|ole32|ws2_32|api-ms-win-[a-z0-9-]+)\\.dll$")

foreach(binary ${PLUGIN} ${HOOK_DLL} ${LOADER} ${CHECKER})
  read_headers(${binary} headers)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
  get_filename_component(name ${binary} NAME)
  set(names "")
  foreach(line ${imports})
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    list(APPEND names ${dll})
    if(NOT lower MATCHES "${system_dll_pattern}")
      list(APPEND failures "${name} imports ${dll}, which is not a Windows system library")
    endif()
  endforeach()
  if(NOT names)
    list(APPEND failures "${name}: no import table found in the objdump output")
  endif()
  message(STATUS "${name} imports: ${names}")
endforeach()

# The names in a binary's export name table, which objdump prints after
# "[Ordinal/Name Pointer] Table" as one "[ordinal] name" line each, up to an
# empty line.
function(exported_names headers out)
  set(names "")
  string(FIND "${headers}" "[Ordinal/Name Pointer] Table" start)
  if(start GREATER -1)
    string(SUBSTRING "${headers}" ${start} -1 rest)
    string(FIND "${rest}" "\n\n" end)
    if(end GREATER -1)
      string(SUBSTRING "${rest}" 0 ${end} rest)
    endif()
    string(REGEX MATCHALL "\n[ \t]*\\[ *[0-9]+\\] [^\r\n]+" lines "${rest}")
    foreach(line ${lines})
      string(REGEX REPLACE "^\n[ \t]*\\[ *[0-9]+\\] " "" symbol "${line}")
      string(STRIP "${symbol}" symbol)
      list(APPEND names "${symbol}")
    endforeach()
  endif()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The plug-in is reached only through DllMain and the functions it registers.
read_headers(${PLUGIN} plugin_headers)
exported_names("${plugin_headers}" plugin_exports)
list(LENGTH plugin_exports plugin_export_count)
if(plugin_export_count GREATER 0)
  list(GET plugin_exports 0 first_export)
  list(APPEND failures "Drovil.asi exports ${plugin_export_count} names (the first: ${first_export}), it should export none")
endif()

read_headers(${HOOK_DLL} hook_headers)
set(hook_functions
  "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z" scriptRegister
  "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z" scriptUnregister
  "?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z" keyboardHandlerRegister
  "?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z" keyboardHandlerUnregister
  "?scriptWait@@YAXK@Z" scriptWait
  "?nativeInit@@YAX_K@Z" nativeInit
  "?nativePush64@@YAX_K@Z" nativePush64
  "?nativeCall@@YAPEA_KXZ" nativeCall
  simRunFrames simKeyTap simRegisteredScripts simRegisteredKeyboardHandlers simPlayScenario)
exported_names("${hook_headers}" exported)
foreach(symbol ${hook_functions})
  list(FIND exported "${symbol}" index)
  if(index EQUAL -1)
    list(APPEND failures "ScriptHookRDR2.dll does not export ${symbol}")
  endif()
endforeach()
list(LENGTH exported export_count)
message(STATUS "ScriptHookRDR2.dll exports ${export_count} names")

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Windows binaries check failed:\n  ${text}")
endif()
message(STATUS "Windows binaries check passed")
