#pragma once
// Hosts read the release as one number: major x 1000 + minor x 100 + patch, so release 2.0.0 is 2000.
// The build states the release once, as the project's version, and passes its three parts in.

#include <cstdint>

constexpr int32_t vendorVersion(int32_t major, int32_t minor, int32_t patch) {
    return major * 1000 + minor * 100 + patch;
}

// Within these bounds no two releases give the same number.
constexpr bool fitsVendorVersion(int32_t minor, int32_t patch) {
    return minor >= 0 && minor < 10 && patch >= 0 && patch < 100;
}
