# cmake -DRESOURCE_DIR=... -DNAMES=a|b|... -DOUTPUT=file.cpp -P GenerateEmbeddedData.cmake
# Writes a C++ source that holds each named file of RESOURCE_DIR as a byte
# array, with the table that EmbeddedData.h declares.

string(REPLACE "|" ";" names "${NAMES}")

# 16 bytes a line keeps the file readable for editors and diff tools (CMake's
# regular expressions have no {n} repetition, hence the spelled-out pattern).
string(REPEAT "0x..," 16 sixteen_bytes)

set(arrays "")
set(table "")
set(index 0)
foreach(name IN LISTS names)
  file(READ "${RESOURCE_DIR}/${name}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  if(size EQUAL 0)
    set(bytes "0")  # an array cannot be empty; the table still says 0 bytes
  else()
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n" bytes "${bytes}")
  endif()
  string(APPEND arrays "// ${name}\nconstexpr std::uint8_t kFile${index}[] = {\n${bytes}\n};\n\n")
  string(APPEND table "    {\"${name}\", {kFile${index}, ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(content "// Generated at build time from resources/ by GenerateEmbeddedData.cmake. Do not edit.
#include \"app/embedded/EmbeddedData.h\"

namespace orvanta::embedded {
namespace {

${arrays}constexpr EmbeddedBlob kBlobs[] = {
${table}};

}  // namespace

std::span<const EmbeddedBlob> AllBlobs() { return kBlobs; }

}  // namespace orvanta::embedded
")

file(WRITE "${OUTPUT}" "${content}")
