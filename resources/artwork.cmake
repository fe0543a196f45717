# ondex_add_artwork(<target>): every bitmap of the editor, loadable by number
# through the toolkit's CBitmap in <target>. Windows: the resource script
# compiled into the target. Linux: the BMP files embedded and registered when
# the target is loaded, with no call to remember.
set(ONDEX_ARTWORK_DIR ${CMAKE_CURRENT_LIST_DIR})
function(ondex_add_artwork target)
  if(WIN32)
    target_sources(${target} PRIVATE ${ONDEX_ARTWORK_DIR}/ondex.rc)
  else()
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:ondex_artwork>)
    target_link_libraries(${target} PRIVATE ondex_gui)
  endif()
endfunction()
