# The Illustrator plug-in DLL, cross-built with MinGW-w64 when the cross compilers are installed
# (scripts/install-deps.sh installs them): SartovinCS2.aip for the host's 32-bit and 64-bit forms,
# and the small host program the Wine test loads the 64-bit one with. Each is a project of its own
# (src/aiplugin/win) built in <build>/plugin/<arch>; the sources are checked at every build.
include(ExternalProject)

option(SARTOVIN_BUILD_PLUGIN_DLL "Cross-build the plug-in DLL when MinGW-w64 is installed" ON)
set(SARTOVIN_PLUGIN_WIN64_DIR "")
if(SARTOVIN_BUILD_PLUGIN_DLL)
  foreach(arch x86_64 i686)
    find_program(SARTOVIN_MINGW_${arch} ${arch}-w64-mingw32-g++)
    if(NOT SARTOVIN_MINGW_${arch})
      message(STATUS "Plug-in DLL (${arch}): no ${arch}-w64-mingw32-g++, not built")
      continue()
    endif()
    ExternalProject_Add(sartovin_plugin_${arch}
      SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/aiplugin/win
      BINARY_DIR ${CMAKE_BINARY_DIR}/plugin/${arch}
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_SOURCE_DIR}/cmake/toolchain-mingw-w64-${arch}.cmake
                 -DCMAKE_BUILD_TYPE=Release
                 -DSARTOVIN_WARNINGS_AS_ERRORS=${SARTOVIN_WARNINGS_AS_ERRORS}
      CMAKE_GENERATOR ${CMAKE_GENERATOR}
      BUILD_ALWAYS ON
      INSTALL_COMMAND ""
      USES_TERMINAL_BUILD OFF)
    if(arch STREQUAL "x86_64")
      set(SARTOVIN_PLUGIN_WIN64_DIR ${CMAKE_BINARY_DIR}/plugin/x86_64)
    endif()
  endforeach()
endif()
