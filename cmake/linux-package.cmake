# The Linux programs' installation and their packages: CPack makes a .deb
# for Debian and Ubuntu and an .rpm for Fedora and openSUSE from the same
# install rules (`scripts/check-deb.sh` makes and checks both).
#   /usr/bin/tidelight, /usr/bin/tidelight-fx      the programs on the path
#   /usr/libexec/xscreensaver/tidelight            a link, where xscreensaver finds hacks
#   /usr/share/xscreensaver/config/tidelight.xml   its settings description
#   /usr/share/man/man1/*.1.gz                     from each program's --help (help2man)
#   /usr/share/doc/tidelight/copyright, changelog.gz
include(GNUInstallDirs)
set(TIDELIGHT_PACKAGE_DATE 2026-12-09)  # the manual pages' date, for the same bytes every build

install(TARGETS tidelight tidelight-fx RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# As dh_strip does: the compilers' version notes serve no one in a package.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(program tidelight tidelight-fx)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()")
endif()
# The hack is the same program: a relative link keeps the package relocatable.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
file(CREATE_LINK ../../bin/tidelight ${CMAKE_BINARY_DIR}/package/tidelight SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/package/tidelight DESTINATION libexec/xscreensaver)
install(FILES packaging/xscreensaver/tidelight.xml DESTINATION share/xscreensaver/config)
install(FILES packaging/linux/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tidelight)

# Files compressed as Debian's policy asks: gzip -9n, no name or time inside.
set(TIDELIGHT_PACKAGE_FILES)
find_program(GZIP gzip REQUIRED)
function(tidelight_gzip source gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${GZIP} -9n -c ${source} > ${gz}
    DEPENDS ${source} VERBATIM)
endfunction()
tidelight_gzip(${CMAKE_SOURCE_DIR}/packaging/linux/changelog ${CMAKE_BINARY_DIR}/package/changelog.gz)
list(APPEND TIDELIGHT_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tidelight)

# Each manual page is the program's own --help and --version, so the two
# never disagree; packaging/linux/*.h2m adds the sections --help lacks.
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
  execute_process(COMMAND date -u -d "${TIDELIGHT_PACKAGE_DATE}" +%s
    OUTPUT_VARIABLE tidelight_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  foreach(program tidelight tidelight-fx)
    set(page ${CMAKE_BINARY_DIR}/package/${program}.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${tidelight_epoch} LC_ALL=C.UTF-8
        ${HELP2MAN} --no-info --no-discard-stderr
          --include ${CMAKE_SOURCE_DIR}/packaging/linux/${program}.h2m
          --output ${page} $<TARGET_FILE:${program}>
      DEPENDS ${program} ${CMAKE_SOURCE_DIR}/packaging/linux/${program}.h2m VERBATIM)
    tidelight_gzip(${page} ${page}.gz)
    list(APPEND TIDELIGHT_PACKAGE_FILES ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(STATUS "help2man not found: no manual pages (install Debian's help2man)")
endif()
# What the packages hold beyond the programs: `cmake --build --target package-files`.
add_custom_target(package-files DEPENDS ${TIDELIGHT_PACKAGE_FILES})

set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGE_NAME tidelight)
set(CPACK_PACKAGE_VERSION ${TIDELIGHT_LINUX_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tidelight developers")
set(CPACK_PACKAGE_CONTACT "Tidelight <tidelight@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fading desktop screen saver for X11 and xscreensaver")
set(CPACK_PACKAGE_DESCRIPTION "Tidelight covers the screen with a picture of the desktop and fades it
down to nearly black, up through the picture to white and back, each step
brought on screen by a growing circle, optionally with music. It runs on
its own or as an xscreensaver hack; tidelight --add-to-xscreensaver adds
it to the user's list of hacks.
.
tidelight-fx applies the same picture effects to picture files from the
command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_SOURCE_DIR}/out)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TIDELIGHT_LINK_URL})
# The libraries from the program (dpkg-shlibdeps); GStreamer's playbin, the
# MP3 and WAV decoders and an audio output from the plugin packages, which
# no library link reveals.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-alsa | gstreamer1.0-pulseaudio")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver (>= 6), xscreensaver-data")

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_LICENSE "LicenseRef-Tidelight")
set(CPACK_RPM_PACKAGE_GROUP "Amusements/Graphics")
set(CPACK_RPM_PACKAGE_URL ${TIDELIGHT_LINK_URL})
# Debian's paragraph mark is a dot; rpm's an empty line.
string(REPLACE "\n.\n" "\n\n" CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# Fedora and openSUSE name the plugin packages differently; rpm's boolean
# dependencies take either.
set(CPACK_RPM_PACKAGE_REQUIRES
  "(gstreamer1-plugins-base or gstreamer-plugins-base), (gstreamer1-plugins-good or gstreamer-plugins-good)")
# CPack 3.25 drops weak dependencies when `rpm --suggests` fails, as it does
# with rpm 4.18; a line in the package description's header is the remaining way in.
set(CPACK_RPM_SPEC_MORE_DEFINE "Recommends: xscreensaver >= 6")
# Folders other packages own.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/libexec /usr/libexec/xscreensaver
  /usr/share/xscreensaver /usr/share/xscreensaver/config /usr/share/man /usr/share/man/man1)
include(CPack)
