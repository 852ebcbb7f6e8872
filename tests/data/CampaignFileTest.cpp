#include "data/CampaignFileError.h"
#include "data/clsCampaign.h"
#include "TestStreams.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

// Any campaign the file can carry: used slots 0..count-1, words 0..65535,
// names of up to 16 characters so that name and extension fill the field.
clsCampaign RandomCampaign(std::mt19937& Random, int16_t intCount)
{
    const std::string strChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int32_t> AnyWord(0, 65535), AnyGoTo(0, 51), AnyLength(0, 16), AnyChar(0, 61);
    const auto Name = [&] {
        std::string strS;
        for (int32_t lngN = AnyLength(Random); lngN > 0; --lngN) {
            strS += strChars[static_cast<std::size_t>(AnyChar(Random))];
        }
        return strS;
    };
    clsCampaign Campaign;
    Campaign.SetNation(AnyWord(Random) % 4);
    Campaign.SetPrestige(AnyWord(Random));
    Campaign.SetDescription(Name());
    for (int16_t intK = 0; intK < intCount; ++intK) {
        clsScenario& Scenario = Campaign.Scenarios(intK);
        Scenario.SetNumber(intK);
        Scenario.SetPrestige(AnyWord(Random));
        Scenario.SetFirstUnknown(AnyWord(Random));
        Scenario.SetSecondUnknown(AnyWord(Random));
        Scenario.SetThirdUnknown(AnyWord(Random));
        Scenario.SetName(Name());
        Scenario.SetMovie(Name());
        Scenario.SetVoice(Name());
        Scenario.SetText(Name());
        for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
            const int32_t lngGoTo = AnyGoTo(Random);
            Scenario.SetResultScenario(intI, lngGoTo < 50 ? lngGoTo : lngGoTo + 204);
            Scenario.SetResultPrestige(intI, AnyWord(Random));
            Scenario.SetResultVoice(intI, Name());
            Scenario.SetResultText(intI, Name());
            Scenario.SetResultMovie(intI, Name());
        }
    }
    return Campaign;
}

std::string FullFile()
{
    std::mt19937 Random(7);
    return WriteCampaign(RandomCampaign(Random, 50));
}

// The message of the CampaignFileError the read throws, or "" when it reads.
std::string ReadError(clsCampaign& Campaign, const std::string& strBytes)
{
    try {
        ReadCampaign(Campaign, strBytes);
    } catch (const CampaignFileError& Error) {
        return Error.what();
    }
    return "";
}

} // namespace

TEST(CampaignDocument, CountsUsedSlotsWhereverTheyAreAndClearKeepsFlagsAndErrors)
{
    clsCampaign Campaign;
    EXPECT_EQ(Campaign.ScenarioCount() + Campaign.NextFreeScenario() + Campaign.ErrorCount(), 0);
    EXPECT_EQ(Campaign.Description() + Campaign.Name(), "newNew");
    EXPECT_EQ(Campaign.Nation() + Campaign.Prestige(), 0);
    EXPECT_FALSE(Campaign.Changed() || Campaign.Saved());
    for (const int16_t intI : {0, 1, 3, 5}) {
        Campaign.Scenarios(intI).SetNumber(intI);
    }
    clsScenario& Slot5 = Campaign.Scenarios(5);
    EXPECT_EQ(&Slot5, &Campaign.Scenarios(5));
    Slot5.Clear();
    EXPECT_EQ(Campaign.ScenarioCount(), 3);
    EXPECT_EQ(Campaign.NextFreeScenario(), 2);
    EXPECT_THROW((void)Campaign.Scenarios(50), std::out_of_range);
    EXPECT_THROW((void)Campaign.Errors(256), std::out_of_range);

    ASSERT_EQ(Campaign.Check(), 4);
    Campaign.SetChanged(true);
    Campaign.SetSaved(true);
    Campaign.SetNation(3);
    Campaign.SetPrestige(9);
    Campaign.SetName("Mine");
    Campaign.Clear();
    EXPECT_EQ(Campaign.ScenarioCount() + Campaign.Nation() + Campaign.Prestige(), 0);
    EXPECT_EQ(Campaign.Name(), "New");
    EXPECT_TRUE(Campaign.Changed() && Campaign.Saved());
    EXPECT_EQ(Campaign.ErrorCount(), 4);
    EXPECT_EQ(Campaign.Errors(3), "Defeat Scenario (255) not referenced");
}

