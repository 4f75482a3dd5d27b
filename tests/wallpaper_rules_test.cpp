#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "wallpaper/wallpaper_sets.h"

using namespace lumeva;

namespace {

struct IndexCase {
    std::int64_t seconds;
    std::size_t setCount;
    std::size_t index;
};

class WallpaperSetIndex : public ::testing::TestWithParam<IndexCase> {};

TEST_P(WallpaperSetIndex, IsTheClocksPlaceInTheRotation) {
    const IndexCase c = GetParam();
    EXPECT_EQ(wallpaperSetIndex(c.seconds, c.setCount), c.index);
}

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(Readings, WallpaperSetIndex,
                         ::testing::Values(IndexCase{1700000000, 3, 2}, IndexCase{1700000001, 3, 0}, IndexCase{0, 5, 0},
                                           IndexCase{12345, 1, 0},
                                           // Beyond 2038: the whole signed 64-bit range is used.
                                           IndexCase{4102444800, 7, 6}, IndexCase{Max, 10, 7},
                                           // Negative readings continue the rotation backwards.
                                           IndexCase{-1, 3, 2}, IndexCase{-1, 1, 0}, IndexCase{-6, 3, 0},
                                           IndexCase{Min, 10, 2}, IndexCase{Min, 3, 1}));

}  // namespace
