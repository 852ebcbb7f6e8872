#include "cli/CampaignJson.h"

#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char FormatName[] = "ironvale-campaign";
constexpr int32_t FormatVersion = 1;
constexpr int32_t MaxWord = 65535;
constexpr int32_t MaxNation = 3;
// A name reads back as written while the "." of its extension still lands
// inside the 20-byte field, cut short as the extension may be.
constexpr qsizetype MaxNameSize = FileNameFieldSize - 1;
// The records follow the 44-byte header.
constexpr qsizetype FirstRecord = 44;
// Unread bytes are written at most this many to a line.
constexpr qsizetype LineBytes = 32;
constexpr std::array<const char*, Scenario::OutcomeCount> OutcomeNames{"Brilliant Victory", "Victory", "Minor Victory",
                                                                       "Defeat"};

// Writes the fixed layout: one member or element per line, two spaces per level.
class JsonEmitter {
public:
    // Starts an object or array as the member key, or as an element when key is null.
    void open(const char* key, char bracket)
    {
        next(key);
        m_out += bracket;
        ++m_depth;
        m_first = true;
    }
    void close(char bracket)
    {
        --m_depth;
        if (!m_first) {
            newLine();
        }
        m_out += bracket;
        m_first = false;
    }
    // A member whose value is JSON text already.
    void value(const char* key, const std::string& json)
    {
        next(key);
        m_out += json;
    }
    [[nodiscard]] QByteArray text() const { return QByteArray::fromStdString(m_out + '\n'); }

private:
    void newLine()
    {
        m_out += '\n';
        m_out.append(static_cast<std::size_t>(2 * m_depth), ' ');
    }
    void next(const char* key)
    {
        if (m_depth > 0) {
            if (!m_first) {
                m_out += ',';
            }
            newLine();
        }
        m_first = false;
        if (key != nullptr) {
            m_out += '"';
            m_out += key;
            m_out += "\": ";
        }
    }

    std::string m_out;
    int m_depth = 0;
    bool m_first = true;
};

// Each byte becomes the character of the same code, in UTF-8; control
// characters are escaped so the text stays readable and diffable.
std::string quoted(const std::string& bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += byte;
        } else if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            out += "\\u00";
            out += Hex[code >> 4];
            out += Hex[code & 0xF];
        } else if (code < 0x80) {
            out += byte;
        } else {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out + '"';
}

std::string number(int32_t n)
{
    return std::to_string(n);
}

// A run of bytes that the readable fields do not carry, at its offset from
// the start of its record or of the file.
struct UnreadRun {
    qsizetype offset;
    QByteArray bytes;
};
using UnreadRuns = std::vector<UnreadRun>;

// Where the file's first 31944 bytes differ from those the campaign saves
// as: the runs inside each used record, and those of the rest of the file.
struct UnreadBytes {
    std::array<UnreadRuns, Campaign::MaxScenarios> records;
    UnreadRuns file;
};

UnreadBytes findUnread(const Campaign& campaign, const QByteArray& file)
{
    UnreadBytes unread;
    if (file.size() < CampaignFileSize) {
        return unread;
    }
    const QByteArray saved = campaignBytes(campaign);
    const qsizetype recordsEnd = FirstRecord + Scenario::RecordSize * campaign.scenarioCount();
    for (qsizetype at = 0; at < CampaignFileSize;) {
        if (file.at(at) == saved.at(at)) {
            ++at;
            continue;
        }
        const bool inRecord = at >= FirstRecord && at < recordsEnd;
        const qsizetype slot = (at - FirstRecord) / Scenario::RecordSize;
        const qsizetype base = inRecord ? FirstRecord + slot * Scenario::RecordSize : 0;
        const qsizetype areaEnd = inRecord           ? base + Scenario::RecordSize
                                  : at < FirstRecord ? FirstRecord
                                                     : CampaignFileSize;
        qsizetype end = at + 1;
        while (end < areaEnd && end - at < LineBytes && file.at(end) != saved.at(end)) {
            ++end;
        }
        (inRecord ? unread.records.at(static_cast<std::size_t>(slot)) : unread.file)
            .push_back({at - base, file.mid(at, end - at)});
        at = end;
    }
    return unread;
}

