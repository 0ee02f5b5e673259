// Bounds that a raster picture from a stranger's file must stay within before anything is allocated.
#pragma once

#include <cstdint>

namespace orvella::raster_limits {

// Largest side accepted in any raster header.
inline constexpr std::int64_t kMaxSide = 65500;
// Largest picture decoded into memory at once (4 bytes a pixel: 400 MB).
inline constexpr std::int64_t kMaxDecodedPixels = 100'000'000;
// A JPEG header may announce more, since it is decoded scaled; its decodes stay within kMaxDecodedPixels.
inline constexpr std::int64_t kMaxJpegPixels = 400'000'000;
// Icons are small; their images are bounded much tighter.
inline constexpr std::int64_t kMaxIconSide = 1024;
// Run-length data can describe a large blank picture in a few bytes; a bitmap may have at most this
// many pixels per byte of its data, beyond a picture of kRleFreePixels.
inline constexpr std::int64_t kMaxRlePixelsPerByte = 255;
inline constexpr std::int64_t kRleFreePixels = 4'000'000;

}  // namespace orvella::raster_limits
