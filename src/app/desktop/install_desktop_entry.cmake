# Run by cmake --install (see ../CMakeLists.txt): writes the desktop entry for the program's
# installed place and installs it into share/applications. The place is known only now, since
# cmake --install --prefix may differ from the prefix the build was configured with.
#
# Expects ZM_DESKTOP_TEMPLATE (the .desktop.in file), ZM_DESKTOP_OUTPUT (where to write the
# entry before installing it) and ZM_PROGRAM_DIR (the program's folder below the prefix).

# The text of a desktop entry's string value: a backslash is written as two.
function(zm_desktop_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One argument of the Exec key: a path holding a reserved character (a blank, a quote, $ and
# the like) goes in double quotes, inside which ", `, $ and \ take a backslash; % is doubled;
# then the string escaping of the file applies to the whole value.
function(zm_desktop_exec_argument path out)
  if(path MATCHES "[\n\r\t]")
    message(FATAL_ERROR "A desktop entry cannot start a program whose path holds a line end or "
                        "a tab: ${path}")
  endif()
  set(quoted OFF)
  foreach(character IN ITEMS " " "\"" "'" "\\" ">" "<" "~" "|" "&" ";" "$" "*" "?" "#" "(" ")"
                             "`")
    string(FIND "${path}" "${character}" at)
    if(NOT at EQUAL -1)
      set(quoted ON)
    endif()
  endforeach()
  set(value "${path}")
  if(quoted)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "`" "\\`" value "${value}")
    string(REPLACE "$" "\\$" value "${value}")
    set(value "\"${value}\"")
  endif()
  string(REPLACE "%" "%%" value "${value}")
  zm_desktop_string("${value}" value)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(zm_program "${CMAKE_INSTALL_PREFIX}/${ZM_PROGRAM_DIR}/zunmo-calc")
if(NOT IS_ABSOLUTE "${zm_program}")
  message(FATAL_ERROR "Install with an absolute prefix (the launcher names the program's full "
                      "path): ${CMAKE_INSTALL_PREFIX}")
endif()
zm_desktop_exec_argument("${zm_program}" ZM_DESKTOP_EXEC)
zm_desktop_string("${zm_program}" ZM_DESKTOP_TRYEXEC)
configure_file("${ZM_DESKTOP_TEMPLATE}" "${ZM_DESKTOP_OUTPUT}" @ONLY)
file(INSTALL "${ZM_DESKTOP_OUTPUT}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
