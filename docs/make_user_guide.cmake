# cmake -DREADME=… -DTEMPLATE=… -DMARKDOWN=… -DOUTPUT=… [-DPLATFORM=windows] -P make_user_guide.cmake
cmake_minimum_required(VERSION 3.25)
# Takes every part of README.md between a "<!-- guide -->" line and the next "<!-- /guide -->"
# line, in order, points its pictures at images/, converts it with Python-Markdown (tables and
# fenced code blocks, such as the settings file's example, included) and puts the result into the
# page template.
file(READ ${README} readme)
set(guide "")
while(TRUE)
  string(FIND "${readme}" "<!-- guide -->\n" start)
  if(start EQUAL -1)
    break()
  endif()
  string(SUBSTRING "${readme}" ${start} -1 readme)
  string(LENGTH "<!-- guide -->\n" marker)
  string(SUBSTRING "${readme}" ${marker} -1 readme)
  string(FIND "${readme}" "<!-- /guide -->" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "${README}: a <!-- guide --> part has no <!-- /guide --> line")
  endif()
  string(SUBSTRING "${readme}" 0 ${end} part)
  string(APPEND guide "${part}\n")
  string(SUBSTRING "${readme}" ${end} -1 readme)
endwhile()
if(guide STREQUAL "")
  message(FATAL_ERROR "${README} marks no part as the guide (<!-- guide --> … <!-- /guide -->)")
endif()
# Passages for one system: "<!-- linux -->…<!-- /linux -->" and "<!-- windows -->…<!--
# /windows -->" inside the guide; the page for PLATFORM (linux unless told) keeps its own.
if(NOT PLATFORM)
  set(PLATFORM linux)
endif()
foreach(system linux windows)
  if(system STREQUAL PLATFORM)
    string(REGEX REPLACE "<!-- /?${system} -->" "" guide "${guide}")
  else()
    string(REGEX REPLACE "<!-- ${system} -->[^<]*<!-- /${system} -->" "" guide "${guide}")
  endif()
endforeach()
string(REPLACE "](docs/" "](images/" guide "${guide}")

get_filename_component(work ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${work})
file(WRITE ${OUTPUT}.md "${guide}")
execute_process(
  COMMAND ${MARKDOWN} -x markdown.extensions.tables -x markdown.extensions.fenced_code -e utf-8 -o html ${OUTPUT}.md
  OUTPUT_VARIABLE ZM_GUIDE_BODY
  RESULT_VARIABLE status)
file(REMOVE ${OUTPUT}.md)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "markdown_py failed (${status})")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
