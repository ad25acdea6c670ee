#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <vector>

#include "model/persistentarray.h"

using velmo::tpersistentarray;

namespace {

using tarray = tpersistentarray<int>;

std::vector<int> countingFrom(int first, std::size_t n) {
    std::vector<int> items(n);
    for (std::size_t i = 0; i < n; ++i) items[i] = first + static_cast<int>(i);
    return items;
}

std::vector<int> contents(const tarray& array) {
    std::vector<int> items;
    for (std::size_t i = 0; i < array.size(); ++i) items.push_back(array.at(i));
    return items;
}

std::vector<std::size_t> differences(const tarray& a, const tarray& b) {
    std::vector<std::size_t> found;
    tarray::forEachDifference(a, b, [&](std::size_t i) { found.push_back(i); });
    return found;
}

}  // namespace

// Many generations of copies, each changed at random places: every copy
// keeps exactly its own items, and the difference walk finds exactly the
// places where two copies differ. The sizes lie around the block edges:
// one leaf, one more than a leaf, one more than two levels, three levels.
TEST(PersistentArray, CopiesChangeIndependentlyAndTheirDifferencesAreFound) {
    std::mt19937 random(15);
    for (const std::size_t n : {1u, 33u, 1025u, 5000u}) {
        std::vector<tarray> arrays{tarray(countingFrom(0, n))};
        std::vector<std::vector<int>> models{countingFrom(0, n)};
        for (int generation = 1; generation < 40; ++generation) {
            tarray next = arrays.back();
            std::vector<int> model = models.back();
            // A few changes, sometimes close together, sometimes the same
            // value again (no difference then).
            const int changes = static_cast<int>(random() % 6);
            for (int c = 0; c < changes; ++c) {
                const std::size_t at = random() % n;
                const int value = random() % 3 == 0 ? model[at] : generation * 100000 + c;
                next.set(at, value);
                model[at] = value;
            }
            arrays.push_back(next);
            models.push_back(model);
        }
        for (std::size_t g = 0; g < arrays.size(); ++g) {
            ASSERT_EQ(contents(arrays[g]), models[g]) << "size " << n << ", generation " << g;
            if (g == 0) continue;
            std::vector<std::size_t> expected;
            for (std::size_t i = 0; i < n; ++i)
                if (models[g][i] != models[g - 1][i]) expected.push_back(i);
            EXPECT_EQ(differences(arrays[g], arrays[g - 1]), expected);
        }
    }
}

TEST(PersistentArray, DifferencesOfArraysOfOtherSizesStopAtTheShorter) {
    const tarray small(countingFrom(0, 40));
    tarray big(countingFrom(0, 2000));
    big.set(3, -1);
    big.set(1500, -1);
    EXPECT_EQ(differences(small, big), std::vector<std::size_t>{3});
    EXPECT_EQ(differences(big, small), std::vector<std::size_t>{3});
}

// A change costs the blocks on its path; an unchanged copy costs nothing
// beyond the one below it; the first array costs all of its blocks.
TEST(PersistentArray, OwnBytesAreThePathOfWhatChanged) {
    const tarray first(countingFrom(0, 40000));
    const std::size_t whole = first.ownBlockBytes(nullptr, 16);
    tarray copy = first;
    EXPECT_EQ(copy.ownBlockBytes(&first, 16), 0u);
    copy.set(39999, 1);
    const std::size_t onePath = copy.ownBlockBytes(&first, 16);
    EXPECT_GT(onePath, 0u);
    EXPECT_LT(onePath * 100, whole);
    copy.set(39998, 2);  // the same path: changed in place
    EXPECT_EQ(copy.ownBlockBytes(&first, 16), onePath);
    EXPECT_EQ(first.at(39999), 39999);
    EXPECT_EQ(first.at(39998), 39998);
}
