#include "cli/CampaignJson.h"
#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>

#include <array>
#include <memory>
#include <optional>

namespace {

// One side of the comparison: the campaign as read, and the file's bytes,
// which hold what the readable fields do not.
struct Side {
    std::unique_ptr<Campaign> campaign = std::make_unique<Campaign>();
    QByteArray bytes;
    QByteArray saved; // the bytes the campaign saves as: where they differ, bytes went unread

    [[nodiscard]] bool used(int slot) const { return campaign->scenarios(static_cast<int16_t>(slot)).number() >= 0; }
    [[nodiscard]] const Scenario& scenario(int slot) const { return campaign->scenarios(static_cast<int16_t>(slot)); }
};

constexpr int HeaderSize = 44;
constexpr int TrailerStart = HeaderSize + Campaign::MaxScenarios * Scenario::RecordSize;

// The same scenario, wherever its outcomes lead: a move renumbers them.
bool sameRecord(const Scenario& a, const Scenario& b)
{
    Scenario moved;
    moved.copy(b);
    moved.setNumber(a.number());
    for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
        moved.setResultScenario(j, a.resultScenario(j));
    }
    return a == moved;
}

QString nameOf(const std::string& name)
{
    return name.empty() ? QStringLiteral("(none)") : shownText(name);
}

QString destination(int32_t goTo)
{
    if (goTo == Campaign::VictoryScenario) {
        return QStringLiteral("campaign victory");
    }
    if (goTo == Campaign::LossScenario) {
        return QStringLiteral("campaign loss");
    }
    return QStringLiteral("scenario %1").arg(goTo);
}

// The bytes of one area that differ where either side holds bytes its
// readable fields do not carry.
int unreadDifferences(const Side& a, const Side& b, int startA, int startB, int size)
{
    int count = 0;
    for (int i = 0; i < size; ++i) {
        const int p = startA + i;
        const int q = startB + i;
        if (a.bytes.at(p) != b.bytes.at(q) && (a.bytes.at(p) != a.saved.at(p) || b.bytes.at(q) != b.saved.at(q))) {
            ++count;
        }
    }
    return count;
}

class Report {
public:
    void add(const QString& where, const QString& what) { m_lines << where + QStringLiteral(": ") + what; }
    // A field without a name is the area itself ("nation: U.K (was Germany)").
    void change(const QString& where, const QString& field, const QString& now, const QString& was)
    {
        if (now != was) {
            add(where, (field.isEmpty() ? QString() : field + QLatin1Char(' ')) + now + QStringLiteral(" (was ") + was +
                           QLatin1Char(')'));
        }
    }
    // True when the area's unread bytes differ.
    bool unread(const QString& where, int count)
    {
        if (count > 0) {
            add(where, QStringLiteral("%1 unread %2 differ%3")
                           .arg(count)
                           .arg(QLatin1String(count == 1 ? "byte" : "bytes"), QLatin1String(count == 1 ? "s" : "")));
        }
        return count > 0;
    }
    [[nodiscard]] const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// renumbered: where a go-to of the old campaign leads in the new one.
template <typename Renumber>
void compareScenarios(Report& report, const QString& where, const Scenario& now, const Scenario& was,
                      Renumber renumbered)
{
    report.change(where, QStringLiteral("name"), nameOf(now.name()), nameOf(was.name()));
    report.change(where, QStringLiteral("movie"), nameOf(now.movie()), nameOf(was.movie()));
    report.change(where, QStringLiteral("voice"), nameOf(now.voice()), nameOf(was.voice()));
    report.change(where, QStringLiteral("text"), nameOf(now.text()), nameOf(was.text()));
    report.change(where, QStringLiteral("prestige"), QString::number(now.prestige()), QString::number(was.prestige()));
    report.change(where, QStringLiteral("first value"), QString::number(now.firstUnknown()),
                  QString::number(was.firstUnknown()));
    report.change(where, QStringLiteral("second value"), QString::number(now.secondUnknown()),
                  QString::number(was.secondUnknown()));
    report.change(where, QStringLiteral("third value"), QString::number(now.thirdUnknown()),
                  QString::number(was.thirdUnknown()));
    for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
        const QString outcome = QLatin1String(outcomeName(j)) + QLatin1Char(' ');
        if (now.resultScenario(j) != renumbered(was.resultScenario(j))) {
            report.change(where, outcome + QStringLiteral("leads to"), destination(now.resultScenario(j)),
                          destination(was.resultScenario(j)));
        }
        report.change(where, outcome + QStringLiteral("prestige"), QString::number(now.resultPrestige(j)),
                      QString::number(was.resultPrestige(j)));
        report.change(where, outcome + QStringLiteral("text"), nameOf(now.resultText(j)), nameOf(was.resultText(j)));
        report.change(where, outcome + QStringLiteral("voice"), nameOf(now.resultVoice(j)), nameOf(was.resultVoice(j)));
        report.change(where, outcome + QStringLiteral("movie"), nameOf(now.resultMovie(j)), nameOf(was.resultMovie(j)));
    }
}

