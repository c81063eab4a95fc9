# The Wayland back end: libwayland-client, and the client code of the
# protocols it speaks made by wayland-scanner. The wlroots protocols are
# our own descriptions (src/backends/wayland/protocols); xdg-output and
# xdg-shell come
# from Debian's wayland-protocols.
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WAYLAND_PROTOCOLS REQUIRED wayland-protocols)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
enable_language(C)

set(TIDELIGHT_WAYLAND_GEN ${CMAKE_BINARY_DIR}/wayland-protocols)
set(TIDELIGHT_WAYLAND_PROTOCOL_SOURCES)
foreach(xml
    ${CMAKE_SOURCE_DIR}/src/backends/wayland/protocols/wlr-layer-shell-unstable-v1.xml
    ${CMAKE_SOURCE_DIR}/src/backends/wayland/protocols/wlr-screencopy-unstable-v1.xml
    ${WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml
    # The layer shell's popups are xdg-shell's (we make none).
    ${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml)
  get_filename_component(name ${xml} NAME_WE)
  add_custom_command(
    OUTPUT ${TIDELIGHT_WAYLAND_GEN}/${name}-client-protocol.h ${TIDELIGHT_WAYLAND_GEN}/${name}-protocol.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TIDELIGHT_WAYLAND_GEN}
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${TIDELIGHT_WAYLAND_GEN}/${name}-client-protocol.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${TIDELIGHT_WAYLAND_GEN}/${name}-protocol.c
    DEPENDS ${xml}
    COMMENT "wayland-scanner ${name}")
  list(APPEND TIDELIGHT_WAYLAND_PROTOCOL_SOURCES
    ${TIDELIGHT_WAYLAND_GEN}/${name}-client-protocol.h ${TIDELIGHT_WAYLAND_GEN}/${name}-protocol.c)
endforeach()

file(GLOB TIDELIGHT_WAYLAND_SOURCES CONFIGURE_DEPENDS src/backends/wayland/*.cpp)
add_library(tidelight_wayland STATIC ${TIDELIGHT_WAYLAND_SOURCES} ${TIDELIGHT_WAYLAND_PROTOCOL_SOURCES})
target_include_directories(tidelight_wayland SYSTEM PUBLIC ${TIDELIGHT_WAYLAND_GEN})
# The x11 back end's GStreamer media plays the music here too.
target_link_libraries(tidelight_wayland PUBLIC tidelight_core tidelight_host_files tidelight_x11
  PkgConfig::WAYLAND_CLIENT)
