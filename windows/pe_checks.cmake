# What the Windows binary checks share: reading a binary's headers with objdump,
# its imported DLLs held against Windows' own libraries, and its export names.
# Included by check_binaries.cmake and check_package.cmake with OBJDUMP set.

# Windows' own libraries; anything else would have to be shipped beside the game.
set(DROVIL_SYSTEM_DLL_PATTERN
    "^(kernel32|user32|advapi32|ntdll|msvcrt|ucrtbase|shell32|ole32|ws2_32|api-ms-win-[a-z0-9-]+)\\.dll$")

# `objdump -p` of the file.
function(read_headers file out)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${file} failed (${rc}): ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Appends to the list `failures_var` a line for each DLL the binary imports that
# is not one of Windows' own, and one when no import table is found.
function(check_system_imports binary failures_var)
  read_headers(${binary} headers)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
  get_filename_component(name ${binary} NAME)
  set(names "")
  set(failures ${${failures_var}})
  foreach(line ${imports})
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    list(APPEND names ${dll})
    if(NOT lower MATCHES "${DROVIL_SYSTEM_DLL_PATTERN}")
      list(APPEND failures "${name} imports ${dll}, which is not a Windows system library")
    endif()
  endforeach()
  if(NOT names)
    list(APPEND failures "${name}: no import table found in the objdump output")
  endif()
  message(STATUS "${name} imports: ${names}")
  set(${failures_var} ${failures} PARENT_SCOPE)
endfunction()

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

# The plug-in is reached only through DllMain and the functions it registers:
# appends a failure when it exports any name.
function(check_no_exports binary failures_var)
  read_headers(${binary} headers)
  exported_names("${headers}" exports)
  list(LENGTH exports count)
  set(failures ${${failures_var}})
  if(count GREATER 0)
    get_filename_component(name ${binary} NAME)
    list(GET exports 0 first)
    list(APPEND failures "${name} exports ${count} names (the first: ${first}), it should export none")
  endif()
  set(${failures_var} ${failures} PARENT_SCOPE)
endfunction()
