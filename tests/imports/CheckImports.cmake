# cmake -DOBJDUMP=<MinGW objdump> -DPROGRAM=<exe> [-DDEFERRED=a,b] -P CheckImports.cmake
# Fails naming every library in the program's import table that the loader
# could take from the program's own folder, and every library of DEFERRED
# (names without ".dll", comma-separated) that the program binds on first use
# and so must not import.
cmake_minimum_required(VERSION 3.25)

# Windows 7's KnownDLLs (the shortest list of the systems the kit runs on),
# plus COMCTL32, which the manifest binds to the side-by-side assembly.
set(allowed
  advapi32 clbcatq comdlg32 difxapi gdi32 iertutil imagehlp imm32 kernel32 lpk
  msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi
  shell32 shlwapi urlmon user32 usp10 wininet wldap32 ws2_32
  comctl32)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed (${result}): ${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no import table read from ${PROGRAM}")
endif()
string(REPLACE "," ";" deferred "${DEFERRED}")
set(names)
set(foreign)
set(early)
foreach(line ${lines})
  string(REGEX REPLACE "^DLL Name: *" "" name "${line}")
  string(STRIP "${name}" name)
  list(APPEND names "${name}")
  string(TOLOWER "${name}" lower)
  string(REGEX REPLACE "\\.dll$" "" base "${lower}")
  if(NOT lower MATCHES "\\.dll$" OR NOT base IN_LIST allowed)
    list(APPEND foreign "${name}")
  endif()
  if(base IN_LIST deferred)
    list(APPEND early "${name}")
  endif()
endforeach()

list(JOIN names ", " imported)
if(foreign)
  list(JOIN foreign ", " named)
  message(FATAL_ERROR "${PROGRAM} imports libraries that are not KnownDLLs of Windows 7: ${named} "
                      "(bind them at run time from the system directory). Imports: ${imported}")
endif()
if(early)
  list(JOIN early ", " named)
  message(FATAL_ERROR "${PROGRAM} imports ${named}, which it binds on first use: each would load at start "
                      "(drop it from the link). Imports: ${imported}")
endif()
message(STATUS "${PROGRAM} imports only KnownDLLs: ${imported}")