TEST(CampaignFile, NewCampaignAndOneScenarioAreWrittenByteForByte)
{
    clsCampaign Campaign;
    const std::string strMovies = Field("germwin.smk") + Field("gerloss.smk");
    const std::string strTail = Field("new.txt") + Nuls(80);
    EXPECT_EQ(WriteCampaign(Campaign), Nuls(4) + strMovies + Nuls(50 * RecordSize) + strTail);

    Campaign.SetPrestige(1200);
    clsScenario& Scenario = Campaign.Scenarios(0);
    Scenario.SetNumber(0);
    Scenario.SetName("s1");
    std::string strRecord = Nuls(8) + Field("s1.scn") + Nuls(20) + Field(".mus") + Field(".txt") + Nuls(328);
    for (int16_t intI = 0; intI < 4; ++intI) {
        Scenario.SetResultScenario(intI, 254);
        strRecord += "\xFE" + Nuls(29);
    }
    const std::string strBytes = WriteCampaign(Campaign);
    EXPECT_EQ(strBytes.substr(2, 2), "\xB0\x04");
    EXPECT_EQ(strBytes, Word(1) + Word(1200) + strMovies + strRecord + Nuls(100 + 49 * RecordSize) + strTail);
}

// Slots 0..count-1 are written, used or not: a gap is the check's business.
TEST(CampaignFile, WritesSlotsZeroToCountMinusOneAtTheirOffsets)
{
    clsCampaign Campaign;
    for (const int16_t intK : {0, 1, 3}) {
        Campaign.Scenarios(intK).SetNumber(intK);
    }
    Campaign.Scenarios(1).SetResultPrestige(3, 4660);
    Campaign.Scenarios(1).SetResultScenario(3, 255);
    Campaign.Scenarios(3).SetName("unseen");
    const std::string strBytes = WriteCampaign(Campaign);
    EXPECT_EQ(strBytes.substr(1014, 2), "\x34\x12");
    EXPECT_EQ(strBytes.substr(1186, 2), std::string("\xFF\x00", 2));
    EXPECT_EQ(strBytes.substr(SlotOffset(2) + 8, 80), Field(".scn") + Nuls(20) + Field(".mus") + Field(".txt"));
    EXPECT_EQ(strBytes.substr(SlotOffset(3), RecordSize), Nuls(RecordSize));
}

TEST(CampaignFile, NationTravelsAsItsVictoryMovieName)
{
    const std::vector<std::tuple<int32_t, std::string, std::string>> cases{
        {0, "germwin", "gerloss"}, {1, "ukwin", "ukloss"},     {2, "ruwin", "ruloss"},
        {3, "amerwin", "amerloss"}, {7, "germwin", "gerloss"}, {-1, "germwin", "gerloss"}};
    for (const auto& [lngNation, strVictory, strDefeat] : cases) {
        clsCampaign Campaign;
        Campaign.SetNation(lngNation);
        const std::string strBytes = WriteCampaign(Campaign);
        ASSERT_EQ(strBytes.size(), FileSize);
        EXPECT_EQ(strBytes.substr(4, 40), Field(strVictory + ".smk") + Field(strDefeat + ".smk"));
        ReadCampaign(Campaign, strBytes);
        EXPECT_EQ(Campaign.Nation(), lngNation == 7 || lngNation == -1 ? 0 : lngNation);
    }

    std::string strBytes = WriteCampaign(clsCampaign());
    strBytes.replace(4, 20, Field("ukwin.smk"));
    clsCampaign Campaign;
    ReadCampaign(Campaign, strBytes);
    EXPECT_EQ(Campaign.Nation(), 1);
    EXPECT_EQ(WriteCampaign(Campaign).substr(24, 20), Field("ukloss.smk"));
    for (const std::string strVictory : {"GERMWIN.smk", "germwin", "germwinx.smk", ""}) {
        strBytes.replace(4, 20, Field(strVictory));
        Campaign.Clear();
        ReadCampaign(Campaign, strBytes);
        EXPECT_EQ(Campaign.Nation(), 0) << strVictory;
        Campaign.SetNation(2);
        ReadCampaign(Campaign, strBytes);
        EXPECT_EQ(Campaign.Nation(), 2) << strVictory;
    }
}

TEST(CampaignFile, GeneratedCampaignsSurviveWriteReadWrite)
{
    std::mt19937 Random(20240607);
    for (int16_t intRun = 0; intRun < 60; ++intRun) {
        const auto intCount = static_cast<int16_t>(intRun < 51 ? intRun : 50);
        clsCampaign Original = RandomCampaign(Random, intCount);
        if (intRun % 5 == 0) {
            Original.SetDescription("");
        }
        const std::string strBytes = WriteCampaign(Original);
        ASSERT_EQ(strBytes.size(), FileSize);
        clsCampaign Read = RandomCampaign(Random, 50);
        Read.Clear();
        ReadCampaign(Read, strBytes);
        EXPECT_EQ(Read.Nation(), Original.Nation());
        EXPECT_EQ(Read.Prestige(), Original.Prestige());
        EXPECT_EQ(Read.Description(), Original.Description());
        for (int16_t intK = 0; intK < 50; ++intK) {
            EXPECT_EQ(Read.Scenarios(intK), Original.Scenarios(intK)) << "run " << intRun << " slot " << intK;
        }
        EXPECT_EQ(WriteCampaign(Read), strBytes);
    }
}

