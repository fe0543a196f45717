# The Debian package ondex_VERSION_amd64.deb (cpack's DEB generator): the
# modules and ondex-host under /usr from their install rules, the manual page,
# and in /usr/share/doc/ondex the README, the licence as a machine-readable
# copyright file and a changelog; dependencies from dpkg-shlibdeps.
set(ONDEX_DEB_MAINTAINER "Zel-acoustics <packages@zel-acoustics.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(ONDEX_DEB_DOCS ${CMAKE_BINARY_DIR}/debian)
file(MAKE_DIRECTORY ${ONDEX_DEB_DOCS})

# gzip -9n: Debian wants documents compressed, without a name or time stamp
# inside, so that two builds of one source give the same package.
function(ondex_gzip source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

ondex_gzip(${CMAKE_SOURCE_DIR}/docs/ondex-host.1 ${ONDEX_DEB_DOCS}/ondex-host.1.gz)
install(FILES ${ONDEX_DEB_DOCS}/ondex-host.1.gz DESTINATION share/man/man1 COMPONENT user)

# The licence text below its header, indented as the copyright format wants.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE license_lines)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
set(copyright_body "")
set(in_body OFF)
foreach(line IN LISTS license_lines)
  if(line MATCHES "^Permission")
    set(in_body ON)
  endif()
  if(in_body)
    if(line STREQUAL "")
      string(APPEND copyright_body " .\n")
    else()
      string(APPEND copyright_body " ${line}\n")
    endif()
  endif()
endforeach()
configure_file(packaging/debian/copyright.in ${ONDEX_DEB_DOCS}/copyright @ONLY)
file(APPEND ${ONDEX_DEB_DOCS}/copyright "${copyright_body}")

string(TIMESTAMP ONDEX_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(packaging/debian/changelog.in ${ONDEX_DEB_DOCS}/changelog @ONLY)
ondex_gzip(${ONDEX_DEB_DOCS}/changelog ${ONDEX_DEB_DOCS}/changelog.gz)

install(FILES README.md ${ONDEX_DEB_DOCS}/copyright ${ONDEX_DEB_DOCS}/changelog.gz
        DESTINATION share/doc/ondex COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_PACKAGE_NAME ondex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ONDEX_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "modulated digital delay audio plug-in
Corvane Ondex is a stereo delay whose memory is stepped by a variable clock,
with feedback through a 4 kHz high cut, infinite repeat, delay doubling,
tempo-synced note lengths, 17 programs and an editor drawn as a rack unit's
front panel. This package holds its plug-in modules for the hosts on the
system and ondex-host, a command-line host that renders audio through them.")
