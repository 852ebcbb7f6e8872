#include "cli/CampaignJson.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/support/CampaignBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

// Two scenarios with a byte of every kind a name may hold: foreign bytes,
// C1 and C0 controls, NUL, a quote, a backslash, and the longest name.
std::unique_ptr<Campaign> small()
{
    auto campaign = campaignOf({{0, {1, 1, 254, 255}}, {1, {254, 254, 255, 255}}});
    Scenario& first = campaign->scenarios(0);
    first.setVoice("snow\xFF");
    first.setText(std::string("caf\xE9\x85\0", 6));
    first.setSecondUnknown(7);
    first.setThirdUnknown(65535);
    Scenario& second = campaign->scenarios(1);
    second.setName("a\"b\\c");
    second.setVoice(std::string("v\0\n\x7F", 4));
    second.setText("nineteen_characters");
    return campaign;
}

// What small() exports.
const QByteArray SmallJson = campaignJson(*small());

// The refusal for Json ("" when it is taken) and, when taken, the bytes to write.
std::pair<std::string, QByteArray> import(const QByteArray& json)
{
    const auto campaign = std::make_unique<Campaign>();
    QByteArray file;
    const QString reason = readCampaignJson(json, *campaign, file);
    return {reason.toStdString(), file};
}

// Node with the value at Path (member names, or indices into arrays)
// replaced by Value; an undefined Value removes the member.
QJsonValue edited(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    if (path.isEmpty()) {
        return value;
    }
    const QString step = path.takeFirst();
    if (node.isArray()) {
        QJsonArray items = node.toArray();
        items[step.toInt()] = edited(items.at(step.toInt()), path, value);
        return items;
    }
    QJsonObject members = node.toObject();
    if (path.isEmpty() && value.isUndefined()) {
        members.remove(step);
    } else {
        members[step] = edited(members.value(step), path, value);
    }
    return members;
}

// SmallJson with the value at path replaced by the JSON text Raw as
// typed; a null Raw removes the member; no path puts Raw for the whole text.
QByteArray smallEdited(const QString& path, const QByteArray& raw)
{
    if (path.isEmpty()) {
        return raw;
    }
    const QJsonValue root = QJsonDocument::fromJson(SmallJson).object();
    const QJsonValue marker = raw.isNull() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(QStringLiteral("\x01"));
    return QJsonDocument(edited(root, path.split(QLatin1Char('.')), marker).toObject())
        .toJson()
        .replace("\"\\u0001\"", raw);
}

QByteArray jsonOf(const QJsonArray& items)
{
    return QJsonDocument(items).toJson();
}

} // namespace

// The layout is the one docs/examples/marchland.json holds, which the
// README's examples compare; here each kind of byte a name may hold is
// written as JSON writes it, and the campaign comes back whole.
TEST(CampaignJson, SmallCampaignEscapesEveryByteAndImportsBack)
{
    for (const char* fragment : {R"("voice": "snowÿ",)", R"("text": "café\u0085\u0000",)", R"("name": "a\"b\\c",)",
                                 R"("voice": "v\u0000\u000a\u007f",)", R"("unknown": [0, 7, 65535],)"}) {
        EXPECT_TRUE(SmallJson.contains(fragment)) << fragment << "\n" << SmallJson.toStdString();
    }
    // The file's bytes hold every field; the entries may come in any order, each naming its slot.
    const auto whole = std::make_pair(std::string(), campaignBytes(*small()));
    EXPECT_EQ(import(SmallJson), whole);
    const QJsonArray scenarios = QJsonDocument::fromJson(SmallJson)["scenarios"].toArray();
    EXPECT_EQ(import(smallEdited(QStringLiteral("scenarios"), jsonOf({scenarios[1], scenarios[0]}))), whole);
}

// Any file the editor opens, whatever its unread bytes hold, comes back byte
// for byte through its JSON; what the editor saves for it exports without
// unread bytes.
TEST(CampaignJson, RandomFilesComeBackByteForByte)
{
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        const int count = seed % 3 == 0 ? 50 : seed % 3 == 1 ? static_cast<int>(seed % 50) : 0;
        const QByteArray file = QByteArray::fromStdString(randomCampaignFile(seed, count));
        const auto opened = std::make_unique<Campaign>();
        ASSERT_EQ(readCampaignBytes(file, *opened).toStdString(), "");
        const QByteArray json = campaignJson(*opened, file);
        EXPECT_EQ(import(json), std::make_pair(std::string(), file)) << json.toStdString();
        const QByteArray saved = campaignBytes(*opened);
        const QByteArray fields = campaignJson(*opened, saved);
        EXPECT_FALSE(fields.contains("\"unread\""));
        EXPECT_TRUE(import(fields).second == saved);
    }
}

