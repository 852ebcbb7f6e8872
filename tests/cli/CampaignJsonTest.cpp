#include "cli/CampaignJson.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/cli/RandomCampaignFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Two scenarios with a byte of every kind a name may hold: foreign bytes,
// C1 and C0 controls, NUL, a quote, a backslash, and the longest name.
std::unique_ptr<Campaign> small()
{
    auto campaign = std::make_unique<Campaign>();
    campaign->setDescription("Ardennes");
    campaign->setNation(3);
    campaign->setPrestige(1500);
    Scenario& First = campaign->scenarios(0);
    First.setNumber(0);
    First.setName("Bastogne");
    First.setMovie("intro");
    First.setVoice("snow\xFF");
    First.setText(std::string("caf\xE9\x85\0", 6));
    First.setPrestige(300);
    First.setSecondUnknown(7);
    First.setThirdUnknown(65535);
    const std::array<int32_t, 4> goTos{1, 1, 254, 255};
    const std::array<int32_t, 4> prestiges{120, 80, 0, 65535};
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        First.setResultScenario(intI, goTos[static_cast<std::size_t>(intI)]);
        First.setResultPrestige(intI, prestiges[static_cast<std::size_t>(intI)]);
    }
    First.setResultText(0, "win");
    First.setResultMovie(0, "parade");
    First.setResultText(3, "lost");
    First.setResultVoice(3, "dirge");
    Scenario& Second = campaign->scenarios(1);
    Second.setNumber(1);
    Second.setName("a\"b\\c");
    Second.setVoice(std::string("v\0\n\x7F", 4));
    Second.setText("nineteen_characters");
    Second.setFirstUnknown(1);
    Second.setSecondUnknown(2);
    Second.setThirdUnknown(3);
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        Second.setResultScenario(intI, intI < 2 ? 254 : 255);
    }
    return campaign;
}

// The four outcomes of a scenario in the format's fixed layout, a member a
// line and two spaces a level; each row is goto, prestige, text, voice, movie.
std::string outcomesJson(const std::array<std::array<const char*, 5>, 4>& rows)
{
    const char* const names[] = {"Brilliant Victory", "Victory", "Minor Victory", "Defeat"};
    std::string out = "      \"outcomes\": [\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        out += std::string("        {\n          \"outcome\": \"") + names[i] + "\",\n          \"goto\": " + row[0] +
               ",\n          \"prestige\": " + row[1] + ",\n          \"text\": \"" + row[2] +
               "\",\n          \"voice\": \"" + row[3] + "\",\n          \"movie\": \"" + row[4] + "\"\n        }" +
               (i + 1 < rows.size() ? ",\n" : "\n");
    }
    return out + "      ]\n";
}

// The format's contract, written by hand: small() exports as exactly this.
const QByteArray SmallJson = QByteArray::fromStdString(
    R"({
  "format": "ironvale-campaign",
  "version": 1,
  "description": "Ardennes",
  "nation": 3,
  "prestige": 1500,
  "scenarios": [
    {
      "slot": 0,
      "name": "Bastogne",
      "movie": "intro",
      "voice": "snowÿ",
      "text": "café\u0085\u0000",
      "prestige": 300,
      "unknown": [0, 7, 65535],
)" + outcomesJson({{{"1", "120", "win", "", "parade"},
                    {"1", "80", "", "", ""},
                    {"254", "0", "", "", ""},
                    {"255", "65535", "lost", "dirge", ""}}}) +
    R"(    },
    {
      "slot": 1,
      "name": "a\"b\\c",
      "movie": "",
      "voice": "v\u0000\u000a\u007f",
      "text": "nineteen_characters",
      "prestige": 0,
      "unknown": [1, 2, 3],
)" + outcomesJson({{{"254", "0", "", "", ""}, {"254", "0", "", "", ""}, {"255", "0", "", "", ""},
                    {"255", "0", "", "", ""}}}) +
    "    }\n  ]\n}\n");

// The refusal for Json ("" when it is taken) and, when taken, the bytes to write.
std::pair<std::string, QByteArray> import(const QByteArray& Json)
{
    const auto campaign = std::make_unique<Campaign>();
    QByteArray File;
    const QString strReason = readCampaignJson(Json, *campaign, File);
    return {strReason.toStdString(), File};
}

