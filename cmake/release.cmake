# The release archive for Windows users: `cmake --workflow --preset release`
# writes out/Tidelight-<version>-windows.zip. Its programs are those of the
# mingw presets' build folders, the ones the tests check; the entries' date is
# the release's own, so the same sources give the same bytes.
# TIDELIGHT_VERSION comes from the top CMakeLists.txt, as the programs' resources do.
set(TIDELIGHT_RELEASE_DATE 2026-12-07)
set(TIDELIGHT_RELEASE_BUILDS ${CMAKE_SOURCE_DIR}/build CACHE PATH
  "Folder of the mingw-x86_64 and mingw-i686 build folders the release takes its programs from")
set(TIDELIGHT_RELEASE_OUT ${CMAKE_SOURCE_DIR}/out CACHE PATH "Folder the release archive is written to")

find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_custom_target(release
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/packaging/make_release.py
      --version ${TIDELIGHT_VERSION} --date ${TIDELIGHT_RELEASE_DATE}
      --builds ${TIDELIGHT_RELEASE_BUILDS} --cmake ${CMAKE_COMMAND}
      --out ${TIDELIGHT_RELEASE_OUT}/Tidelight-${TIDELIGHT_VERSION}-windows.zip
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    USES_TERMINAL VERBATIM)
endif()
