# cmake -DTEMPLATE=page.html -DPARTS="a.js;b.js" -DSCRIPT=closest.js -DOUT=closest.html -P inline.cmake
# Writes the page with its own script (the parts, one after another, in one script element) and the
# compiled script (which carries the WebAssembly) in place of their markers, so that one file opens
# from disk with no server.
file(READ "${TEMPLATE}" page)
set(own "")
foreach(part ${PARTS})
  file(READ "${part}" text)
  string(APPEND own "${text}\n")
endforeach()
file(READ "${SCRIPT}" script)
foreach(text own script)
  string(FIND "${${text}}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "a script holds '</script' and cannot be put inside a script element")
  endif()
endforeach()
string(REPLACE "<!--page script-->" "<script>\n${own}</script>" page "${page}")
string(REPLACE "<!--compiled script-->" "<script>\n${script}\n</script>" page "${page}")
file(WRITE "${OUT}.part" "${page}")
file(RENAME "${OUT}.part" "${OUT}")
