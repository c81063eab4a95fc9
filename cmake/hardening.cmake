# Debian's hardening flags for the optimised native build, the one the .deb
# and .rpm are made from: PIE, the strong stack protector, fortified C
# library calls and full RELRO with immediate binding, taken from
# dpkg-buildflags so they follow Debian's policy rather than a copy of it.
# The preset's own optimisation stays: -g and -O2 are left out.
# Included before any target, so every object of the programs has them.
option(TIDELIGHT_DEB_HARDENING "Build with dpkg-buildflags' hardening flags (native Release builds)" ON)
if(NOT TIDELIGHT_DEB_HARDENING OR CMAKE_CROSSCOMPILING OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  # Run in the source folder: -ffile-prefix-map then maps it to ".", so the
  # programs do not name the folder they were built in.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
      "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
message(STATUS "Debian's hardening flags: on")
