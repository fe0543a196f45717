# The Windows setup program Ondex-VERSION-setup.exe, target `setup`: the
# stripped release files staged from the archive component (so a format whose
# install rule joins the archive joins the setup program too), then makensis
# on packaging/windows/ondex.nsi.
find_program(ONDEX_MAKENSIS makensis)
if(NOT ONDEX_MAKENSIS)
  return()
endif()
set(ONDEX_SETUP_STAGE ${CMAKE_BINARY_DIR}/setup-stage)
set(ONDEX_SETUP ${CMAKE_BINARY_DIR}/Ondex-${PROJECT_VERSION}-setup.exe)
add_custom_target(setup
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ONDEX_SETUP_STAGE}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component archive --strip
          --prefix ${ONDEX_SETUP_STAGE}
  COMMAND ${ONDEX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} "-DPRODUCT=${ONDEX_PRODUCT}"
          "-DVENDOR=${ONDEX_VENDOR}" "-DCOPYRIGHT=${ONDEX_COPYRIGHT}" -DSTAGE=${ONDEX_SETUP_STAGE}
          -DOUTFILE=${ONDEX_SETUP} ${CMAKE_SOURCE_DIR}/packaging/windows/ondex.nsi
  DEPENDS Ondex OndexClap OndexVst3 ondex-host
  BYPRODUCTS ${ONDEX_SETUP}
  COMMENT "Building Ondex-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