void emitUnread(const UnreadRuns& runs, JsonEmitter& json)
{
    if (runs.empty()) {
        return;
    }
    json.open("unread", '[');
    for (const UnreadRun& run : runs) {
        json.value(nullptr, "{\"offset\": " + std::to_string(run.offset) + ", \"hex\": \"" +
                                run.bytes.toHex().toStdString() + "\"}");
    }
    json.close(']');
}

void emitOutcome(const Scenario& scenario, int16_t i, JsonEmitter& json)
{
    json.open(nullptr, '{');
    json.value("outcome", quoted(OutcomeNames.at(static_cast<std::size_t>(i))));
    json.value("goto", number(scenario.resultScenario(i)));
    json.value("prestige", number(scenario.resultPrestige(i)));
    json.value("text", quoted(scenario.resultText(i)));
    json.value("voice", quoted(scenario.resultVoice(i)));
    json.value("movie", quoted(scenario.resultMovie(i)));
    json.close('}');
}

void emitScenario(const Scenario& scenario, const UnreadRuns& unread, JsonEmitter& json)
{
    json.open(nullptr, '{');
    json.value("slot", number(scenario.number()));
    json.value("name", quoted(scenario.name()));
    json.value("movie", quoted(scenario.movie()));
    json.value("voice", quoted(scenario.voice()));
    json.value("text", quoted(scenario.text()));
    json.value("prestige", number(scenario.prestige()));
    json.value("unknown", "[" + number(scenario.firstUnknown()) + ", " + number(scenario.secondUnknown()) + ", " +
                              number(scenario.thirdUnknown()) + "]");
    json.open("outcomes", '[');
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        emitOutcome(scenario, i, json);
    }
    json.close(']');
    emitUnread(unread, json);
    json.close('}');
}

// One value of the JSON text as read, numbers as typed. Every key an object
// is given stays, repeated ones too, so that the walk can refuse them.
struct JsonNode {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    // A string's UTF-8, or a number as typed.
    std::string text;
    double number = 0;
    // An array's elements, or an object's values with their keys beside them.
    std::vector<const JsonNode*> elements;
    std::vector<std::string> keys;
};

// Builds the nodes as the parser reports them, into a deque that keeps them
// in place and frees them without recursion, however deep the text nests.
class TreeBuilder final : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit TreeBuilder(std::deque<JsonNode>& nodes) : m_nodes(nodes) {}

    bool null() override { return add(JsonNode::Type::Null); }
    bool boolean(bool) override { return add(JsonNode::Type::Bool); }
    bool number_integer(number_integer_t n) override { return number(static_cast<double>(n), std::to_string(n)); }
    bool number_unsigned(number_unsigned_t n) override { return number(static_cast<double>(n), std::to_string(n)); }
    bool number_float(number_float_t n, const string_t& typed) override { return number(n, typed); }
    bool string(string_t& text) override
    {
        add(JsonNode::Type::String);
        m_nodes.back().text = std::move(text);
        return true;
    }
    // Only binary formats have these.
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return open(JsonNode::Type::Object); }
    bool key(string_t& key) override
    {
        m_open.back()->keys.push_back(std::move(key));
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(JsonNode::Type::Array); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override
    {
        // The position is one past the byte where the parser stopped.
        m_errorOffset = position > 0 ? static_cast<qsizetype>(position) - 1 : 0;
        // "[id] ... syntax error while parsing value - REASON; last read:
        // 'TOKEN'", or "[id] REASON": the reason alone, as the token may hold
        // any byte of the text.
        std::string reason = error.what();
        const std::size_t dash = reason.find(" - ");
        reason.erase(0, dash != std::string::npos ? dash + 3 : reason.find("] ") + 2);
        const std::string lastRead = "; last read: '" + lastToken + "'";
        if (const std::size_t at = reason.find(lastRead); at != std::string::npos) {
            reason.erase(at, lastRead.size());
        }
        m_reason = QString::fromStdString(reason);
        return false;
    }

    [[nodiscard]] qsizetype errorOffset() const { return m_errorOffset; }
    [[nodiscard]] const QString& reason() const { return m_reason; }

private:
    bool add(JsonNode::Type type)
    {
        JsonNode& node = m_nodes.emplace_back();
        node.type = type;
        if (!m_open.empty()) {
            m_open.back()->elements.push_back(&node);
        }
        return true;
    }
    bool number(double n, const std::string& typed)
    {
        add(JsonNode::Type::Number);
        m_nodes.back().number = n;
        m_nodes.back().text = typed;
        return true;
    }
    bool open(JsonNode::Type type)
    {
        add(type);
        m_open.push_back(&m_nodes.back());
        return true;
    }
    bool close()
    {
        m_open.pop_back();
        return true;
    }

    std::deque<JsonNode>& m_nodes;
    std::vector<JsonNode*> m_open;
    qsizetype m_errorOffset = 0;
    QString m_reason;
};

