#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"

#include <gtest/gtest.h>


namespace {

using S = Scenario;

std::string Nuls(std::size_t lngCount) { return std::string(lngCount, '\0'); }
// A 20-byte file-name field as the game stores it.
std::string Field(const std::string& strS) { return strS + Nuls(20 - strS.size()); }
std::string Word(int32_t lngN) { return {static_cast<char>(lngN % 256), static_cast<char>(lngN / 256)}; }

// The message of the CampaignFileError the read throws, or "" when it reads.
std::string ReadError(Campaign& campaign, const std::string& strBytes)
{
    std::istringstream Stream(strBytes);
    try {
        campaign.FileRead(Stream);
    } catch (const CampaignFileError& Error) {
        return Error.what();
    }
    return "";
}

// Room for lngRoom bytes and no more, like a disk that fills up mid-save.
struct FullDisk : std::streambuf {
    std::string strRoom;
    explicit FullDisk(std::size_t lngRoom) : strRoom(lngRoom, '\0') { setp(&strRoom[0], &strRoom[0] + lngRoom); }
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override { return pptr() - pbase(); }
};

const std::string Victory = "Victory Scenario (254) not referenced";
const std::string Defeat = "Defeat Scenario (255) not referenced";
std::string Ref(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " referenced but not found"; }
std::string Loop(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " is looping"; }
std::string Missing(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " not found"; }

} // namespace

// The cut is at the first "." of all 20 bytes, NUL bytes included.
TEST(Fields, FileNameReadKeepsTheTextBeforeTheFirstDot)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {Nuls(20), ""}, {"abcdefghijklmnopqrst", ""}, {Field("a.b.txt"), "a"}, {Field("\xE9t\xFF.scn"), "\xE9t\xFF"},
        {"abcdefghijklmnopqrs.", "abcdefghijklmnopqrs"}, {Field(std::string("ab\0\0.x", 6)), std::string("ab\0\0", 4)}};
    for (const auto& [strBytes, strText] : cases) {
        std::istringstream Stream(strBytes);
        EXPECT_EQ(ReadFileName(Stream), strText);
    }
}

// Copy takes every field, Number included, and shares none with the source;
// the other tests lean on ==, so it must see a change in any one field.
TEST(Scenario, CopyTakesEveryFieldAndEqualitySeesEachOne)
{
    const S Source = Generated(1, 1).Scenarios(0);
    for (const auto Change : std::initializer_list<void (*)(S&)>{
             [](S& s) { s.SetMovie("?"); }, [](S& s) { s.SetName("?"); }, [](S& s) { s.SetText("?"); },
             [](S& s) { s.SetVoice("?"); }, [](S& s) { s.SetNumber(-7); }, [](S& s) { s.SetPrestige(-1); },
             [](S& s) { s.SetFirstUnknown(-1); }, [](S& s) { s.SetSecondUnknown(-1); },
             [](S& s) { s.SetThirdUnknown(-1); }, [](S& s) { s.SetResultText(3, "?"); },
             [](S& s) { s.SetResultVoice(3, "?"); }, [](S& s) { s.SetResultMovie(3, "?"); },
             [](S& s) { s.SetResultPrestige(3, -1); }, [](S& s) { s.SetResultScenario(3, -1); }}) {
        S Changed = Generated(2, 2).Scenarios(1);
        Changed.Copy(Source);
        EXPECT_EQ(Changed, Source);
        Change(Changed);
        EXPECT_NE(Changed, Source);
    }
}

