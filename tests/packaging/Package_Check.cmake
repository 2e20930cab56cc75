# Makes the .deb of the build at BUILD_DIR with cpack into WORK, unpacks it with dpkg-deb into WORK/root and
# checks what a user gets from `apt install`: the programs, the desktop entry and software-centre entry that
# validate and name each other, Depends computed from the linked libraries, the version everywhere the same,
# programs that start from the unpacked tree without the build folder, and manual pages that describe every
# option the programs' --help lists.
if(NOT BUILD_DIR OR NOT CPACK OR NOT VERSION OR NOT WORK)
  message(FATAL_ERROR "usage: cmake -DBUILD_DIR=<build> -DCPACK=<cpack> -DVERSION=<x.y> -DWORK=<folder> -P Package_Check.cmake")
endif()

find_program(DPKG dpkg)
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG OR NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message(STATUS "package check skipped: dpkg-deb and dpkg-shlibdeps (dpkg-dev) are needed")
  return()
endif()

file(REMOVE_RECURSE "${WORK}")
execute_process(
  COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}/out"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()

set(failures "")
execute_process(COMMAND "${DPKG}" --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${WORK}/out/tambrel_${VERSION}_${arch}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${WORK}/out/*.deb")
  message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

foreach(field Package Version Section Depends)
  execute_process(COMMAND "${DPKG_DEB}" --field "${deb}" ${field} OUTPUT_VARIABLE ${field} OUTPUT_STRIP_TRAILING_WHITESPACE)
endforeach()
if(NOT Package STREQUAL "tambrel" OR NOT Version STREQUAL "${VERSION}" OR NOT Section STREQUAL "video")
  string(APPEND failures "control fields: Package '${Package}', Version '${Version}', Section '${Section}'\n")
endif()
# Computed by dpkg-shlibdeps: the Qt and JPEG libraries the programs link must be there.
foreach(library libqt6widgets6 libturbojpeg0 libc6)
  if(NOT Depends MATCHES "(^|, )${library} ")
    string(APPEND failures "Depends lacks ${library}: '${Depends}'\n")
  endif()
endforeach()

set(root "${WORK}/root")
execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${root}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${err}")
endif()

foreach(file bin/tambrel bin/tambrel-camsim share/applications/tambrel.desktop
             share/icons/hicolor/48x48/apps/tambrel.png share/man/man1/tambrel.1.gz
             share/man/man1/tambrel-camsim.1.gz share/doc/tambrel/copyright share/doc/tambrel/changelog.gz)
  if(NOT EXISTS "${root}/usr/${file}")
    string(APPEND failures "/usr/${file} missing\n")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${root}/usr/share/applications/tambrel.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(APPEND failures "desktop-file-validate: ${out}${err}\n")
  endif()
else()
  message(STATUS "desktop entry not validated: desktop-file-validate missing (desktop-file-utils)")
endif()

# The software-centre entry: valid, named after its id, launching the installed desktop entry, and describing
# the release this build is.
file(GLOB metainfos "${root}/usr/share/metainfo/*.metainfo.xml")
list(LENGTH metainfos count)
if(NOT count EQUAL 1)
  string(APPEND failures "expected one file in /usr/share/metainfo, found: ${metainfos}\n")
else()
  file(READ "${metainfos}" xml)
  get_filename_component(name "${metainfos}" NAME)
  string(REGEX MATCH "<id>([^<]*)</id>" _ "${xml}")
  if(NOT name STREQUAL "${CMAKE_MATCH_1}.metainfo.xml")
    string(APPEND failures "${name} does not match its id '${CMAKE_MATCH_1}'\n")
  endif()
  string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)</launchable>" _ "${xml}")
  if(NOT CMAKE_MATCH_1 OR NOT EXISTS "${root}/usr/share/applications/${CMAKE_MATCH_1}")
    string(APPEND failures "${name} launches '${CMAKE_MATCH_1}', not an installed desktop entry\n")
  endif()
  if(NOT xml MATCHES "<release version=\"${VERSION}\" date=\"[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\"")
    string(APPEND failures "${name} has no dated release ${VERSION}\n")
  endif()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --no-color "${metainfos}"
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      string(APPEND failures "appstreamcli validate: ${out}${err}\n")
    endif()
  else()
    message(STATUS "software-centre entry not validated: appstreamcli missing (appstream)")
  endif()
endif()

# The unpacked viewer answers --version before opening any window; settings would go under WORK/data.
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "XDG_DATA_HOME=${WORK}/data" "HOME=${WORK}/home"
          "${root}/usr/bin/tambrel" --version
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "tambrel ${VERSION}\n")
  string(APPEND failures "/usr/bin/tambrel --version: exit ${rc}, '${out}${err}'\n")
endif()

# Each option a program's --help lists (at the start of a line, or on its Usage line) is in its manual page.
foreach(program tambrel tambrel-camsim)
  execute_process(COMMAND "${root}/usr/bin/${program}" --help
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(NOT rc EQUAL 0)
    string(APPEND failures "/usr/bin/${program} --help: exit ${rc}, '${out}${err}'\n")
    continue()
  endif()
  file(READ "${BUILD_DIR}/packaging/man/${program}.1" page)
  string(REGEX MATCHALL "(^|\n) *--[a-z][-a-z]*" listed "${out}")
  string(REGEX MATCH "Usage: [^\n]*" usage "${out}")
  string(REGEX MATCHALL "--[a-z][-a-z]*" in_usage "${usage}")
  list(APPEND listed ${in_usage})
  list(TRANSFORM listed REPLACE "^[\n ]*--" "")
  list(REMOVE_DUPLICATES listed)
  foreach(option IN LISTS listed)
    string(REPLACE "-" "\\-" escaped "${option}")
    string(FIND "${page}" "\\-\\-${escaped}" at)
    if(at EQUAL -1)
      string(APPEND failures "${program}.1 does not describe --${option}\n")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "package check failed (files left in ${WORK}):\n${failures}")
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "package check passed: ${deb} (Depends: ${Depends})")