// Why the JSON is refused, with its place; thrown from deep in the walk so
// that each step reads as the happy path.
struct Refusal {
    QString message;
};

[[noreturn]] void refuse(const QString& place, const QString& reason)
{
    throw Refusal{place + QStringLiteral(": ") + reason};
}

QString member(const QString& place, const QString& key)
{
    return place.isEmpty() ? key : place + QLatin1Char('.') + key;
}

QString element(const QString& place, qsizetype i)
{
    return place + QStringLiteral("[%1]").arg(i);
}

QString kind(const JsonNode& value)
{
    switch (value.type) {
    case JsonNode::Type::Null:
        return QStringLiteral("null");
    case JsonNode::Type::Bool:
        return QStringLiteral("a boolean");
    case JsonNode::Type::Number:
        return QStringLiteral("a number");
    case JsonNode::Type::String:
        return QStringLiteral("a string");
    case JsonNode::Type::Array:
        return QStringLiteral("an array");
    case JsonNode::Type::Object:
        break;
    }
    return QStringLiteral("an object");
}

// The value of the object's key, or null when the key is not given.
const JsonNode* findValue(const JsonNode& object, const char* key)
{
    const auto it = std::find(object.keys.begin(), object.keys.end(), key);
    return it == object.keys.end() ? nullptr : object.elements.at(static_cast<std::size_t>(it - object.keys.begin()));
}

// The value of a key the object is known to have.
const JsonNode& valueOf(const JsonNode& object, const char* key)
{
    return *findValue(object, key);
}

bool isListed(std::initializer_list<const char*> keys, const std::string& key)
{
    return std::any_of(keys.begin(), keys.end(), [&](const char* keyText) { return key == keyText; });
}

// The object at place ("" for the top level) with exactly the given keys,
// each once, and any of the optional ones.
const JsonNode& object(const JsonNode& value, const QString& place, std::initializer_list<const char*> requiredKeys,
                       std::initializer_list<const char*> optionalKeys = {})
{
    if (value.type != JsonNode::Type::Object) {
        refuse(place.isEmpty() ? QStringLiteral("top level") : place,
               QStringLiteral("expected an object, found ") + kind(value));
    }
    for (auto it = value.keys.begin(); it != value.keys.end(); ++it) {
        const QString where = member(place, QString::fromStdString(*it));
        if (!isListed(requiredKeys, *it) && !isListed(optionalKeys, *it)) {
            refuse(where, QStringLiteral("unknown key"));
        }
        // A reader that kept the last value would silently drop the first.
        if (std::find(value.keys.begin(), it, *it) != it) {
            refuse(where, QStringLiteral("key given twice"));
        }
    }
    for (const char* key : requiredKeys) {
        if (findValue(value, key) == nullptr) {
            refuse(member(place, QLatin1String(key)), QStringLiteral("missing"));
        }
    }
    return value;
}

const JsonNode& array(const JsonNode& value, const QString& place)
{
    if (value.type != JsonNode::Type::Array) {
        refuse(place, QStringLiteral("expected an array, found ") + kind(value));
    }
    return value;
}

const std::string& text(const JsonNode& value, const QString& place)
{
    if (value.type != JsonNode::Type::String) {
        refuse(place, QStringLiteral("expected a string, found ") + kind(value));
    }
    return value.text;
}

