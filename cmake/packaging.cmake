# Installing and packing the products: the plug-in modules (VST 2.4, CLAP and
# the VST 3 bundle) and ondex-host, and nothing else (no test programs, no
# static libraries).
#
# `cmake --install` puts them where a system looks for them (Linux:
# lib/vst/Ondex.so, lib/clap/Ondex.clap, lib/vst3/Ondex.vst3/ and
# bin/ondex-host; Windows: all side by side). The release
# archives hold the component "archive", flat in one top folder, with the
# README and the licence, so that ondex-host finds the module beside itself.
if(WIN32)
  set(ONDEX_PLUGIN_DESTINATION .)
  set(ONDEX_CLAP_DESTINATION .)
  set(ONDEX_HOST_DESTINATION .)
  set(ONDEX_VST3_DESTINATION .)
  set(ONDEX_VST3_ARCH x86_64-win)
  set(ONDEX_PLATFORM windows-x64)
  set(ONDEX_LICENSE_NAME LICENSE.txt)  # opens with a double click
  set(CPACK_GENERATOR ZIP)
else()
  set(ONDEX_PLUGIN_DESTINATION lib/vst)
  set(ONDEX_CLAP_DESTINATION lib/clap)
  set(ONDEX_HOST_DESTINATION bin)
  set(ONDEX_VST3_DESTINATION lib/vst3)
  set(ONDEX_VST3_ARCH x86_64-linux)
  set(ONDEX_PLATFORM linux-x86_64)
  set(ONDEX_LICENSE_NAME LICENSE)
  set(CPACK_GENERATOR TGZ)
endif()

install(TARGETS Ondex LIBRARY DESTINATION ${ONDEX_PLUGIN_DESTINATION} COMPONENT user)
install(TARGETS OndexClap LIBRARY DESTINATION ${ONDEX_CLAP_DESTINATION} COMPONENT user)
install(TARGETS ondex-host RUNTIME DESTINATION ${ONDEX_HOST_DESTINATION} COMPONENT user)
# The VST 3 bundle is a folder: the module in its platform's folder, the
# description of its class beside.
foreach(component user archive)
  if(component STREQUAL "user")
    set(bundle ${ONDEX_VST3_DESTINATION}/Ondex.vst3/Contents)
    set(optional "")
  else()
    set(bundle Ondex.vst3/Contents)
    set(optional EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS OndexVst3 LIBRARY DESTINATION ${bundle}/${ONDEX_VST3_ARCH}
          COMPONENT ${component} ${optional})
  install(FILES ${ONDEX_VST3_BUNDLE}/Contents/Resources/moduleinfo.json
          DESTINATION ${bundle}/Resources COMPONENT ${component} ${optional})
endforeach()

install(TARGETS Ondex OndexClap ondex-host DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES README.md DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES LICENSE DESTINATION . RENAME ${ONDEX_LICENSE_NAME} COMPONENT archive EXCLUDE_FROM_ALL)
if(NOT WIN32)
  install(PROGRAMS scripts/install.sh DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
endif()

set(CPACK_PACKAGE_NAME Ondex)
set(CPACK_PACKAGE_VENDOR "${ONDEX_VENDOR}")
set(CPACK_PACKAGE_FILE_NAME Ondex-${PROJECT_VERSION}-${ONDEX_PLATFORM})
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL archive)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