// Each row: where SmallJson is edited (nothing: the whole text), the JSON
// text put there (null: the member removed), and the refusal, which names
// the exact place, or the line and column where the parser stopped.
TEST(CampaignJson, RefusalsNameTheExactPlace)
{
    const QJsonValue first = QJsonDocument::fromJson(SmallJson)["scenarios"][0];
    const QJsonArray outcomes = first["outcomes"].toArray();
    QJsonArray fiftyOne;
    for (int i = 0; i < 51; ++i) {
        fiftyOne.append(first);
    }
    const QByteArray removed;
    const std::string fits = "does not fit its field: ";
    const std::string movie = "scenarios[0].outcomes[2].movie: ";
    const std::string noByte = " is no byte (a name holds U+0000..U+00FF)";
    const std::string freeSlot = " free, but a campaign file keeps its 2 scenarios in slots 0..1";
    const std::vector<std::tuple<const char*, QByteArray, std::string>> cases{
        {"format", R"("ironvale-camp")", R"(format: "ironvale-camp" is not "ironvale-campaign")"},
        {"format", removed, "format: missing"},
        {"version", "2", "version: 2 is not supported; this program reads version 1"},
        {"version", "1.5", "version: 1.5 is not supported; this program reads version 1"},
        {"version", R"("1")", "version: expected a number, found a string"},
        {"colour", "1", "colour: unknown key"},
        {"nation", "4", "nation: 4 is outside 0..3"},
        {"prestige", "-1", "prestige: -1 is outside 0..65535"},
        {"prestige", "1e300", "prestige: 1e300 is outside 0..65535"},
        {"description", R"("twenty_bytes_in_name")", "description: " + fits + "20 bytes, at most 19"},
        {"scenarios", "{}", "scenarios: expected an array, found an object"},
        {"scenarios", jsonOf(fiftyOne), "scenarios: 51 scenarios, but a campaign holds at most 50"},
        {"scenarios.1", R"("x")", "scenarios[1]: expected an object, found a string"},
        {"scenarios.1.slot", "50", "scenarios[1].slot: 50 is outside 0..49"},
        {"scenarios.1.slot", "0", "scenarios[1].slot: 0 is given twice, first at scenarios[0]"},
        {"scenarios.1.slot", removed, "scenarios[1].slot: missing"},
        // The file keeps N scenarios in slots 0..N-1 only: one past a free slot would be lost.
        {"scenarios.1.slot", "2", "scenarios[1].slot: 2 leaves slot 1" + freeSlot},
        {"scenarios.0.slot", "49", "scenarios[0].slot: 49 leaves slot 0" + freeSlot},
        {"scenarios.0.name", R"("x", "name": "y")", "scenarios[0].name: key given twice"},
        {"scenarios.0.prestige", "1.5", "scenarios[0].prestige: 1.5 is not a whole number"},
        {"scenarios.0.unknown", "[1, 2]", "scenarios[0].unknown: 2 values, but a scenario keeps 3"},
        {"scenarios.0.unknown.1", "65536", "scenarios[0].unknown[1]: 65536 is outside 0..65535"},
        {"scenarios.0.unknown.0", "true", "scenarios[0].unknown[0]: expected a number, found a boolean"},
        {"scenarios.0.outcomes", jsonOf({outcomes[0], outcomes[1], outcomes[2]}),
         "scenarios[0].outcomes: 3 outcomes, but a scenario has 4"},
        {"scenarios.0.outcomes.2.gotoo", "1", "scenarios[0].outcomes[2].gotoo: unknown key"},
        {"scenarios.0.outcomes.2.movie", R"("abcdefghijklmnopqrst")", movie + fits + "20 bytes, at most 19"},
        {"scenarios.0.outcomes.2.movie", R"("a.b")", movie + fits + "a \".\" would end the name in the file"},
        {"scenarios.0.outcomes.2.movie", R"("\u0100")", movie + fits + "U+0100" + noByte},
        {"scenarios.0.outcomes.2.movie", R"("\u0800")", movie + fits + "U+0800" + noByte},
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
        {"scenarios.0.unread", R"([{"offset": 8, "hex": "41"}])", "scenarios[0].unread[0]: overlaps scenarios[0].name"},
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
        {"", SmallJson.left(SmallJson.indexOf("\"unknown\"") + 3),
         "line 15, column 10: invalid string: missing closing quote; expected string literal"},
        {"", "{\"description\": \"\xC3\xA9\xC3\xA9\",]", "line 1, column 22: unexpected ']'; expected string literal"},
        {"", "{\"description\": \"\xC3\xA9\x01\"}",
         "line 1, column 19: invalid string: control character U+0001 (SOH) must be escaped to \\u0001"},
    };
    for (const auto& [path, value, message] : cases) {
        EXPECT_EQ(import(smallEdited(QLatin1String(path), value)).first, message) << path << value.data();
    }
}