// Node with the value at Path (member names, or indices into arrays)
// replaced by Value; an undefined Value removes the member.
QJsonValue edited(const QJsonValue& Node, QStringList Path, const QJsonValue& Value)
{
    if (Path.isEmpty()) {
        return Value;
    }
    const QString strStep = Path.takeFirst();
    if (Node.isArray()) {
        QJsonArray Items = Node.toArray();
        Items[strStep.toInt()] = edited(Items.at(strStep.toInt()), Path, Value);
        return Items;
    }
    QJsonObject Members = Node.toObject();
    if (Path.isEmpty() && Value.isUndefined()) {
        Members.remove(strStep);
    } else {
        Members[strStep] = edited(Members.value(strStep), Path, Value);
    }
    return Members;
}

// SmallJson with the value at strPath replaced by the JSON text Raw as
// typed; a null Raw removes the member; no path puts Raw for the whole text.
QByteArray smallEdited(const QString& strPath, const QByteArray& Raw)
{
    if (strPath.isEmpty()) {
        return Raw;
    }
    const QJsonValue Root = QJsonDocument::fromJson(SmallJson).object();
    const QJsonValue marker = Raw.isNull() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(QStringLiteral("\x01"));
    return QJsonDocument(edited(Root, strPath.split(QLatin1Char('.')), marker).toObject())
        .toJson()
        .replace("\"\\u0001\"", Raw);
}

QByteArray jsonOf(const QJsonArray& Items)
{
    return QJsonDocument(Items).toJson();
}

} // namespace

TEST(CampaignJson, SmallCampaignExportsAsWrittenByHandAndImportsBack)
{
    const auto campaign = small();
    EXPECT_EQ(campaignJson(*campaign).toStdString(), SmallJson.toStdString());
    const auto Back = std::make_unique<Campaign>();
    QByteArray File;
    ASSERT_EQ(readCampaignJson(SmallJson, *Back, File).toStdString(), "");
    EXPECT_EQ(Back->description(), campaign->description());
    EXPECT_EQ(Back->nation(), 3);
    EXPECT_EQ(Back->prestige(), 1500);
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        EXPECT_EQ(Back->scenarios(intI), campaign->scenarios(intI)) << "slot " << intI;
    }
    EXPECT_TRUE(File == campaignBytes(*campaign));
    // The entries may come in any order: each names its slot.
    const QJsonArray Scenarios = QJsonDocument::fromJson(SmallJson)["scenarios"].toArray();
    EXPECT_EQ(import(smallEdited(QStringLiteral("scenarios"), jsonOf({Scenarios[1], Scenarios[0]}))),
              std::make_pair(std::string(), File));
}

// Any file the editor opens, whatever its unread bytes hold, comes back byte
// for byte through its JSON; what the editor saves for it exports without
// unread bytes.
TEST(CampaignJson, RandomFilesComeBackByteForByte)
{
    for (uint32_t lngSeed = 1; lngSeed <= 60; ++lngSeed) {
        SCOPED_TRACE(lngSeed);
        const int intCount = lngSeed % 3 == 0 ? 50 : lngSeed % 3 == 1 ? static_cast<int>(lngSeed % 50) : 0;
        const QByteArray File = QByteArray::fromStdString(randomCampaignFile(lngSeed, intCount));
        const auto Opened = std::make_unique<Campaign>();
        ASSERT_EQ(readCampaignBytes(File, *Opened).toStdString(), "");
        const QByteArray Json = campaignJson(*Opened, File);
        EXPECT_EQ(import(Json), std::make_pair(std::string(), File)) << Json.toStdString();
        const QByteArray Saved = campaignBytes(*Opened);
        const QByteArray fields = campaignJson(*Opened, Saved);
        EXPECT_FALSE(fields.contains("\"unread\""));
        EXPECT_TRUE(import(fields).second == Saved);
    }
}

