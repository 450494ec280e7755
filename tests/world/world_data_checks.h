#pragma once
// Shared expectations of the map area and place tables.
#include "runtime/types.h"

#include <gtest/gtest.h>

#include <cmath>

namespace worldtest {

// The values of the tables are exact single-precision numbers.
inline void expectExactly(const drovil::Vector3& actual, float x, float y, float z) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.z, z);
}

inline float planeDistance(const drovil::Vector3& a, const drovil::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

inline bool samePoint(const drovil::Vector3& a, const drovil::Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace worldtest
