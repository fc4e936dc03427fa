// The preset browser's picture cache: what goes in comes out, an entry
// serves only the file as it was, and a cache damaged anywhere (cut short,
// one byte changed, pictures of another size) counts as empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/picture_cache.h"

namespace {

const int32_t kWidth = 6, kHeight = 4;

// The cache's check of its bytes (FNV-1a, 64 bits), to damage a cache in
// ways the check does not see.
void Reseal(std::vector<uint8_t> &bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i + 8 < bytes.size(); ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    for (int i = 0; i < 8; ++i)
        bytes[bytes.size() - 8 + size_t(i)] = uint8_t(hash >> (8 * i));
}

// A picture with runs of one colour and stretches of changing pixels, as a
// flare on black has.
PresetPicture Picture(uint8_t shade)
{
    PresetPicture picture;
    picture.state = PICTURE_MADE;
    picture.types = {"glow", "rngflx"};
    picture.names = {"Central Glow", "Ring Reflex"};
    for (int i = 0; i < kWidth * kHeight; ++i) {
        uint8_t value = i < 9 ? 0 : uint8_t(shade + i * 7);
        picture.pixels.insert(picture.pixels.end(), {value, uint8_t(value / 2), shade});
    }
    return picture;
}

TEST(PictureCache, WhatGoesInComesOutForTheFileAsItWas)
{
    PresetFile sun{"C:\\fx\\Sun.lnz", 1234, 99}, broken{"C:\\fx\\broken.lnz", 5, 7};
    PresetPicture made = Picture(40), damaged;
    damaged.state = PICTURE_DAMAGED;
    damaged.problem = "Line 3: \"intensity\" \"much\" is not a number.";
    PresetPicture pending;
    std::vector<uint8_t> bytes = EncodePictureCache(
        kWidth, kHeight, {{&sun, &made}, {&broken, &damaged}, {&broken, &pending}});
    PictureCache cache;
    ASSERT_TRUE(DecodePictureCache(bytes.data(), bytes.size(), kWidth, kHeight, &cache));
    ASSERT_EQ(cache.entries.size(), 2u) << "a pending picture is not kept";
    struct Lookup {
        const char *what;
        PresetFile file;
        const PresetPicture *expected;
    } lookups[] = {
        {"the same file", sun, &made},
        {"its path in other letters", {"c:\\FX\\sun.LNZ", 1234, 99}, &made},
        {"the file grown", {sun.path, 1235, 99}, nullptr},
        {"the file written since", {sun.path, 1234, 100}, nullptr},
        {"another file", {"C:\\fx\\moon.lnz", 1234, 99}, nullptr},
        {"a damaged file", broken, &damaged},
    };
    for (const Lookup &lookup : lookups) {
        const CachedPicture *found = FindCachedPicture(cache, lookup.file);
        ASSERT_EQ(found != nullptr, lookup.expected != nullptr) << lookup.what;
        if (!found)
            continue;
        EXPECT_EQ(found->picture.state, lookup.expected->state) << lookup.what;
        EXPECT_EQ(found->picture.types, lookup.expected->types) << lookup.what;
        EXPECT_EQ(found->picture.names, lookup.expected->names) << lookup.what;
        EXPECT_EQ(found->picture.problem, lookup.expected->problem) << lookup.what;
        EXPECT_EQ(found->picture.pixels, lookup.expected->pixels) << lookup.what;
    }
}

TEST(PictureCache, ACacheDamagedAnywhereCountsAsEmpty)
{
    PresetFile a{"a.lnz", 1, 2}, b{"b.lnz", 3, 4};
    PresetPicture first = Picture(10), second = Picture(200);
    const std::vector<uint8_t> whole =
        EncodePictureCache(kWidth, kHeight, {{&a, &first}, {&b, &second}});
    PictureCache cache;
    auto rejected = [&](const std::vector<uint8_t> &bytes, int32_t width, int32_t height) {
        cache.entries.resize(3);
        bool read = DecodePictureCache(bytes.data(), bytes.size(), width, height, &cache);
        return !read && cache.entries.empty() && cache.byPath.empty();
    };
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_TRUE(rejected(std::vector<uint8_t>(whole.begin(), whole.begin() + long(length)),
                             kWidth, kHeight))
            << "cut to " << length << " bytes";
    for (size_t at = 0; at < whole.size(); ++at) {
        std::vector<uint8_t> changed = whole;
        changed[at] ^= 0x01;
        EXPECT_TRUE(rejected(changed, kWidth, kHeight)) << "byte " << at << " changed";
    }
    // Changes the check does not catch must still be read safely: lengths
    // and counts that point past the end, states of no kind.
    for (size_t at = 0; at + 8 < whole.size(); ++at) {
        for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
            std::vector<uint8_t> changed = whole;
            changed[at] = value;
            Reseal(changed);
            DecodePictureCache(changed.data(), changed.size(), kWidth, kHeight, &cache);
            EXPECT_LE(cache.entries.size(), 2u) << "byte " << at << " set to " << int(value);
        }
    }
    std::vector<uint8_t> longer = whole;
    longer.push_back(0);
    EXPECT_TRUE(rejected(longer, kWidth, kHeight)) << "a byte added";
    EXPECT_TRUE(rejected(whole, kWidth + 1, kHeight)) << "pictures of another size";
    EXPECT_TRUE(rejected(std::vector<uint8_t>(64, 'L'), kWidth, kHeight)) << "another file";
}

}  // namespace
