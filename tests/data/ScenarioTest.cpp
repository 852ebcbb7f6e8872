#include "data/clsScenario.h"
#include "TestStreams.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

// Every field differs from its default and from the others, so a field
// that is lost, swapped or shared shows up.
clsScenario Filled()
{
    clsScenario Scenario;
    Scenario.SetNumber(3);
    Scenario.SetPrestige(1200);
    Scenario.SetFirstUnknown(1);
    Scenario.SetSecondUnknown(65535);
    Scenario.SetThirdUnknown(4660);
    Scenario.SetName("scen");
    Scenario.SetMovie("mov");
    Scenario.SetVoice("voc");
    Scenario.SetText("txt");
    for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
        Scenario.SetResultPrestige(intI, 100 + intI);
        Scenario.SetResultScenario(intI, 10 + intI);
        Scenario.SetResultVoice(intI, "v" + std::to_string(intI));
        Scenario.SetResultText(intI, "t" + std::to_string(intI));
        Scenario.SetResultMovie(intI, "m" + std::to_string(intI));
    }
    return Scenario;
}

std::string Write(const clsScenario& Scenario)
{
    std::ostringstream Stream;
    Scenario.FileWrite(Stream);
    return Stream.str();
}

} // namespace

TEST(ScenarioRecord, ClearGivesTheDefaultsAndANewRecordIsNumberZero)
{
    clsScenario Fresh;
    EXPECT_EQ(Fresh.Number(), 0);
    clsScenario Scenario = Filled();
    Scenario.Clear();
    EXPECT_EQ(Scenario.Number(), -1);
    EXPECT_EQ(Scenario.Prestige() + Scenario.FirstUnknown() + Scenario.SecondUnknown() + Scenario.ThirdUnknown(), 0);
    EXPECT_EQ(Scenario.Name() + Scenario.Movie() + Scenario.Voice() + Scenario.Text(), "");
    for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
        EXPECT_EQ(Fresh.ResultScenario(intI) + Scenario.ResultScenario(intI) + Scenario.ResultPrestige(intI), 0);
        EXPECT_EQ(Scenario.ResultVoice(intI) + Scenario.ResultText(intI) + Scenario.ResultMovie(intI), "");
    }
    Fresh.SetNumber(-1);
    EXPECT_EQ(Scenario, Fresh);
}

// The other tests lean on ==, so it must see a change in any one field.
TEST(ScenarioRecord, EqualityLooksAtEveryField)
{
    const std::vector<std::function<void(clsScenario&)>> changes{
        [](clsScenario& s) { s.SetMovie("x"); },           [](clsScenario& s) { s.SetNumber(4); },
        [](clsScenario& s) { s.SetPrestige(1); },          [](clsScenario& s) { s.SetName("x"); },
        [](clsScenario& s) { s.SetText("x"); },            [](clsScenario& s) { s.SetVoice("x"); },
        [](clsScenario& s) { s.SetFirstUnknown(2); },      [](clsScenario& s) { s.SetSecondUnknown(2); },
        [](clsScenario& s) { s.SetThirdUnknown(2); },      [](clsScenario& s) { s.SetResultText(3, "x"); },
        [](clsScenario& s) { s.SetResultVoice(3, "x"); },  [](clsScenario& s) { s.SetResultPrestige(3, 1); },
        [](clsScenario& s) { s.SetResultScenario(3, 1); }, [](clsScenario& s) { s.SetResultMovie(3, "x"); },
    };
    for (std::size_t intN = 0; intN < changes.size(); ++intN) {
        clsScenario Changed = Filled();
        changes[intN](Changed);
        EXPECT_NE(Changed, Filled()) << "change " << intN;
    }
}

TEST(ScenarioRecord, CopyCarriesNumberAndSharesNothing)
{
    const clsScenario Original = Filled();
    clsScenario Source = Filled();
    clsScenario Target;
    Target.Copy(Source);
    EXPECT_EQ(Target, Original);
    EXPECT_EQ(Target.Number(), 3);
    Target.SetName("other");
    Target.SetResultText(2, "changed");
    EXPECT_EQ(Source, Original);

    Target.Copy(Source);
    Source.SetMovie("again");
    Source.SetResultMovie(3, "changed");
    EXPECT_EQ(Target, Original);
    Target.Copy(Target);
    EXPECT_EQ(Target, Original);
}

TEST(ScenarioRecord, OutcomeIndexOutsideZeroToThreeThrows)
{
    clsScenario Scenario;
    const std::vector<std::function<void(int16_t)>> uses{
        [&](int16_t intI) { (void)Scenario.ResultText(intI); },
        [&](int16_t intI) { (void)Scenario.ResultVoice(intI); },
        [&](int16_t intI) { (void)Scenario.ResultMovie(intI); },
        [&](int16_t intI) { (void)Scenario.ResultPrestige(intI); },
        [&](int16_t intI) { (void)Scenario.ResultScenario(intI); },
        [&](int16_t intI) { Scenario.SetResultText(intI, "x"); },
        [&](int16_t intI) { Scenario.SetResultScenario(intI, 1); },
    };
    for (const auto& Use : uses) {
        for (const int16_t intI : {-1, 4, -32768}) {
            EXPECT_THROW(Use(intI), std::out_of_range) << intI;
        }
        EXPECT_NO_THROW(Use(3));
    }
}

TEST(ScenarioRecord, WritesEveryFieldAtItsOffset)
{
    std::string strExpected = Word(1200) + Word(1) + Word(65535) + Word(4660) + Field("scen.scn") +
                              Field("mov.smk") + Field("voc.mus") + Field("txt.txt");
    for (int intJ = 0; intJ < 4; ++intJ) {
        const std::string strJ = std::to_string(intJ);
        ASSERT_EQ(strExpected.size(), 88u + 82u * intJ);
        strExpected += Word(100 + intJ) + Nuls(20) + Field("v" + strJ + ".mus") + Field("t" + strJ + ".txt") +
                       Field("m" + strJ + ".smk");
    }
    for (int intJ = 0; intJ < 4; ++intJ) {
        ASSERT_EQ(strExpected.size(), 416u + 30u * intJ);
        strExpected += Word(10 + intJ) + Nuls(28);
    }
    EXPECT_EQ(Write(Filled()), strExpected + Nuls(100));
}

TEST(ScenarioRecord, ReadSkipsReservedBytesAndLeavesNumberAlone)
{
    const std::string strBytes = Write(Filled());
    std::string strScribbled = strBytes;
    for (const std::size_t lngOffset : {90u, 109u, 418u, 445u, 536u, 635u}) {
        strScribbled[lngOffset] = '\x5A';
    }
    clsScenario Scenario;
    Scenario.SetNumber(42);
    std::istringstream Stream(strScribbled + "next");
    Scenario.FileRead(Stream);
    EXPECT_EQ(Stream.tellg(), static_cast<std::streamoff>(RecordSize));
    EXPECT_EQ(Scenario.Number(), 42);
    Scenario.SetNumber(3);
    EXPECT_EQ(Scenario, Filled());
    EXPECT_EQ(Write(Scenario), strBytes);
}
