# The Linux program: the x11 back end (Xlib with MIT-SHM and RandR,
# GStreamer for the music) and `tidelight`, built next to tidelight-fx.
# Its installation and packages are in linux-package.cmake.
set(TIDELIGHT_LINUX_VERSION 1.00)

find_package(X11 REQUIRED)
if(NOT TARGET X11::Xext OR NOT TARGET X11::Xrandr)
  message(FATAL_ERROR "Xext and Xrandr are missing: install Debian's libxext-dev and libxrandr-dev")
endif()
find_package(PkgConfig REQUIRED)
pkg_check_modules(GSTREAMER REQUIRED IMPORTED_TARGET gstreamer-1.0)

file(GLOB TIDELIGHT_X11_SOURCES CONFIGURE_DEPENDS src/backends/x11/*.cpp)
# linux_session: what both Linux back ends learn of the user and process.
add_library(tidelight_x11 STATIC ${TIDELIGHT_X11_SOURCES} src/backends/host/linux_session.cpp)
target_link_libraries(tidelight_x11 PUBLIC tidelight_core tidelight_host_files
  X11::X11 X11::Xext X11::Xrandr PkgConfig::GSTREAMER)

# The Wayland back end (layer shell and screen copy, for wlroots
# compositors), with client code that wayland-scanner makes at build time.
pkg_check_modules(WAYLAND_CLIENT QUIET IMPORTED_TARGET wayland-client)
option(TIDELIGHT_WAYLAND "Build the Wayland back end into tidelight" ${WAYLAND_CLIENT_FOUND})
if(TIDELIGHT_WAYLAND)
  include(cmake/wayland.cmake)
endif()

add_executable(tidelight src/app/x11_main.cpp src/app/user_lock.cpp)
target_link_libraries(tidelight PRIVATE tidelight_x11)
if(TIDELIGHT_WAYLAND)
  target_sources(tidelight PRIVATE src/app/wayland_main.cpp)
  target_link_libraries(tidelight PRIVATE tidelight_wayland)
  target_compile_definitions(tidelight PRIVATE TIDELIGHT_WAYLAND=1)
endif()
target_compile_definitions(tidelight PRIVATE TIDELIGHT_VERSION="${TIDELIGHT_LINUX_VERSION}")
set_target_properties(tidelight PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
