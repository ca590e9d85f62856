# cmake -DREADME=… -DTEMPLATE=… -DMARKDOWN=… -DOUTPUT=… -P make_user_guide.cmake
cmake_minimum_required(VERSION 3.25)
# Takes every part of README.md between a "<!-- guide -->" line and the next "<!-- /guide -->"
# line, in order, points its pictures at images/, converts it with Python-Markdown (tables
# included) and puts the result into the page template.
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
string(REPLACE "](docs/" "](images/" guide "${guide}")

get_filename_component(work ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${work})
file(WRITE ${OUTPUT}.md "${guide}")
execute_process(
  COMMAND ${MARKDOWN} -x markdown.extensions.tables -e utf-8 -o html ${OUTPUT}.md
  OUTPUT_VARIABLE ZM_GUIDE_BODY
  RESULT_VARIABLE status)
file(REMOVE ${OUTPUT}.md)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "markdown_py failed (${status})")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
