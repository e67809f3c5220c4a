# Puts the program's script into the page's shell where it says {{{ SCRIPT }}}.
file(READ "${SHELL}" shell)
file(READ "${SCRIPT}" script)
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "the program's script would end the page's <script> element early")
endif()
string(REPLACE "{{{ SCRIPT }}}" "<script>\n${script}</script>" page "${shell}")
file(WRITE "${PAGE}" "${page}")
