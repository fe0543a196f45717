# ondex_add_artwork(<target>): every bitmap of the editor, loadable by number
# through the toolkit's CBitmap in <target>. Windows: the resource script
# compiled into the target. Linux: the BMP files embedded and registered when
# the target is loaded, with no call to remember.
set(ONDEX_ARTWORK_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ONDEX_ARTWORK_IDS
    128 129 130 131 132 133 134 135 136 137 138 139 140 141 142 143 144 145 146 147 148 149
    150 151 152 153 154 155 990 991 992 993 994 995 998 999)
function(ondex_add_artwork target)
  if(WIN32)
    target_sources(${target} PRIVATE ${ONDEX_ARTWORK_DIR}/ondex.rc)
  else()
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:ondex_artwork>)
    target_link_libraries(${target} PRIVATE ondex_gui)
  endif()
endfunction()
