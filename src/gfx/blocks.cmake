# The tileset block editor and the tile pixel editor.
target_sources(vorlig_ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/BlockPicBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmEditTSA.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmEditTSA_cells.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmTile.cpp)
