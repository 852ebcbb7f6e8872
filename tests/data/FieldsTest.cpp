#include "data/CampaignFileError.h"
#include "data/basFields.h"
#include "TestStreams.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

static_assert(std::is_base_of_v<std::runtime_error, CampaignFileError>);

TEST(WordField, LowByteFirstAndUnsignedBothWays)
{
    const std::vector<std::pair<int32_t, std::string>> cases{
        {32768, std::string("\x00\x80", 2)}, {65535, "\xFF\xFF"},       {4660, "\x34\x12"}, {0, Nuls(2)},
        {255, std::string("\xFF\x00", 2)},   {256, std::string("\x00\x01", 2)}, {1200, "\xB0\x04"}};
    for (const auto& [lngValue, strBytes] : cases) {
        std::istringstream Input(strBytes);
        EXPECT_EQ(ReadWord(Input), lngValue);
        std::ostringstream Output;
        WriteWord(lngValue, Output);
        EXPECT_EQ(Output.str(), strBytes) << lngValue;
    }
}

TEST(FileNameField, ReadKeepsTheTextBeforeTheFirstDotOfAllTwentyBytes)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {Nuls(20), ""},
        {Field("germwin.smk"), "germwin"},
        {"abcdefghijklmnopqrst", ""},
        {Field("a.b.txt"), "a"},
        {Field(".mus"), ""},
        {"abcdefghijklmnopqrs.", "abcdefghijklmnopqrs"},
        {Field("\xE9t\xFF.scn"), "\xE9t\xFF"},
        {Field(std::string("ab\0\0.x", 6)), std::string("ab\0\0", 4)},
    };
    for (const auto& [strBytes, strText] : cases) {
        std::istringstream Stream(strBytes + "next");
        EXPECT_EQ(ReadFileName(Stream), strText) << strBytes;
        EXPECT_EQ(Stream.tellg(), 20);
    }
}

TEST(FileNameField, WriteFillsExactlyTwentyBytes)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", Nuls(20)},
        {"germwin.smk", "germwin.smk" + Nuls(9)},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
        {"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrst"},
        {"\xE9\xFF.txt", Field("\xE9\xFF.txt")},
    };
    for (const auto& [strText, strBytes] : cases) {
        std::ostringstream Stream;
        WriteFileName(strText, Stream);
        EXPECT_EQ(Stream.str(), strBytes) << strText;
    }
}

TEST(FieldPosition, EveryFieldMovesTheStreamByItsSize)
{
    std::stringstream Stream;
    WriteWord(7, Stream);
    WriteFileName("x.scn", Stream);
    EXPECT_EQ(Stream.tellp(), 22);
    for (const int16_t intCount : {0, 28, 636, 1000}) {
        const std::streamoff lngBefore = Stream.tellp();
        WriteZeros(intCount, Stream);
        EXPECT_EQ(Stream.tellp() - lngBefore, intCount);
    }
    WriteWord(65535, Stream);
    EXPECT_EQ(Stream.str().substr(22, 1664), Nuls(1664));

    EXPECT_EQ(ReadWord(Stream), 7);
    EXPECT_EQ(ReadFileName(Stream), "x");
    SkipBytes(1, Stream);
    SkipBytes(1000, Stream);
    SkipBytes(663, Stream);
    EXPECT_EQ(Stream.tellg(), 1686);
    EXPECT_EQ(ReadWord(Stream), 65535);
}