// A name is taken exactly when the file gives it back as given.
TEST(CampaignJson, NamesAreTakenOnlyWhenTheyComeBackAsGiven)
{
    const std::vector<std::pair<const char*, std::string>> taken{
        {R"("")", ""},
        {R"("abcdefghijklmnopqrs")", "abcdefghijklmnopqrs"},
        {R"("\u0000\u0000x")", std::string("\0\0x", 3)},
        {"\"\xC3\xBF\xC2\x80 \"", "\xFF\x80 "},
    };
    for (const auto& [strJson, strBytes] : taken) {
        const auto [strReason, bytes] = import(smallEdited(QStringLiteral("scenarios.0.name"), strJson));
        ASSERT_EQ(strReason, "") << strJson;
        const auto Back = std::make_unique<Campaign>();
        ASSERT_EQ(readCampaignBytes(bytes, *Back).toStdString(), "");
        EXPECT_EQ(Back->scenarios(0).name(), strBytes) << strJson;
    }
}

// Each row: where SmallJson is edited (nothing: the whole text), the JSON
// text put there (null: the member removed), and the refusal, which names
// the exact place, or the line and column where the parser stopped.
TEST(CampaignJson, RefusalsNameTheExactPlace)
{
    const QJsonValue First = QJsonDocument::fromJson(SmallJson)["scenarios"][0];
    const QJsonArray Outcomes = First["outcomes"].toArray();
    QJsonArray FiftyOne;
    for (int intI = 0; intI < 51; ++intI) {
        FiftyOne.append(First);
    }
    const QByteArray Removed;
    const std::string fits = "does not fit its field: ";
    const std::string movie = "scenarios[0].outcomes[2].movie: ";
    const std::string noByte = " is no byte (a name holds U+0000..U+00FF)";
    const std::string freeSlot = " free, but a campaign file keeps its 2 scenarios in slots 0..1";
    const std::vector<std::tuple<const char*, QByteArray, std::string>> cases{
        {"format", R"("ironvale-camp")", R"(format: "ironvale-camp" is not "ironvale-campaign")"},
        {"format", Removed, "format: missing"},
        {"version", "2", "version: 2 is not supported; this program reads version 1"},
        {"version", "1.5", "version: 1.5 is not supported; this program reads version 1"},
        {"version", R"("1")", "version: expected a number, found a string"},
        // A second "scenarios" would silently drop the first one's.
        {"version", R"(1, "scenarios": [])", "scenarios: key given twice"},
        {"colour", "1", "colour: unknown key"},
        {"nation", "4", "nation: 4 is outside 0..3"},
        {"prestige", "-1", "prestige: -1 is outside 0..65535"},
        {"prestige", "1e300", "prestige: 1e300 is outside 0..65535"},
        {"description", R"("twenty_bytes_in_name")", "description: " + fits + "20 bytes, at most 19"},
        {"scenarios", "{}", "scenarios: expected an array, found an object"},
        {"scenarios", jsonOf(FiftyOne), "scenarios: 51 scenarios, but a campaign holds at most 50"},
        {"scenarios.1", R"("x")", "scenarios[1]: expected an object, found a string"},
        {"scenarios.1.slot", "50", "scenarios[1].slot: 50 is outside 0..49"},
        {"scenarios.1.slot", "0", "scenarios[1].slot: 0 is given twice, first at scenarios[0]"},
        {"scenarios.1.slot", Removed, "scenarios[1].slot: missing"},
        // The file keeps N scenarios in slots 0..N-1 only: one past a free slot would be lost.
        {"scenarios.1.slot", "2", "scenarios[1].slot: 2 leaves slot 1" + freeSlot},
        {"scenarios.0.slot", "49", "scenarios[0].slot: 49 leaves slot 0" + freeSlot},
        {"scenarios.0.name", R"("x", "name": "y")", "scenarios[0].name: key given twice"},
        {"scenarios.0.prestige", "1.5", "scenarios[0].prestige: 1.5 is not a whole number"},
        {"scenarios.0.unknown", "[1, 2]", "scenarios[0].unknown: 2 values, but a scenario keeps 3"},
        {"scenarios.0.unknown.2", "65536", "scenarios[0].unknown[2]: 65536 is outside 0..65535"},
        {"scenarios.0.unknown.0", "true", "scenarios[0].unknown[0]: expected a number, found a boolean"},
        {"scenarios.0.outcomes", jsonOf({Outcomes[0], Outcomes[1], Outcomes[2]}),
         "scenarios[0].outcomes: 3 outcomes, but a scenario has 4"},
        {"scenarios.0.outcomes.2.gotoo", "1", "scenarios[0].outcomes[2].gotoo: unknown key"},
        {"scenarios.0.outcomes.2.movie", R"("abcdefghijklmnopqrst")", movie + fits + "20 bytes, at most 19"},
        {"scenarios.0.outcomes.2.movie", R"("a.b")", movie + fits + "a \".\" would end the name in the file"},
        {"scenarios.0.outcomes.2.movie", R"("\u0100")", movie + fits + "U+0100" + noByte},
        {"scenarios.0.outcomes.2.movie", R"("\u20ac")", movie + fits + "U+20AC" + noByte},
        {"scenarios.0.outcomes.2.movie", R"("\ud83d\ude00")", movie + fits + "U+1F600" + noByte},
        {"scenarios.0.outcomes.2.movie", "7", movie + "expected a string, found a number"},
        {"scenarios.0.outcomes.2.movie", "null", movie + "expected a string, found null"},
        {"scenarios.1.outcomes.3.outcome", R"("Victory")",
         R"(scenarios[1].outcomes[3].outcome: "Victory" stands where outcome 3 is "Defeat")"},
        {"scenarios.1.outcomes.1.goto", "70000", "scenarios[1].outcomes[1].goto: 70000 is outside 0..65535"},
        {"scenarios.1.outcomes.1.goto", "-1", "scenarios[1].outcomes[1].goto: -1 is outside 0..65535"},
        {"scenarios.1.outcomes.2.goto", R"(254, "goto": 254)", "scenarios[1].outcomes[2].goto: key given twice"},
        {"scenarios.1.outcomes.0.prestige", "[]",
         "scenarios[1].outcomes[0].prestige: expected a number, found an array"},
        {"scenarios.0.unread", R"([{"offset": 8, "hex": "41"}])",
         "scenarios[0].unread[0]: overlaps scenarios[0].name"},
        {"scenarios.1.unread", R"([{"offset": 635, "hex": "0102"}])",
         "scenarios[1].unread[0]: bytes 635..636 lie outside the record's 0..635"},
        {"unread", R"([{"offset": 31900, "hex": "01"}, {"offset": 31899, "hex": "0203"}])",
         "unread[1]: overlaps unread[0]"},
        {"unread", R"([{"offset": 31944, "hex": "01"}])", "unread[0].offset: 31944 is outside 0..31943"},
        {"unread", R"([{"offset": 0, "hex": "33"}])", "unread[0]: overlaps the count of scenarios"},
        {"unread", R"([{"offset": 100, "hex": "0g"}])", "unread[0].hex: expected hex digits, two for each byte"},
        // The parser places the error at the character it stopped at, just past the end when the text runs out.
        {"", "", "line 1, column 1: unexpected end of input; expected '[', '{', or a literal"},
        {"", "[]", "top level: expected an object, found an array"},
        {"", "{\n  \"format\": \"ironvale-campaign\",\n  \"version\": 1\n  \"nation\": 0\n}",
         "line 4, column 10: unexpected string literal; expected '}'"},
        {"", "{\n  \"format\": \"ironvale-\xFF\"\n}", "line 2, column 23: invalid string: ill-formed UTF-8 byte"},
        {"", SmallJson.left(1000),
         "line 46, column 14: invalid string: missing closing quote; expected string literal"},
        {"", "{\"description\": \"\xC3\xA9\xC3\xA9\",]", "line 1, column 22: unexpected ']'; expected string literal"},
        {"", "{\"description\": \"\xC3\xA9\x01\"}",
         "line 1, column 19: invalid string: control character U+0001 (SOH) must be escaped to \\u0001"},
    };
    for (const auto& [strPath, Value, strMessage] : cases) {
        EXPECT_EQ(import(smallEdited(QLatin1String(strPath), Value)).first, strMessage) << strPath << Value.data();
    }
}