TEST(CampaignFile, GeneratedCampaignsSurviveWriteReadWrite)
{
    for (const int16_t intCount : {0, 1, 2, 31, 49, 50}) {
        const Campaign Original = Generated(static_cast<uint32_t>(intCount), intCount);
        const std::string strBytes = FileBytes(Original);
        // The reader passes over the defeat movie, the unused slots and
        // anything past the end, whatever they hold.
        std::string strForeign = strBytes + "extra";
        strForeign.replace(24, 20, 20, 'Z');
        strForeign.replace(44 + 636 * intCount, 636 * (50 - intCount), 636 * (50 - intCount), 'Z');
        Campaign Read = Generated(99, 50);
        EXPECT_EQ(ReadError(Read, strForeign), "");
        // The counts give every nation in turn: each comes back as written.
        EXPECT_EQ(Read.Nation(), Original.Nation()) << intCount;
        for (int16_t intK = 0; intK < 50; ++intK) {
            EXPECT_EQ(Read.Scenarios(intK), Original.Scenarios(intK)) << intCount << " slot " << intK;
        }
        EXPECT_EQ(FileBytes(Read), strBytes);
    }
}

// Slot 0 holds a scenario with only a name, slot 1 one with every field set
// and names that overrun the field; a nation outside 0..3 falls back to 0.
// Clear then gives the new campaign's bytes.
TEST(CampaignFile, WritesEveryFieldAtItsOffset)
{
    Campaign campaign;
    campaign.SetNation(-1);
    campaign.SetPrestige(1200);
    campaign.SetDescription("abcdefghijklmnopqrs");
    Scenario& Full = campaign.Scenarios(1);
    campaign.Scenarios(0).SetNumber(0);
    campaign.Scenarios(0).SetName("s1");
    Full.Copy(Generated(5, 2).Scenarios(1));
    Full.SetVoice("abcdefghijklmnopqr");
    Full.SetText("abcdefghijklmnopqrstuvw");
    Full.SetResultPrestige(3, 4660);
    Full.SetResultScenario(3, 255);
    std::string strBare = Nuls(8) + Field("s1.scn") + Nuls(20) + Field(".mus") + Field(".txt") + Nuls(328);
    std::string strFull = Word(Full.Prestige()) + Word(Full.FirstUnknown()) + Word(Full.SecondUnknown()) +
                          Word(Full.ThirdUnknown()) + Field(Full.Name() + ".scn") + Field(Full.Movie() + ".smk") +
                          "abcdefghijklmnopqr.m" + "abcdefghijklmnopqrst";
    for (int16_t intJ = 0; intJ < 4; ++intJ) {
        campaign.Scenarios(0).SetResultScenario(intJ, 254);
        strFull += Word(Full.ResultPrestige(intJ)) + Nuls(20) + Field(Full.ResultVoice(intJ) + ".mus") +
                   Field(Full.ResultText(intJ) + ".txt") + Field(Full.ResultMovie(intJ) + ".smk");
    }
    for (int16_t intJ = 0; intJ < 4; ++intJ) {
        strBare += "\xFE" + Nuls(29);
        strFull += Word(Full.ResultScenario(intJ)) + Nuls(28);
    }
    const std::string strMovies = Field("germwin.smk") + Field("gerloss.smk");
    const std::string strBytes = FileBytes(campaign);
    EXPECT_EQ(strBytes, Word(2) + Word(1200) + strMovies + strBare + Nuls(100) + strFull + Nuls(100 + 48 * 636) +
                            "abcdefghijklmnopqrs." + Nuls(80));
    campaign.SetNation(3);
    campaign.Clear();
    EXPECT_EQ(FileBytes(campaign), Nuls(4) + strMovies + Nuls(50 * 636) + Field("new.txt") + Nuls(80));
    EXPECT_EQ(campaign.Name(), "New");
}

// Every field boundary of the header, of slot 0 (words, names, the first
// outcome, the go-tos, the reserved tail) and of the file's tail, and one byte
// into each field: the message names the byte where the file ends.
TEST(CampaignFileErrors, ShortFileNamesTheByteWhereItEnds)
{
    for (const std::string& strFile : {FileBytes(Generated(7, 50)), FileBytes(Generated(8, 1))}) {
        for (const std::size_t lngCut : {0, 2, 4, 24, 44, 46, 48, 50, 52, 72, 92, 112, 132, 134, 154, 174, 194, 214,
                                         460, 462, 580, 680, 31208, 31844, 31864, 31942}) {
            for (const std::size_t lngAt : {lngCut, lngCut + 1}) {
                Campaign campaign;
                EXPECT_EQ(ReadError(campaign, strFile.substr(0, lngAt)),
                          "The file ends at byte " + std::to_string(lngAt) + ", but a campaign file has 31944 bytes.");
            }
        }
    }
}