TEST(CampaignFile, ReadLoadsCountRecordsIgnoresTheRestAndKeepsForeignBytes)
{
    std::mt19937 Random(11);
    const clsCampaign Full = RandomCampaign(Random, 50);
    std::string strBytes = WriteCampaign(Full);
    strBytes.replace(0, 2, Word(3));
    strBytes.replace(24, 20, "garbage-defeat-movie");
    strBytes.replace(SlotOffset(0) + 8, 40, "abcdefghijklmnopqrs.no dot in this name!");
    strBytes.replace(SlotOffset(1) + 48, 20, Field("\xE9\xFF.mus"));
    strBytes.replace(DescriptionOffset, 100, Field("two.dots.txt") + std::string(80, '\x7F'));

    clsCampaign Campaign;
    ASSERT_EQ(Campaign.Check(), 2);
    Campaign.Scenarios(10).SetNumber(10);
    Campaign.SetName("Kept");
    Campaign.SetChanged(true);
    ReadCampaign(Campaign, strBytes + "bytes past the end are never read");
    EXPECT_EQ(Campaign.ScenarioCount(), 3);
    for (int16_t intK = 0; intK < 50; ++intK) {
        EXPECT_EQ(Campaign.Scenarios(intK).Number(), intK < 3 ? intK : -1);
    }
    EXPECT_EQ(Campaign.Scenarios(0).Name() + "|" + Campaign.Scenarios(0).Movie(), "abcdefghijklmnopqrs|");
    EXPECT_EQ(Campaign.Scenarios(1).Voice(), "\xE9\xFF");
    EXPECT_EQ(Campaign.Scenarios(2), Full.Scenarios(2));
    EXPECT_EQ(Campaign.Description() + Campaign.Name(), "twoKept");
    EXPECT_TRUE(Campaign.Changed());
    EXPECT_EQ(Campaign.ErrorCount(), 2);

    std::string strExpected = strBytes.substr(44, 3 * RecordSize) + Nuls(47 * RecordSize) + Field("two.txt") + Nuls(80);
    strExpected.replace(28, 20, Nuls(20));
    EXPECT_EQ(WriteCampaign(Campaign).substr(44), strExpected);
}

TEST(CampaignFileErrors, FileCutAnywhereNamesTheByteWhereItEnds)
{
    // Every byte of the header and of a whole record, then a stride that
    // lands in skipped slots, the description and the trailer.
    for (const std::string& strFile : {FullFile(), WriteCampaign(clsCampaign())}) {
        for (std::size_t lngCut = 0; lngCut < FileSize; lngCut += lngCut < SlotOffset(1) + 2 ? 1 : 89) {
            for (const std::size_t lngAt : {lngCut, FileSize - 1 - lngCut % 110}) {
                clsCampaign Campaign;
                EXPECT_EQ(ReadError(Campaign, strFile.substr(0, lngAt)),
                          "The file ends at byte " + std::to_string(lngAt) + ", but a campaign file has 31944 bytes.");
            }
        }
    }
}

TEST(CampaignFileErrors, CountAboveFiftyStopsTheReadAtOnce)
{
    for (const int32_t lngCount : {51, 65535}) {
        std::string strBytes = FullFile();
        strBytes.replace(0, 2, Word(lngCount));
        clsCampaign Campaign;
        Campaign.SetPrestige(77);
        Campaign.Scenarios(0).SetNumber(0);
        const std::string strMessage = ReadError(Campaign, strBytes);
        EXPECT_NE(strMessage.find(std::to_string(lngCount)), std::string::npos) << strMessage;
        EXPECT_NE(strMessage.find("at most 50"), std::string::npos) << strMessage;
        EXPECT_EQ(Campaign.Prestige(), 77);
        EXPECT_EQ(Campaign.ScenarioCount(), 0);
    }
}

TEST(CampaignFileErrors, StreamThatRefusesBytesFailsTheWrite)
{
    std::mt19937 Random(5);
    const clsCampaign Campaign = RandomCampaign(Random, 50);
    for (const std::size_t lngLimit : {0, 1, 3, 30, 44, 45, 1000, 31843, 31943, 31944}) {
        FailingBuffer Buffer(lngLimit);
        std::ostream Stream(&Buffer);
        try {
            Campaign.FileWrite(Stream);
            EXPECT_EQ(lngLimit, FileSize) << "the write went through";
        } catch (const CampaignFileError& Error) {
            EXPECT_EQ(std::string(Error.what()), "The campaign could not be written: writing stopped at byte " +
                                                     std::to_string(lngLimit) + " of 31944.");
        }
    }
}
