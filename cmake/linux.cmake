# The Linux program: the x11 back end (Xlib with MIT-SHM and RandR,
# GStreamer for the music) and `tidelight`, built next to tidelight-fx.
# `cmake --install` puts it where Debian's xscreensaver looks for hacks and
# their settings; CPack makes a .deb that does the same.
set(TIDELIGHT_LINUX_VERSION 1.00)

find_package(X11 REQUIRED)
if(NOT TARGET X11::Xext OR NOT TARGET X11::Xrandr)
  message(FATAL_ERROR "Xext and Xrandr are missing: install Debian's libxext-dev and libxrandr-dev")
endif()
find_package(PkgConfig REQUIRED)
pkg_check_modules(GSTREAMER REQUIRED IMPORTED_TARGET gstreamer-1.0)

file(GLOB TIDELIGHT_X11_SOURCES CONFIGURE_DEPENDS src/backends/x11/*.cpp)
add_library(tidelight_x11 STATIC ${TIDELIGHT_X11_SOURCES})
target_link_libraries(tidelight_x11 PUBLIC tidelight_core tidelight_host_files
  X11::X11 X11::Xext X11::Xrandr PkgConfig::GSTREAMER)

# The Wayland back end (layer shell and screen copy, for wlroots
# compositors), with client code that wayland-scanner makes at build time.
pkg_check_modules(WAYLAND_CLIENT QUIET IMPORTED_TARGET wayland-client)
option(TIDELIGHT_WAYLAND "Build the Wayland back end into tidelight" ${WAYLAND_CLIENT_FOUND})
if(TIDELIGHT_WAYLAND)
  include(cmake/wayland.cmake)
endif()

add_executable(tidelight src/app/x11_main.cpp)
target_link_libraries(tidelight PRIVATE tidelight_x11)
if(TIDELIGHT_WAYLAND)
  target_sources(tidelight PRIVATE src/app/wayland_main.cpp)
  target_link_libraries(tidelight PRIVATE tidelight_wayland)
  target_compile_definitions(tidelight PRIVATE TIDELIGHT_WAYLAND=1)
endif()
target_compile_definitions(tidelight PRIVATE TIDELIGHT_VERSION="${TIDELIGHT_LINUX_VERSION}")
set_target_properties(tidelight PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Where Debian's xscreensaver finds its hacks and their settings.
install(TARGETS tidelight RUNTIME DESTINATION libexec/xscreensaver)
install(FILES packaging/xscreensaver/tidelight.xml DESTINATION share/xscreensaver/config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tidelight)
set(CPACK_PACKAGE_VERSION ${TIDELIGHT_LINUX_VERSION})
set(CPACK_PACKAGE_CONTACT "Tidelight <tidelight@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fading desktop screen saver for xscreensaver")
set(CPACK_PACKAGE_DESCRIPTION "Covers the screen with a picture of the desktop and fades it\n\
down to nearly black, up through the picture to white and back, each step\n\
brought on screen by a growing circle, optionally with music. Runs on its\n\
own or as an xscreensaver hack.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_SOURCE_DIR}/out)
include(CPack)
