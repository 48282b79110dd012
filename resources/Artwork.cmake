# Packs the committed artwork (resources/art, resources/sounds) into resource files at build time:
# the bitmap lists as RCDATA blobs and Artwork.rc, which resources/Vindrel.rc includes.
# Packing needs the Python standard library and zopfli; regenerating the artwork is tools/artgen's job.
set(VINDREL_ART_OUT ${CMAKE_BINARY_DIR}/artwork)
set(VINDREL_ART_RC ${VINDREL_ART_OUT}/Artwork.rc)
set(VINDREL_ART_MANIFEST ${CMAKE_SOURCE_DIR}/resources/art/manifest.txt)
file(GLOB VINDREL_ART_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/art/*.bmp
  ${CMAKE_SOURCE_DIR}/resources/sounds/*.wav)

# Files the resource script names directly.
file(GLOB VINDREL_RC_EXTRAS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.manifest
  ${CMAKE_SOURCE_DIR}/resources/art/*.ico)

add_custom_command(OUTPUT ${VINDREL_ART_RC}
  COMMAND ${VINDREL_PYTHON} ${CMAKE_SOURCE_DIR}/tools/packart.py ${VINDREL_ART_MANIFEST}
          ${CMAKE_SOURCE_DIR}/resources/art ${CMAKE_SOURCE_DIR}/resources/sounds ${VINDREL_ART_OUT}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/packart.py ${VINDREL_ART_MANIFEST} ${VINDREL_ART_FILES}
  COMMENT "Packing artwork and sounds"
  VERBATIM)
add_custom_target(vindrel_artwork DEPENDS ${VINDREL_ART_RC})

string(APPEND CMAKE_RC_FLAGS " -I \"${VINDREL_ART_OUT}\"")

# For each executable that links resources/Vindrel.rc (call from the target's own directory).
function(vindrel_use_artwork target)
  add_dependencies(${target} vindrel_artwork)
  set_source_files_properties(${VINDREL_RC} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/Vindrel.rc;${VINDREL_ART_RC};${VINDREL_ART_FILES};${VINDREL_RC_EXTRAS}")
endfunction()