// A count no campaign can hold stops the read before anything else is taken;
// an unknown victory movie, matched exactly, leaves Nation as it was.
TEST(CampaignFileErrors, UnknownNationIsKeptAndCountAboveFiftyStopsAtOnce)
{
    std::string strBytes = FileBytes(Generated(3, 50));
    Campaign campaign;
    campaign.SetNation(2);
    strBytes.replace(4, 20, Field("GERMWIN.smk"));
    EXPECT_EQ(ReadError(campaign, strBytes), "");
    EXPECT_EQ(campaign.Nation(), 2);
    strBytes.replace(0, 2, Word(51));
    campaign.SetPrestige(77);
    EXPECT_NE(ReadError(campaign, strBytes).find("51"), std::string::npos);
    EXPECT_EQ(campaign.Prestige(), 77);
}

TEST(CampaignFileErrors, RefusedBytesStopTheWriteNamingWhere)
{
    for (const std::size_t lngLimit : {0, 1, 44, 45, 500, 1000, 31843, 31943, 31944}) {
        FullDisk Disk(lngLimit);
        std::ostream Stream(&Disk);
        std::string strError = "the write went through";
        try {
            Generated(5, 1).FileWrite(Stream);
        } catch (const CampaignFileError& Error) {
            strError = Error.what();
        }
        EXPECT_EQ(strError, lngLimit == 31944 ? "the write went through"
                                              : "The campaign could not be written: writing stopped at byte " +
                                                    std::to_string(lngLimit) + " of 31944.");
    }
}

// Each row: the used scenarios with their four go-to values, then the
// messages in order. One campaign serves every row, so each check must also
// drop the messages of the row before.
TEST(Check, ReportsEachDefectInSlotThenOutcomeOrder)
{
    const std::vector<std::pair<Layout, std::vector<std::string>>> cases{
        {{}, {Victory, Defeat}},
        {{{2, {254, 255, 254, 255}}}, {Missing(0), Missing(1)}},
        {{{0, {1, 1, 0, 255}}, {1, {3, 3, 2, 255}}, {3, {254, 254, 254, 3}}}, {Ref(2), Missing(2)}},
        {{{0, {1, 0, 0, 0}}, {1, {2, 1, 1, 255}}, {2, {254, 2, 0, 1}}}, {}},
        {{{0, {254, 255, 0, 0}}, {2, {2, 2, 2, 2}}, {5, {7, 5, 254, 8}}},
         {Loop(2), Missing(1), Ref(7), Ref(8), Missing(3), Missing(4)}},
        {{{0, {0, 0, 0, 255}}}, {Victory}},
        {{{0, {0, 254, 0, 0}}}, {Defeat}},
        // Go-to values no slot can hold, as a file made elsewhere may carry.
        {{{0, {300, 254, 65535, 255}}, {1, {7, 50, 253, -1}}, {3, {2, 2, 1, 1}}},
         {Ref(300), Ref(65535), Ref(7), Ref(50), Ref(253), Ref(-1), Ref(2), Ref(2), Missing(2)}},
    };
    Campaign campaign;
    for (const auto& [layout, expected] : cases) {
        Fill(campaign, layout);
        const auto intCount = static_cast<int16_t>(expected.size());
        EXPECT_EQ(campaign.Check(), intCount);
        EXPECT_EQ(campaign.ErrorCount(), intCount);
        for (int16_t intI = 0; intI < Campaign::MaxErrors; ++intI) {
            EXPECT_EQ(campaign.Errors(intI), intI < intCount ? expected[static_cast<std::size_t>(intI)] : "") << intI;
        }
    }
}
