#pragma once
// The depth a BMP file's header states, for telling the user what a refused
// picture is (the reader's refusal names none).
#include <string>

namespace hushlake {

// Bits per pixel as stored in the BMP file Path; 0 when its header cannot be read.
int StoredBitsPerPixel(const std::string& path);

}  // namespace hushlake
