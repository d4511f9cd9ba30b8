# The names SartovinIsHP is installed under. The words of the name the program is started by select
# its edition, host program and variant; every name is a symbolic link to the one binary. The list
# follows programNameForStartMode (src/base/StartMode.cpp), start modes 1-6, 10-14, 20-22; a window
# test compares the two.
set(SARTOVIN_PROGRAM_NAMES
  SartovinCorel SartovinAI QXPassermarkenCorel QXPassermarkenAI SartovinIs PassermarkenIs
  SartovinCorelHP SartovinAIHP SartovinIsHP PassermarkenCorelHP QXPassermarkenAIHP
  SartovinCorelLC SartovinLCAI SartovinIsLC)

# Links beside the installed program, made at install time (DESTDIR honoured). SartovinIsHP itself
# is the binary.
function(sartovin_install_program_links)
  set(_names ${SARTOVIN_PROGRAM_NAMES})
  list(REMOVE_ITEM _names SartovinIsHP)
  install(CODE "
    set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    foreach(_name ${_names})
      message(STATUS \"Linking: \${_bin}/\${_name} -> SartovinIsHP\")
      file(REMOVE \"\${_bin}/\${_name}\")
      execute_process(COMMAND \${CMAKE_COMMAND} -E create_symlink SartovinIsHP \"\${_bin}/\${_name}\")
    endforeach()
  ")
endfunction()