int32_t whole(const JsonNode& value, const QString& place, int32_t low, int32_t high)
{
    if (value.type != JsonNode::Type::Number) {
        refuse(place, QStringLiteral("expected a number, found ") + kind(value));
    }
    const QString shown = QString::fromStdString(value.text);
    const double n = value.number;
    if (n != std::floor(n)) {
        refuse(place, shown + QStringLiteral(" is not a whole number"));
    }
    if (n < low || n > high) {
        refuse(place, QStringLiteral("%1 is outside %2..%3").arg(shown).arg(low).arg(high));
    }
    return static_cast<int32_t>(n);
}

int32_t word(const JsonNode& members, const QString& place, const char* key)
{
    return whole(valueOf(members, key), member(place, QLatin1String(key)), 0, MaxWord);
}

// The bytes of a name, refused unless the file gives them back as they are.
std::string name(const JsonNode& members, const QString& place, const char* key)
{
    const QString where = member(place, QLatin1String(key));
    const std::string& utf8 = text(valueOf(members, key), where);
    const QString fits = QStringLiteral("does not fit its field: ");
    std::string bytes;
    // The parser has checked the UTF-8 already: each lead byte tells the
    // length of its character.
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            code = (code << 6) | (static_cast<unsigned char>(utf8.at(at + i)) & 0x3F);
        }
        if (code > 0xFF) {
            const QString codeText =
                QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
            refuse(where, fits + QStringLiteral("U+%1 is no byte (a name holds U+0000..U+00FF)").arg(codeText));
        }
        bytes += static_cast<char>(code);
        at += length;
    }
    if (bytes.find('.') != std::string::npos) {
        refuse(where, fits + QStringLiteral("a \".\" would end the name in the file"));
    }
    if (static_cast<qsizetype>(bytes.size()) > MaxNameSize) {
        refuse(where, fits + QStringLiteral("%1 bytes, at most %2").arg(bytes.size()).arg(MaxNameSize));
    }
    return bytes;
}

// Unread runs given in the JSON, with their places, at file offsets.
struct GivenRun {
    QString place;
    qsizetype offset;
    QByteArray bytes;
};

// The runs of an "unread" member, when given, inside the area (a record or
// the file) of size bytes that starts at base in the file.
void readUnread(const JsonNode* value, const QString& place, qsizetype base, qsizetype size,
                const QString& area, std::vector<GivenRun>& runs)
{
    if (value == nullptr) {
        return;
    }
    const JsonNode& items = array(*value, place);
    for (std::size_t i = 0; i < items.elements.size(); ++i) {
        const QString where = element(place, static_cast<qsizetype>(i));
        const JsonNode& run = object(*items.elements[i], where, {"offset", "hex"});
        const int32_t offset =
            whole(valueOf(run, "offset"), member(where, QStringLiteral("offset")), 0, static_cast<int32_t>(size - 1));
        const std::string& hex = text(valueOf(run, "hex"), member(where, QStringLiteral("hex")));
        if (hex.empty() || hex.size() % 2 != 0 ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            refuse(member(where, QStringLiteral("hex")), QStringLiteral("expected hex digits, two for each byte"));
        }
        const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(hex));
        if (offset + bytes.size() > size) {
            refuse(where, QStringLiteral("bytes %1..%2 lie outside the %3's 0..%4")
                              .arg(offset)
                              .arg(offset + bytes.size() - 1)
                              .arg(area)
                              .arg(size - 1));
        }
        runs.push_back({where, base + offset, bytes});
    }
}

void readOutcome(const JsonNode& value, const QString& place, int16_t i, Scenario& scenario)
{
    const JsonNode& members = object(value, place, {"outcome", "goto", "prestige", "text", "voice", "movie"});
    const QString expected = QLatin1String(OutcomeNames.at(static_cast<std::size_t>(i)));
    const QString outcome =
        QString::fromStdString(text(valueOf(members, "outcome"), member(place, QStringLiteral("outcome"))));
    if (outcome != expected) {
        refuse(member(place, QStringLiteral("outcome")),
               QStringLiteral("\"%1\" stands where outcome %2 is \"%3\"").arg(outcome).arg(i).arg(expected));
    }
    scenario.setResultScenario(i, word(members, place, "goto"));
    scenario.setResultPrestige(i, word(members, place, "prestige"));
    scenario.setResultText(i, name(members, place, "text"));
    scenario.setResultVoice(i, name(members, place, "voice"));
    scenario.setResultMovie(i, name(members, place, "movie"));
}

