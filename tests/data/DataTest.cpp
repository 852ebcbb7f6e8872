#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"

#include <gtest/gtest.h>


namespace {

using S = Scenario;

std::string nuls(std::size_t count)
{
    return std::string(count, '\0');
}
// A 20-byte file-name field as the game stores it.
std::string field(const std::string& s)
{
    return s + nuls(20 - s.size());
}
std::string word(int32_t n)
{
    return {static_cast<char>(n % 256), static_cast<char>(n / 256)};
}

// The message of the CampaignFileError the read throws, or "" when it reads.
std::string readError(Campaign& campaign, const std::string& bytes)
{
    std::istringstream stream(bytes);
    try {
        campaign.fileRead(stream);
    } catch (const CampaignFileError& error) {
        return error.what();
    }
    return "";
}

// Room for room bytes and no more, like a disk that fills up mid-save.
struct FullDisk : std::streambuf {
    std::string room;
    explicit FullDisk(std::size_t size) : room(size, '\0') { setp(&room[0], &room[0] + size); }
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override { return pptr() - pbase(); }
};

const std::string Victory = "Victory Scenario (254) not referenced";
const std::string Defeat = "Defeat Scenario (255) not referenced";
std::string ref(int32_t n)
{
    return "Scenario " + std::to_string(n) + " referenced but not found";
}
std::string loop(int32_t n)
{
    return "Scenario " + std::to_string(n) + " is looping";
}
std::string missing(int32_t n)
{
    return "Scenario " + std::to_string(n) + " not found";
}

} // namespace

// The cut is at the first "." of all 20 bytes, NUL bytes included.
TEST(Fields, FileNameReadKeepsTheTextBeforeTheFirstDot)
{
    const std::vector<std::pair<std::string, std::string>> cases{{nuls(20), ""},
                                                                 {"abcdefghijklmnopqrst", ""},
                                                                 {field("a.b.txt"), "a"},
                                                                 {field("\xE9t\xFF.scn"), "\xE9t\xFF"},
                                                                 {"abcdefghijklmnopqrs.", "abcdefghijklmnopqrs"},
                                                                 {field(std::string("ab\0\0.x", 6)),
                                                                  std::string("ab\0\0", 4)}};
    for (const auto& [bytes, text] : cases) {
        std::istringstream stream(bytes);
        EXPECT_EQ(readFileName(stream), text);
    }
}

// Copy takes every field, Number included, and shares none with the source;
// the other tests lean on ==, so it must see a change in any one field.
TEST(Scenario, CopyTakesEveryFieldAndEqualitySeesEachOne)
{
    const S source = opened(1, 1).scenarios(0);
    for (const auto change :
         std::initializer_list<void (*)(S&)>{[](S& s) { s.setMovie("?"); }, [](S& s) { s.setName("?"); },
                                             [](S& s) { s.setText("?"); }, [](S& s) { s.setVoice("?"); },
                                             [](S& s) { s.setNumber(-7); }, [](S& s) { s.setPrestige(-1); },
                                             [](S& s) { s.setFirstUnknown(-1); }, [](S& s) { s.setSecondUnknown(-1); },
                                             [](S& s) { s.setThirdUnknown(-1); }, [](S& s) { s.setResultText(3, "?"); },
                                             [](S& s) { s.setResultVoice(3, "?"); },
                                             [](S& s) { s.setResultMovie(3, "?"); },
                                             [](S& s) { s.setResultPrestige(3, -1); },
                                             [](S& s) { s.setResultScenario(3, -1); }}) {
        S changed = opened(2, 2).scenarios(1);
        changed.copy(source);
        EXPECT_EQ(changed, source);
        change(changed);
        EXPECT_NE(changed, source);
    }
}

