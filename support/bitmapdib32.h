// The BMP file of picturesavebpm: a device-independent bitmap with 32 bits
// per pixel and no compression, written by our own code so its bytes do not
// depend on the image library. Rows run bottom-up; each pixel is blue, green,
// red, alpha (255 opaque).
#pragma once

#include "support/picture.h"

#include <string>

namespace vornscript {

// The whole file: the 14-byte file header, the 40-byte info header and the
// pixels.
std::string bitmapdibuncompressed32bit(const VornPicture& picture);

} // namespace vornscript
