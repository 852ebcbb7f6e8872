#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"

#include <gtest/gtest.h>


namespace {

using S = Scenario;

std::string nuls(std::size_t lngCount) { return std::string(lngCount, '\0'); }
// A 20-byte file-name field as the game stores it.
std::string field(const std::string& strS) { return strS + nuls(20 - strS.size()); }
std::string word(int32_t lngN) { return {static_cast<char>(lngN % 256), static_cast<char>(lngN / 256)}; }

// The message of the CampaignFileError the read throws, or "" when it reads.
std::string readError(Campaign& campaign, const std::string& strBytes)
{
    std::istringstream Stream(strBytes);
    try {
        campaign.fileRead(Stream);
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
std::string ref(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " referenced but not found"; }
std::string loop(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " is looping"; }
std::string missing(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " not found"; }

} // namespace

// The cut is at the first "." of all 20 bytes, NUL bytes included.
TEST(Fields, FileNameReadKeepsTheTextBeforeTheFirstDot)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {nuls(20), ""}, {"abcdefghijklmnopqrst", ""}, {field("a.b.txt"), "a"}, {field("\xE9t\xFF.scn"), "\xE9t\xFF"},
        {"abcdefghijklmnopqrs.", "abcdefghijklmnopqrs"}, {field(std::string("ab\0\0.x", 6)), std::string("ab\0\0", 4)}};
    for (const auto& [strBytes, strText] : cases) {
        std::istringstream Stream(strBytes);
        EXPECT_EQ(readFileName(Stream), strText);
    }
}

// Copy takes every field, Number included, and shares none with the source;
// the other tests lean on ==, so it must see a change in any one field.
TEST(Scenario, CopyTakesEveryFieldAndEqualitySeesEachOne)
{
    const S Source = generated(1, 1).scenarios(0);
    for (const auto Change : std::initializer_list<void (*)(S&)>{
             [](S& s) { s.setMovie("?"); }, [](S& s) { s.setName("?"); }, [](S& s) { s.setText("?"); },
             [](S& s) { s.setVoice("?"); }, [](S& s) { s.setNumber(-7); }, [](S& s) { s.setPrestige(-1); },
             [](S& s) { s.setFirstUnknown(-1); }, [](S& s) { s.setSecondUnknown(-1); },
             [](S& s) { s.setThirdUnknown(-1); }, [](S& s) { s.setResultText(3, "?"); },
             [](S& s) { s.setResultVoice(3, "?"); }, [](S& s) { s.setResultMovie(3, "?"); },
             [](S& s) { s.setResultPrestige(3, -1); }, [](S& s) { s.setResultScenario(3, -1); }}) {
        S Changed = generated(2, 2).scenarios(1);
        Changed.copy(Source);
        EXPECT_EQ(Changed, Source);
        Change(Changed);
        EXPECT_NE(Changed, Source);
    }
}

TEST(CampaignFile, GeneratedCampaignsSurviveWriteReadWrite)
{
    for (const int16_t intCount : {0, 1, 2, 31, 49, 50}) {
        const Campaign Original = generated(static_cast<uint32_t>(intCount), intCount);
        const std::string strBytes = fileBytes(Original);
        // The reader passes over the defeat movie, the unused slots and
        // anything past the end, whatever they hold.
        std::string strForeign = strBytes + "extra";
        strForeign.replace(24, 20, 20, 'Z');
        strForeign.replace(44 + 636 * intCount, 636 * (50 - intCount), 636 * (50 - intCount), 'Z');
        Campaign Read = generated(99, 50);
        EXPECT_EQ(readError(Read, strForeign), "");
        // The counts give every nation in turn: each comes back as written.
        EXPECT_EQ(Read.nation(), Original.nation()) << intCount;
        for (int16_t intK = 0; intK < 50; ++intK) {
            EXPECT_EQ(Read.scenarios(intK), Original.scenarios(intK)) << intCount << " slot " << intK;
        }
        EXPECT_EQ(fileBytes(Read), strBytes);
    }
}

