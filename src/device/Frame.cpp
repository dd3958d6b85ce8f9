// SPDX-License-Identifier: GPL-2.0-or-later
#include "Frame.h"

namespace frame {

uchar checksum(const uchar *frame)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < kChecksumIndex; ++i)
        sum += frame[i];
    return static_cast<uchar>(~sum & 0xFFu);
}

Frame build(uchar code, const Parameters &parameters)
{
    Frame f{};
    f[0] = code;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        f[1 + i] = parameters[i];
    f[kChecksumIndex] = checksum(f.data());
    return f;
}

bool checksumHolds(const uchar *frame)
{
    return frame[kChecksumIndex] == checksum(frame);
}

} // namespace frame
