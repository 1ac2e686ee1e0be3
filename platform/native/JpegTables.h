// A check on JPEG data that stb_image 2.27 does not make itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dw::native {

// False when the bytes are JPEG data with a Huffman table of more than 256 codes, the most a
// table can hold: stb_image 2.27 writes such a table past the end of its arrays. True for
// everything else (other formats and JPEG faults the decoder catches itself).
bool JpegHuffmanTablesFit(const std::uint8_t* bytes, std::size_t count);

}  // namespace dw::native
