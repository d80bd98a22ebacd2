# cmake -DTEMPLATE=page.html -DSCRIPT=closest.js -DOUT=closest.html -P inline.cmake
# Writes the page with the compiled script (which carries the WebAssembly) in place of its marker,
# so that one file opens from disk with no server.
file(READ "${TEMPLATE}" page)
file(READ "${SCRIPT}" script)
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "${SCRIPT} holds '</script' and cannot be put inside a script element")
endif()
string(REPLACE "<!--compiled script-->" "<script>\n${script}\n</script>" page "${page}")
file(WRITE "${OUT}.part" "${page}")
file(RENAME "${OUT}.part" "${OUT}")