// Slot 0 holds a scenario with only a name, slot 1 one with every field set
// and names that overrun the field; a nation outside 0..3 falls back to 0.
// Clear then gives the new campaign's bytes.
TEST(CampaignFile, WritesEveryFieldAtItsOffset)
{
    Campaign campaign;
    campaign.setNation(-1);
    campaign.setPrestige(1200);
    campaign.setDescription("abcdefghijklmnopqrs");
    Scenario& Full = campaign.scenarios(1);
    campaign.scenarios(0).setNumber(0);
    campaign.scenarios(0).setName("s1");
    Full.copy(generated(5, 2).scenarios(1));
    Full.setVoice("abcdefghijklmnopqr");
    Full.setText("abcdefghijklmnopqrstuvw");
    Full.setResultPrestige(3, 4660);
    Full.setResultScenario(3, 255);
    std::string strBare = nuls(8) + field("s1.scn") + nuls(20) + field(".mus") + field(".txt") + nuls(328);
    std::string strFull = word(Full.prestige()) + word(Full.firstUnknown()) + word(Full.secondUnknown()) +
                          word(Full.thirdUnknown()) + field(Full.name() + ".scn") + field(Full.movie() + ".smk") +
                          "abcdefghijklmnopqr.m" + "abcdefghijklmnopqrst";
    for (int16_t intJ = 0; intJ < 4; ++intJ) {
        campaign.scenarios(0).setResultScenario(intJ, 254);
        strFull += word(Full.resultPrestige(intJ)) + nuls(20) + field(Full.resultVoice(intJ) + ".mus") +
                   field(Full.resultText(intJ) + ".txt") + field(Full.resultMovie(intJ) + ".smk");
    }
    for (int16_t intJ = 0; intJ < 4; ++intJ) {
        strBare += "\xFE" + nuls(29);
        strFull += word(Full.resultScenario(intJ)) + nuls(28);
    }
    const std::string strMovies = field("germwin.smk") + field("gerloss.smk");
    const std::string strBytes = fileBytes(campaign);
    EXPECT_EQ(strBytes, word(2) + word(1200) + strMovies + strBare + nuls(100) + strFull + nuls(100 + 48 * 636) +
                            "abcdefghijklmnopqrs." + nuls(80));
    campaign.setNation(3);
    campaign.clear();
    EXPECT_EQ(fileBytes(campaign), nuls(4) + strMovies + nuls(50 * 636) + field("new.txt") + nuls(80));
    EXPECT_EQ(campaign.name(), "New");
}

// Every field boundary of the header, of slot 0 (words, names, the first
// outcome, the go-tos, the reserved tail) and of the file's tail, and one byte
// into each field: the message names the byte where the file ends.
TEST(CampaignFileErrors, ShortFileNamesTheByteWhereItEnds)
{
    for (const std::string& strFile : {fileBytes(generated(7, 50)), fileBytes(generated(8, 1))}) {
        for (const std::size_t lngCut : {0, 2, 4, 24, 44, 46, 48, 50, 52, 72, 92, 112, 132, 134, 154, 174, 194, 214,
                                         460, 462, 580, 680, 31208, 31844, 31864, 31942}) {
            for (const std::size_t lngAt : {lngCut, lngCut + 1}) {
                Campaign campaign;
                EXPECT_EQ(readError(campaign, strFile.substr(0, lngAt)),
                          "The file ends at byte " + std::to_string(lngAt) + ", but a campaign file has 31944 bytes.");
            }
        }
    }
}

// A count no campaign can hold stops the read before anything else is taken;
// an unknown victory movie, matched exactly, leaves Nation as it was.
TEST(CampaignFileErrors, UnknownNationIsKeptAndCountAboveFiftyStopsAtOnce)
{
    std::string strBytes = fileBytes(generated(3, 50));
    Campaign campaign;
    campaign.setNation(2);
    strBytes.replace(4, 20, field("GERMWIN.smk"));
    EXPECT_EQ(readError(campaign, strBytes), "");
    EXPECT_EQ(campaign.nation(), 2);
    strBytes.replace(0, 2, word(51));
    campaign.setPrestige(77);
    EXPECT_NE(readError(campaign, strBytes).find("51"), std::string::npos);
    EXPECT_EQ(campaign.prestige(), 77);
}

TEST(CampaignFileErrors, RefusedBytesStopTheWriteNamingWhere)
{
    for (const std::size_t lngLimit : {0, 1, 44, 45, 500, 1000, 31843, 31943, 31944}) {
        FullDisk Disk(lngLimit);
        std::ostream Stream(&Disk);
        std::string strError = "the write went through";
        try {
            generated(5, 1).fileWrite(Stream);
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
        {{{2, {254, 255, 254, 255}}}, {missing(0), missing(1)}},
        {{{0, {1, 1, 0, 255}}, {1, {3, 3, 2, 255}}, {3, {254, 254, 254, 3}}}, {ref(2), missing(2)}},
        {{{0, {1, 0, 0, 0}}, {1, {2, 1, 1, 255}}, {2, {254, 2, 0, 1}}}, {}},
        {{{0, {254, 255, 0, 0}}, {2, {2, 2, 2, 2}}, {5, {7, 5, 254, 8}}},
         {loop(2), missing(1), ref(7), ref(8), missing(3), missing(4)}},
        {{{0, {0, 0, 0, 255}}}, {Victory}},
        {{{0, {0, 254, 0, 0}}}, {Defeat}},
        // Go-to values no slot can hold, as a file made elsewhere may carry.
        {{{0, {300, 254, 65535, 255}}, {1, {7, 50, 253, -1}}, {3, {2, 2, 1, 1}}},
         {ref(300), ref(65535), ref(7), ref(50), ref(253), ref(-1), ref(2), ref(2), missing(2)}},
    };
    Campaign campaign;
    for (const auto& [layout, expected] : cases) {
        fill(campaign, layout);
        const auto intCount = static_cast<int16_t>(expected.size());
        EXPECT_EQ(campaign.check(), intCount);
        EXPECT_EQ(campaign.errorCount(), intCount);
        for (int16_t intI = 0; intI < Campaign::MaxErrors; ++intI) {
            EXPECT_EQ(campaign.errors(intI), intI < intCount ? expected[static_cast<std::size_t>(intI)] : "") << intI;
        }
    }
}
