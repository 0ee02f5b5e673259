// The two record readers: Windows metafiles (placeable and plain) and enhanced metafiles.
#pragma once

#include "platform/metafile/le_reader.h"
#include "platform/metafile/metafile_program.h"

namespace orvella::metafile {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
inline constexpr std::uint32_t kEmfSignature = 0x464D4520u;  // " EMF"

bool looksLikeWmf(const LeReader& file);
bool looksLikeEmf(const LeReader& file);

// Both throw Damaged for damaged files.
Program readWmf(const LeReader& file);
Program readEmf(const LeReader& file);

}  // namespace orvella::metafile
