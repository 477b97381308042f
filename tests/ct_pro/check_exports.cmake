# Checks with objdump that CT_PRO.DLL exports exactly the ten functions of
# the console tools library under their undecorated names (-DDLL=...), or
# that a program imports exactly those ten names from it (-DEXE=...).
set(expected
  ConsoleIcon ConsoleListBox ConsoleMessageBox ConsoleMove ConsoleTitle ConsoleToTop ConsoleToolBar
  DefaultWindowMenu DeleteWindowMenuItem InitConsoleTools)

if(DEFINED DLL)
  set(file ${DLL})
else()
  set(file ${EXE})
endif()
execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${file}")
endif()
string(REPLACE "\n" ";" lines "${dump}")

set(names)
if(DEFINED DLL)
  # The name pointer table: lines such as "	[   0] ConsoleIcon".
  set(inside FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(inside TRUE)
    elseif(inside AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] +([^ ]+)$")
      list(APPEND names ${CMAKE_MATCH_1})
    elseif(inside AND NOT line MATCHES "^[ \t]*$")
      set(inside FALSE)
    endif()
  endforeach()
else()
  # The import table entries under "DLL Name: CT_PRO.DLL": "	 <hint>  <name>".
  set(inside FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.*)$")
      string(TOUPPER "${CMAKE_MATCH_1}" dll)
      if(dll STREQUAL "CT_PRO.DLL")
        set(inside TRUE)
      else()
        set(inside FALSE)
      endif()
    elseif(inside AND line MATCHES "^[ \t]+[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+([A-Za-z_@0-9]+)$")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
endif()

list(SORT names)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${file}: expected the names\n  ${expected}\nfound\n  ${names}")
endif()
message(STATUS "${file}: exactly the ten console tools names")