TEST(CampaignFile, CampaignsSurviveWriteReadWrite)
{
    for (const int count : {0, 1, 2, 31, 49, 50}) {
        const Campaign original = opened(static_cast<uint32_t>(count), count);
        const std::string bytes = fileBytes(original);
        // The reader passes over the defeat movie, the unused slots and
        // anything past the end, whatever they hold.
        std::string foreign = bytes + "extra";
        foreign.replace(24, 20, 20, 'Z');
        foreign.replace(44 + 636 * count, 636 * (50 - count), 636 * (50 - count), 'Z');
        Campaign read = opened(99, 50);
        EXPECT_EQ(readError(read, foreign), "");
        // Each nation comes back as written.
        EXPECT_EQ(read.nation(), original.nation()) << count;
        for (int16_t k = 0; k < 50; ++k) {
            EXPECT_EQ(read.scenarios(k), original.scenarios(k)) << count << " slot " << k;
        }
        EXPECT_EQ(fileBytes(read), bytes);
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
    Scenario& full = campaign.scenarios(1);
    campaign.scenarios(0).setNumber(0);
    campaign.scenarios(0).setName("s1");
    full.copy(opened(5, 2).scenarios(1));
    full.setName("\xE9name");
    full.setMovie("movie\xFF");
    full.setVoice("abcdefghijklmnopqr");
    full.setText("abcdefghijklmnopqrstuvw");
    full.setResultPrestige(3, 4660);
    full.setResultScenario(3, 255);
    std::string bare = nuls(8) + field("s1.scn") + nuls(20) + field(".mus") + field(".txt") + nuls(328);
    std::string fullText = word(full.prestige()) + word(full.firstUnknown()) + word(full.secondUnknown()) +
                           word(full.thirdUnknown()) + field(full.name() + ".scn") + field(full.movie() + ".smk") +
                           "abcdefghijklmnopqr.m" + "abcdefghijklmnopqrst";
    for (int16_t j = 0; j < 4; ++j) {
        campaign.scenarios(0).setResultScenario(j, 254);
        full.setResultVoice(j, "voice" + std::to_string(j));
        full.setResultText(j, "\x80");
        full.setResultMovie(j, "film");
        fullText += word(full.resultPrestige(j)) + nuls(20) + field(full.resultVoice(j) + ".mus") +
                    field(full.resultText(j) + ".txt") + field(full.resultMovie(j) + ".smk");
    }
    for (int16_t j = 0; j < 4; ++j) {
        bare += "\xFE" + nuls(29);
        fullText += word(full.resultScenario(j)) + nuls(28);
    }
    const std::string movies = field("germwin.smk") + field("gerloss.smk");
    const std::string bytes = fileBytes(campaign);
    EXPECT_EQ(bytes, word(2) + word(1200) + movies + bare + nuls(100) + fullText + nuls(100 + 48 * 636) +
                         "abcdefghijklmnopqrs." + nuls(80));
    campaign.setNation(3);
    campaign.clear();
    EXPECT_EQ(fileBytes(campaign), nuls(4) + movies + nuls(50 * 636) + field("new.txt") + nuls(80));
    EXPECT_EQ(campaign.name(), "New");
}

// Every field boundary of the header, of slot 0 (words, names, the first
// outcome, the go-tos, the reserved tail) and of the file's tail, and one byte
// into each field: the message names the byte where the file ends.
TEST(CampaignFileErrors, ShortFileNamesTheByteWhereItEnds)
{
    for (const std::string& file : {fileBytes(opened(7, 50)), fileBytes(opened(8, 1))}) {
        for (const std::size_t cut : {0,   2,   4,   24,  44,  46,  48,  50,  52,  72,    92,    112,   132,
                                      134, 154, 174, 194, 214, 460, 462, 580, 680, 31208, 31844, 31864, 31942}) {
            for (const std::size_t at : {cut, cut + 1}) {
                Campaign campaign;
                EXPECT_EQ(readError(campaign, file.substr(0, at)),
                          "The file ends at byte " + std::to_string(at) + ", but a campaign file has 31944 bytes.");
            }
        }
    }
}

// A count no campaign can hold stops the read before anything else is taken;
// an unknown victory movie, matched exactly, leaves Nation as it was.
TEST(CampaignFileErrors, UnknownNationIsKeptAndCountAboveFiftyStopsAtOnce)
{
    std::string bytes = fileBytes(opened(3, 50));
    Campaign campaign;
    campaign.setNation(2);
    bytes.replace(4, 20, field("GERMWIN.smk"));
    EXPECT_EQ(readError(campaign, bytes), "");
    EXPECT_EQ(campaign.nation(), 2);
    bytes.replace(0, 2, word(51));
    campaign.setPrestige(77);
    EXPECT_NE(readError(campaign, bytes).find("51"), std::string::npos);
    EXPECT_EQ(campaign.prestige(), 77);
}

TEST(CampaignFileErrors, RefusedBytesStopTheWriteNamingWhere)
{
    for (const std::size_t limit : {0, 1, 44, 45, 500, 1000, 31843, 31943, 31944}) {
        FullDisk disk(limit);
        std::ostream stream(&disk);
        std::string errorText = "the write went through";
        try {
            opened(5, 1).fileWrite(stream);
        } catch (const CampaignFileError& error) {
            errorText = error.what();
        }
        EXPECT_EQ(errorText, limit == 31944 ? "the write went through"
                                            : "The campaign could not be written: writing stopped at byte " +
                                                  std::to_string(limit) + " of 31944.");
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
        const auto count = static_cast<int16_t>(expected.size());
        EXPECT_EQ(campaign.check(), count);
        EXPECT_EQ(campaign.errorCount(), count);
        for (int16_t i = 0; i < Campaign::MaxErrors; ++i) {
            EXPECT_EQ(campaign.errors(i), i < count ? expected[static_cast<std::size_t>(i)] : "") << i;
        }
    }
}
