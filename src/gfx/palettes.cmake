# The background and sprite palette editors and the pattern table window.
target_sources(vorlig_ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/ColourBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PaletteWindow.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmPalettes.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmPalettesPreview.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmSprites.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmPatterns.cpp)