// Reads the scenario's fields into Scenario and its unread runs into runs;
// the slot it belongs to comes back.
int16_t readScenario(const JsonNode& value, const QString& place, Scenario& scenario, std::vector<GivenRun>& runs)
{
    const JsonNode& members =
        object(value, place, {"slot", "name", "movie", "voice", "text", "prestige", "unknown", "outcomes"}, {"unread"});
    const auto slot = static_cast<int16_t>(
        whole(valueOf(members, "slot"), member(place, QStringLiteral("slot")), 0, Campaign::MaxScenarios - 1));
    scenario.setNumber(slot);
    scenario.setName(name(members, place, "name"));
    scenario.setMovie(name(members, place, "movie"));
    scenario.setVoice(name(members, place, "voice"));
    scenario.setText(name(members, place, "text"));
    scenario.setPrestige(word(members, place, "prestige"));

    const QString unknownText = member(place, QStringLiteral("unknown"));
    const JsonNode& unknown = array(valueOf(members, "unknown"), unknownText);
    if (unknown.elements.size() != 3) {
        refuse(unknownText, QStringLiteral("%1 values, but a scenario keeps 3").arg(unknown.elements.size()));
    }
    scenario.setFirstUnknown(whole(*unknown.elements[0], element(unknownText, 0), 0, MaxWord));
    scenario.setSecondUnknown(whole(*unknown.elements[1], element(unknownText, 1), 0, MaxWord));
    scenario.setThirdUnknown(whole(*unknown.elements[2], element(unknownText, 2), 0, MaxWord));

    const QString outcomesText = member(place, QStringLiteral("outcomes"));
    const JsonNode& outcomes = array(valueOf(members, "outcomes"), outcomesText);
    if (outcomes.elements.size() != Scenario::OutcomeCount) {
        refuse(outcomesText, QStringLiteral("%1 outcomes, but a scenario has %2")
                                 .arg(outcomes.elements.size())
                                 .arg(Scenario::OutcomeCount));
    }
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        readOutcome(*outcomes.elements[static_cast<std::size_t>(i)], element(outcomesText, i), i, scenario);
    }
    readUnread(findValue(members, "unread"), member(place, QStringLiteral("unread")),
               FirstRecord + qsizetype{slot} * Scenario::RecordSize, Scenario::RecordSize, QStringLiteral("record"),
               runs);
    return slot;
}

// Where each slot stands in the "scenarios" array, -1 for a free one.
using SlotPlaces = std::array<qsizetype, Campaign::MaxScenarios>;

SlotPlaces readScenarios(const JsonNode& value, Campaign& campaign, std::vector<GivenRun>& runs)
{
    const QString place = QStringLiteral("scenarios");
    const JsonNode& entries = array(value, place);
    const auto count = static_cast<qsizetype>(entries.elements.size());
    if (count > Campaign::MaxScenarios) {
        refuse(place,
               QStringLiteral("%1 scenarios, but a campaign holds at most %2").arg(count).arg(Campaign::MaxScenarios));
    }
    // Where each slot was given, to name both places of a slot given twice.
    SlotPlaces givenAt;
    givenAt.fill(-1);
    for (qsizetype i = 0; i < count; ++i) {
        Scenario scenario;
        const int16_t slot =
            readScenario(*entries.elements[static_cast<std::size_t>(i)], element(place, i), scenario, runs);
        qsizetype& first = givenAt.at(static_cast<std::size_t>(slot));
        if (first >= 0) {
            refuse(member(element(place, i), QStringLiteral("slot")),
                   QStringLiteral("%1 is given twice, first at %2").arg(slot).arg(element(place, first)));
        }
        first = i;
        campaign.scenarios(slot).copy(scenario);
    }
    // The file keeps N scenarios in the records of slots 0..N-1 and nowhere
    // else: a scenario past a free slot would be lost on the way.
    for (qsizetype slot = count; slot < Campaign::MaxScenarios; ++slot) {
        const qsizetype at = givenAt.at(static_cast<std::size_t>(slot));
        if (at >= 0) {
            refuse(member(element(place, at), QStringLiteral("slot")),
                   QStringLiteral("%1 leaves slot %2 free, but a campaign file keeps its %3 scenarios in slots 0..%4")
                       .arg(slot)
                       .arg(campaign.nextFreeScenario())
                       .arg(count)
                       .arg(count - 1));
        }
    }
    return givenAt;
}

