# Libraries that only some subsystems need are attached here, so that the subsystem lists above
# stay readable. iconv is part of glibc and needs no library.

# libX11 for the list of top-level windows (the Inkscape window check). Without it the check
# falls back to the process list.
find_package(X11)
if(X11_FOUND)
  target_link_libraries(sartovin_platform PUBLIC X11::X11)
  target_compile_definitions(sartovin_platform PRIVATE SARTOVIN_HAVE_X11)
endif()

# The print spooler: libcups (Debian ships no pkg-config file for it, so look for the library).
find_path(CUPS_INCLUDE_DIR cups/cups.h REQUIRED)
find_library(CUPS_LIBRARY NAMES cups REQUIRED)
target_include_directories(sartovin_platform PUBLIC ${CUPS_INCLUDE_DIR})
target_link_libraries(sartovin_platform PUBLIC ${CUPS_LIBRARY})

# libxml2 for reading SVG drawings as XML documents (our own SVG conversion).
find_package(LibXml2 REQUIRED)
target_link_libraries(sartovin_job PUBLIC LibXml2::LibXml2)

# Cairo for the laser job's raster: the page is drawn at the engraver's resolution.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
target_link_libraries(sartovin_plot PUBLIC PkgConfig::CAIRO)