struct Counts {
    bool header = false;
    bool elsewhere = false; // unread bytes of unused slots or the trailer
    int changed = 0;
    int added = 0;
    int removed = 0;
    int moved = 0;
};

// Every difference from a to b, a line each: the header first, then by slot.
QStringList differences(const Side& a, const Side& b, Counts& counts)
{
    Report report;
    const Campaign& was = *a.campaign;
    const Campaign& now = *b.campaign;
    report.change(QStringLiteral("description"), QString(), nameOf(now.description()), nameOf(was.description()));
    report.change(QStringLiteral("nation"), QString(), nationName(now, b.bytes), nationName(was, a.bytes));
    report.change(QStringLiteral("prestige"), QString(), QString::number(now.prestige()),
                  QString::number(was.prestige()));
    report.unread(QStringLiteral("header"), unreadDifferences(a, b, 0, 0, HeaderSize));
    counts.header = !report.lines().isEmpty();

    // A record that left its slot and stands unchanged in another one, whose
    // old record is gone, has moved.
    constexpr int Slots = Campaign::MaxScenarios;
    std::array<std::optional<int>, Slots> movedTo;
    std::array<std::optional<int>, Slots> movedFrom;
    for (int i = 0; i < Slots; ++i) {
        if (!a.used(i) || (b.used(i) && sameRecord(a.scenario(i), b.scenario(i)))) {
            continue;
        }
        for (int j = 0; j < Slots; ++j) {
            if (j != i && !movedFrom[j] && b.used(j) && sameRecord(a.scenario(i), b.scenario(j)) &&
                !(a.used(j) && sameRecord(a.scenario(j), b.scenario(j)))) {
                movedTo[i] = j;
                movedFrom[j] = i;
                break;
            }
        }
    }

    const auto renumbered = [&movedTo](int32_t goTo) {
        return goTo >= 0 && goTo < Slots && movedTo[static_cast<std::size_t>(goTo)]
                   ? *movedTo[static_cast<std::size_t>(goTo)]
                   : goTo;
    };
    const auto label = [](int slot, const Scenario& scenario) {
        return QStringLiteral("scenario %1 %2").arg(slot).arg(nameOf(scenario.name()));
    };
    const auto recordAt = [](int slot) { return HeaderSize + slot * Scenario::RecordSize; };
    for (int slot = 0; slot < Slots; ++slot) {
        const bool stayed = a.used(slot) && !movedTo[slot];
        const bool kept = b.used(slot) && !movedFrom[slot];
        if (movedTo[slot]) {
            const int to = *movedTo[slot];
            report.add(label(slot, a.scenario(slot)), QStringLiteral("moved to slot %1").arg(to));
            compareScenarios(report, label(to, b.scenario(to)), b.scenario(to), a.scenario(slot), renumbered);
            report.unread(label(to, b.scenario(to)),
                          unreadDifferences(a, b, recordAt(slot), recordAt(to), Scenario::RecordSize));
            ++counts.moved;
        }
        if (stayed && kept) {
            const int before = static_cast<int>(report.lines().size());
            const QString where = label(slot, b.scenario(slot));
            compareScenarios(report, where, b.scenario(slot), a.scenario(slot), renumbered);
            report.unread(where, unreadDifferences(a, b, recordAt(slot), recordAt(slot), Scenario::RecordSize));
            counts.changed += report.lines().size() > before ? 1 : 0;
            continue;
        }
        if (stayed) {
            report.add(label(slot, a.scenario(slot)), QStringLiteral("removed"));
            ++counts.removed;
        }
        if (kept) {
            report.add(label(slot, b.scenario(slot)), QStringLiteral("added"));
            ++counts.added;
        }
        if (!a.used(slot) && !b.used(slot)) {
            counts.elsewhere =
                report.unread(QStringLiteral("slot %1 (unused)").arg(slot),
                              unreadDifferences(a, b, recordAt(slot), recordAt(slot), Scenario::RecordSize)) ||
                counts.elsewhere;
        }
    }
    counts.elsewhere = report.unread(QStringLiteral("trailer"), unreadDifferences(a, b, TrailerStart, TrailerStart,
                                                                                  CampaignFileSize - TrailerStart)) ||
                       counts.elsewhere;
    return report.lines();
}