// The place of the first field that read holds otherwise than given, or
// empty when every field agrees.
QString firstDifference(const Campaign& given, const Campaign& read, const SlotPlaces& places)
{
    if (read.scenarioCount() != given.scenarioCount()) {
        return QStringLiteral("the count of scenarios");
    }
    const std::array<std::pair<const char*, bool>, 3> header{
        {{"description", read.description() == given.description()},
         {"nation", read.nation() == given.nation()},
         {"prestige", read.prestige() == given.prestige()}}};
    for (const auto& [key, same] : header) {
        if (!same) {
            return QLatin1String(key);
        }
    }
    for (int16_t slot = 0; slot < given.scenarioCount(); ++slot) {
        const Scenario& a = given.scenarios(slot);
        const Scenario& b = read.scenarios(slot);
        const QString place = element(QStringLiteral("scenarios"), places.at(static_cast<std::size_t>(slot)));
        const std::array<std::pair<const char*, bool>, 8> fields{
            {{"name", a.name() == b.name()},
             {"movie", a.movie() == b.movie()},
             {"voice", a.voice() == b.voice()},
             {"text", a.text() == b.text()},
             {"prestige", a.prestige() == b.prestige()},
             {"unknown[0]", a.firstUnknown() == b.firstUnknown()},
             {"unknown[1]", a.secondUnknown() == b.secondUnknown()},
             {"unknown[2]", a.thirdUnknown() == b.thirdUnknown()}}};
        for (const auto& [key, same] : fields) {
            if (!same) {
                return member(place, QLatin1String(key));
            }
        }
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            const std::array<std::pair<const char*, bool>, 5> outcome{
                {{"goto", a.resultScenario(j) == b.resultScenario(j)},
                 {"prestige", a.resultPrestige(j) == b.resultPrestige(j)},
                 {"text", a.resultText(j) == b.resultText(j)},
                 {"voice", a.resultVoice(j) == b.resultVoice(j)},
                 {"movie", a.resultMovie(j) == b.resultMovie(j)}}};
            for (const auto& [key, same] : outcome) {
                if (!same) {
                    return member(element(member(place, QStringLiteral("outcomes")), j), QLatin1String(key));
                }
            }
        }
    }
    return {};
}

// The field of campaign that bytes read otherwise, or empty when none.
QString changedField(const Campaign& campaign, const QByteArray& bytes, const SlotPlaces& places)
{
    const auto read = std::make_unique<Campaign>();
    // Only the count can make 31944 bytes unreadable.
    return readCampaignBytes(bytes, *read).isEmpty() ? firstDifference(campaign, *read, places)
                                                     : QStringLiteral("the count of scenarios");
}

