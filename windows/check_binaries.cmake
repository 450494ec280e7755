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

include("${CMAKE_CURRENT_LIST_DIR}/pe_checks.cmake")

set(failures "")
foreach(binary ${PLUGIN} ${HOOK_DLL} ${LOADER} ${CHECKER})
  check_system_imports(${binary} failures)
endforeach()
check_no_exports(${PLUGIN} failures)

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
  simRunFrames simKeyTap simRegisteredScripts simRegisteredKeyboardHandlers simPlayScenario simSetLanguage)
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