// A campaign file, or a JSON text as import reads it: the text of a JSON
// form begins with "{", which no campaign file can, its count being at most 50.
QString load(const std::filesystem::path& path, CommandStreams& io, Side& side)
{
    QByteArray input;
    if (QString reason = readWholeInput(path, io, input); !reason.isEmpty()) {
        return reason;
    }
    QString reason;
    if (input.trimmed().startsWith('{')) {
        reason = readCampaignJson(input, *side.campaign, side.bytes);
    } else {
        reason = readCampaignBytes(input, *side.campaign);
        side.bytes = input.left(CampaignFileSize);
    }
    side.saved = campaignBytes(*side.campaign);
    return reason;
}

QString statLine(const Counts& counts)
{
    QStringList parts;
    if (counts.header) {
        parts << QStringLiteral("header changed");
    }
    const auto part = [&parts](int count, const char* what) {
        if (count > 0) {
            parts << QStringLiteral("%1 %2").arg(count).arg(QLatin1String(what));
        }
    };
    part(counts.changed, counts.changed == 1 ? "scenario changed" : "scenarios changed");
    part(counts.added, "added");
    part(counts.removed, "removed");
    part(counts.moved, "moved");
    if (counts.elsewhere) {
        parts << QStringLiteral("unread bytes outside the scenarios changed");
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

// diff A B: what changed from campaign A to campaign B, as a designer says it.
int runDiff(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compares two campaigns as campaigns, not as bytes: the header, scenarios added, removed or moved to\n"
        "another slot, and each changed field of a scenario and its outcomes, a line each in slot order, the\n"
        "header first. Bytes the fields do not carry (export's unread runs) are compared by area.\n"
        "Each side is a campaign file or its JSON (read as import reads it); - is standard input.\n"
        "Exit status: 0 the same, 1 different, 2 a file could not be read."));
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("The campaign before."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("The campaign after."));
    const QCommandLineOption stat(QStringLiteral("stat"), QStringLiteral("Print one summary line instead."));
    parser.addOption(stat);
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        return usageError(io, arguments.value(0), QStringLiteral("give two campaigns"));
    }
    if (files[0] == QLatin1String("-") && files[1] == QLatin1String("-")) {
        return usageError(io, arguments.value(0), QStringLiteral("only one side can be standard input"));
    }
    std::array<Side, 2> sides;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const std::filesystem::path path = pathFromText(files[static_cast<qsizetype>(i)]);
        if (const QString reason = load(path, io, sides[i]); !reason.isEmpty()) {
            writeDiagnostic(io.err,
                            QStringLiteral("%1: cannot be read: %2").arg(displayName(path), terminalText(reason)));
            return ExitStatus::Trouble;
        }
    }
    Counts counts;
    const QStringList lines = differences(sides[0], sides[1], counts);
    if (parser.isSet(stat)) {
        if (!lines.isEmpty()) {
            writeLine(io.out, statLine(counts));
        }
    } else {
        for (const QString& line : lines) {
            writeLine(io.out, line);
        }
    }
    return lines.isEmpty() ? ExitStatus::Clean : ExitStatus::Findings;
}