// The bytes campaign saves as with the runs laid over them. Refuses runs
// that overlap each other or change a field as the file reads it.
QByteArray layUnread(const Campaign& campaign, const std::vector<GivenRun>& runs, const SlotPlaces& places)
{
    const QByteArray saved = campaignBytes(campaign);
    QByteArray bytes = saved;
    // Which run gave each byte, -1 for none yet.
    std::vector<qsizetype> givenBy(static_cast<std::size_t>(CampaignFileSize), -1);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const GivenRun& run = runs[i];
        for (qsizetype at = run.offset; at < run.offset + run.bytes.size(); ++at) {
            qsizetype& by = givenBy.at(static_cast<std::size_t>(at));
            if (by >= 0) {
                refuse(run.place, QStringLiteral("overlaps ") + runs.at(static_cast<std::size_t>(by)).place);
            }
            by = static_cast<qsizetype>(i);
        }
        bytes.replace(run.offset, run.bytes.size(), run.bytes);
    }
    if (changedField(campaign, bytes, places).isEmpty()) {
        return bytes;
    }
    // Laid one by one, the first run after which a field reads otherwise is
    // the one to name.
    bytes = saved;
    for (const GivenRun& run : runs) {
        bytes.replace(run.offset, run.bytes.size(), run.bytes);
        if (const QString field = changedField(campaign, bytes, places); !field.isEmpty()) {
            refuse(run.place, QStringLiteral("overlaps ") + field);
        }
    }
    return bytes;
}

QByteArray readTop(const JsonNode& value, Campaign& campaign)
{
    const JsonNode& members =
        object(value, QString(), {"format", "version", "description", "nation", "prestige", "scenarios"}, {"unread"});
    const QString format = QString::fromStdString(text(valueOf(members, "format"), QStringLiteral("format")));
    if (format != QLatin1String(FormatName)) {
        refuse(QStringLiteral("format"), QStringLiteral("\"%1\" is not \"%2\"").arg(format, QLatin1String(FormatName)));
    }
    const JsonNode& version = valueOf(members, "version");
    if (version.type != JsonNode::Type::Number) {
        refuse(QStringLiteral("version"), QStringLiteral("expected a number, found ") + kind(version));
    }
    if (version.number != FormatVersion) {
        refuse(QStringLiteral("version"), QStringLiteral("%1 is not supported; this program reads version %2")
                                              .arg(QString::fromStdString(version.text))
                                              .arg(FormatVersion));
    }
    campaign.setDescription(name(members, QString(), "description"));
    campaign.setNation(whole(valueOf(members, "nation"), QStringLiteral("nation"), 0, MaxNation));
    campaign.setPrestige(word(members, QString(), "prestige"));
    std::vector<GivenRun> runs;
    const SlotPlaces places = readScenarios(valueOf(members, "scenarios"), campaign, runs);
    readUnread(findValue(members, "unread"), QStringLiteral("unread"), 0, CampaignFileSize, QStringLiteral("file"),
               runs);
    return layUnread(campaign, runs, places);
}

// "line L, column C" of a byte offset into the text, both counted from 1, the
// column in characters as an editor shows it.
QString lineAndColumn(const QByteArray& json, qsizetype offset)
{
    const QByteArray before = json.left(offset);
    const QByteArray line = before.mid(before.lastIndexOf('\n') + 1);
    return QStringLiteral("line %1, column %2").arg(before.count('\n') + 1).arg(QString::fromUtf8(line).size() + 1);
}

} // namespace

QByteArray campaignJson(const Campaign& campaign, const QByteArray& file)
{
    const UnreadBytes unread = findUnread(campaign, file);
    JsonEmitter json;
    json.open(nullptr, '{');
    json.value("format", quoted(FormatName));
    json.value("version", number(FormatVersion));
    json.value("description", quoted(campaign.description()));
    json.value("nation", number(campaign.nation()));
    json.value("prestige", number(campaign.prestige()));
    json.open("scenarios", '[');
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (campaign.scenarios(i).number() > -1) {
            emitScenario(campaign.scenarios(i), unread.records.at(static_cast<std::size_t>(i)), json);
        }
    }
    json.close(']');
    emitUnread(unread.file, json);
    json.close('}');
    return json.text();
}

QString readCampaignJson(const QByteArray& json, Campaign& campaign, QByteArray& file)
{
    campaign.clear();
    file.clear();
    std::deque<JsonNode> nodes;
    TreeBuilder builder(nodes);
    if (!nlohmann::json::sax_parse(json.cbegin(), json.cend(), &builder)) {
        return lineAndColumn(json, builder.errorOffset()) + QStringLiteral(": ") + builder.reason();
    }
    try {
        file = readTop(nodes.front(), campaign);
    } catch (const Refusal& refused) {
        return refused.message;
    }
    return {};
}
