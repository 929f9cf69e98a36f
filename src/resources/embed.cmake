# Writes OUT, a C++ source holding every file of DATA_DIR as a byte array named by the file's
# stem (data/PU_A1.gif becomes the resource "PU_A1").
file(GLOB files LIST_DIRECTORIES false "${DATA_DIR}/*")
list(SORT files)
string(REPEAT "0x..," 16 row16) # CMake's regular expressions have no {16}
set(arrays "")
set(entries "")
set(i 0)
foreach(f IN LISTS files)
    get_filename_component(name "${f}" NAME_WE)
    file(READ "${f}" hex HEX)
    file(SIZE "${f}" size)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    string(REGEX REPLACE "(${row16})" "\\1\n" hex "${hex}")
    # The trailing zero keeps an empty file a valid array; the size leaves it out.
    string(APPEND arrays "const unsigned char d${i}[] = {\n${hex}0x00};\n")
    string(APPEND entries "    { \"${name}\", d${i}, ${size} },\n")
    math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUT}" "// Generated from src/resources/data by embed.cmake; do not edit.\n"
    "#include \"resources/Embedded.h\"\n\nnamespace {\n${arrays}} // namespace\n\n"
    "namespace res::embedded {\nconst Entry entries[] = {\n${entries}};\n"
    "const std::size_t count = ${i};\n} // namespace res::embedded\n")
