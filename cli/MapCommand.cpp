#include "cli/Command.h"
#include "cli/MapLayout.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/Campaign.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// How a node is drawn; the legend shows each look once.
struct Look {
    const char* fill;
    const char* line;
};
constexpr Look PlainLook{"#eef3fb", "#3c5a80"};
constexpr Look LoopingLook{"#ffd8a8", "#d9480f"};
constexpr Look TrapLook{"#ffc9c9", "#c92a2a"};
constexpr Look UnreachableLook{"#e9ecef", "#868e96"};
constexpr Look MissingLook{"#fff0f0", "#c92a2a"};
constexpr Look WonLook{"#b2f2bb", "#2b8a3e"};
constexpr Look LostLook{"#ced4da", "#212529"};
constexpr const char* AlarmColour = "#c92a2a";

// A name may hold any byte. A control or other unprintable character is
// shown as its code (ESC as \x1b): the reader sees it, and the SVG stays
// well-formed XML, which has no place for most control characters.
QString shownText(const QString& text)
{
    QString shown;
    for (const uint code : text.toUcs4()) {
        const auto character = static_cast<char32_t>(code);
        if (QChar::isPrint(character)) {
            shown += QString::fromUcs4(&character, 1);
        } else {
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

// Graphviz reads "\" in a plain label as the start of an escape such as "\n".
QString labelText(const QString& text)
{
    return shownText(text).replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

// Text in a label of Graphviz's HTML-like kind, which reads no "\" escapes.
QString htmlText(const QString& text)
{
    return shownText(text).toHtmlEscaped();
}

// The map in Graphviz's graph language, kept as items until it is written,
// since a node's look is settled after the node is placed.
class Drawing {
public:
    using Item = std::size_t;
    // The graph and the defaults of its nodes and arrows carry attributes as
    // any item does, but stand for no statement of their own.
    static constexpr Item Graph = 0;
    static constexpr Item NodeDefaults = 1;
    static constexpr Item EdgeDefaults = 2;

    explicit Drawing(const QString& title) : m_items(3)
    {
        set(Graph, "label", title);
        set(Graph, "labelloc", QStringLiteral("t"));
        // Parts no arrow joins, such as scenarios that only repeat
        // themselves, are laid out in rows in the order drawn, the legend
        // first, rather than all in one long row.
        set(Graph, "packmode", QStringLiteral("array_tu"));
        set(Graph, "fontname", QStringLiteral("Helvetica"));
        set(NodeDefaults, "fontname", QStringLiteral("Helvetica"));
        set(NodeDefaults, "shape", QStringLiteral("box"));
        set(NodeDefaults, "style", QStringLiteral("rounded,filled"));
        set(NodeDefaults, "fillcolor", QLatin1String(PlainLook.fill));
        set(NodeDefaults, "color", QLatin1String(PlainLook.line));
        set(NodeDefaults, "penwidth", QStringLiteral("1"));
        set(EdgeDefaults, "color", QStringLiteral("#495057"));
        set(EdgeDefaults, "penwidth", QStringLiteral("1"));
        set(EdgeDefaults, "style", QStringLiteral("solid"));
        // Arrows leave a scenario below the outcomes they stand for and
        // enter every node at the top.
        set(EdgeDefaults, "headport", QStringLiteral("n"));
    }

    // The legend's items form a cluster of their own; the rest are the map's.
    Item legend()
    {
        m_items.push_back({});
        m_legend = m_items.size() - 1;
        return m_legend;
    }

    Item node(Item within, const QString& id, const QString& label, const Look& style)
    {
        m_items.push_back({within, id, {}, {}});
        const Item created = m_items.size() - 1;
        set(created, "label", label);
        set(created, "fillcolor", QLatin1String(style.fill));
        set(created, "color", QLatin1String(style.line));
        if (&style != &PlainLook) {
            set(created, "penwidth", QStringLiteral("2"));
        }
        return created;
    }

    Item edge(Item within, Item from, Item to)
    {
        m_items.push_back({within, m_items[from].id, m_items[to].id, {}});
        return m_items.size() - 1;
    }

    void set(Item item, const char* attribute, const QString& value) { put(item, attribute, quoted(value)); }

    // A label Graphviz reads as HTML-like: in <> rather than quotes.
    void setHtmlLabel(Item item, const QString& html)
    {
        put(item, "label", QLatin1Char('<') + html + QLatin1Char('>'));
    }

    // The DOT text: defaults first, then the legend, then the map in the
    // order drawn, which dot keeps where it can.
    [[nodiscard]] QByteArray text() const
    {
        QString dot = QStringLiteral("digraph campaign {\n");
        dot += QStringLiteral("graph [%1];\n").arg(list(m_items[Graph].attributes));
        dot += QStringLiteral("node [%1];\n").arg(list(m_items[NodeDefaults].attributes));
        dot += QStringLiteral("edge [%1];\n").arg(list(m_items[EdgeDefaults].attributes));
        if (m_legend != Graph) {
            dot += QStringLiteral("subgraph cluster_legend {\ngraph [%1];\n").arg(list(m_items[m_legend].attributes));
            dot += statements(m_legend) + QStringLiteral("}\n");
        }
        return (dot + statements(Graph) + QStringLiteral("}\n")).toUtf8();
    }

private:
    using Attributes = std::vector<std::pair<QByteArray, QString>>;
    struct Entry {
        Item within = Graph;
        QString id;
        QString target;
        Attributes attributes;
    };

    // A quoted DOT string: Graphviz's reader turns \" back into a quote and
    // keeps every other byte, a label's own escapes (\n, \\) included.
    static QString quoted(const QString& value)
    {
        return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\\\"")) +
               QLatin1Char('"');
    }

    void put(Item item, const char* attribute, const QString& written)
    {
        Attributes& attributes = m_items[item].attributes;
        const auto it = std::find_if(attributes.begin(), attributes.end(),
                                     [attribute](const auto& each) { return each.first == attribute; });
        if (it != attributes.end()) {
            it->second = written;
        } else {
            attributes.emplace_back(attribute, written);
        }
    }

    static QString list(const Attributes& attributes)
    {
        QStringList parts;
        for (const auto& [name, value] : attributes) {
            parts << QString::fromLatin1(name) + QLatin1Char('=') + value;
        }
        return parts.join(QStringLiteral(", "));
    }

    [[nodiscard]] QString statements(Item within) const
    {
        QString text;
        for (const Entry& entry : m_items) {
            if (entry.within != within || entry.id.isNull()) {
                continue;
            }
            text += entry.target.isNull() ? quoted(entry.id) : quoted(entry.id) + QStringLiteral(" -> ") +
                                                                   quoted(entry.target);
            text += QStringLiteral(" [%1];\n").arg(list(entry.attributes));
        }
        return text;
    }

    std::vector<Entry> m_items;
    Item m_legend = Graph;
};

void drawLegend(Drawing& map)
{
    const Drawing::Item legend = map.legend();
    map.set(legend, "label", QStringLiteral("Legend"));
    map.set(legend, "style", QStringLiteral("rounded"));
    const std::vector<std::tuple<const char*, const char*, const Look*>> samples{
        {"legend_scenario", "scenario: each arrow leaves\\nbelow the outcomes it takes", &PlainLook},
        {"legend_looping", "looping scenario:\\nevery outcome repeats it", &LoopingLook},
        {"legend_trap", "trap: neither campaign\\nvictory nor loss reachable", &TrapLook},
        {"legend_unreachable", "unreachable\\nfrom scenario 0", &UnreachableLook},
        {"legend_missing", "missing scenario", &MissingLook},
    };
    std::optional<Drawing::Item> above;
    for (const auto& [id, text, look] : samples) {
        const Drawing::Item node = map.node(legend, QLatin1String(id), QLatin1String(text), *look);
        if (look == &UnreachableLook) {
            map.set(node, "style", QStringLiteral("rounded,filled,dashed"));
        } else if (look == &MissingLook) {
            map.set(node, "shape", QStringLiteral("octagon"));
            map.set(node, "style", QStringLiteral("filled,dashed"));
        }
        // Invisible arrows stack the samples in one column.
        if (above) {
            map.set(map.edge(legend, *above, node), "style", QStringLiteral("invis"));
        }
        above = node;
    }
}

// The outcomes that join the same two nodes share one arrow.
struct Arrow {
    QString target;
    QStringList labels;
    int32_t goTo;
};

// A scenario's box: its number, name and marks above a cell for each arrow
// that leaves it, listing the outcomes that take it; the arrow starts below
// its cell, and has no label of its own to stand over other arrows and nodes.
Drawing::Item drawScenario(Drawing& map, const CampaignGraph& graph, const Scenario& scenario,
                       const std::vector<Arrow>& arrows, const CampaignPaths* paths)
{
    const auto i = static_cast<int16_t>(scenario.number());
    QStringList title{
        QStringLiteral("#%1 %2").arg(i, 3, 10, QLatin1Char('0')).arg(htmlText(fromCampaignBytes(scenario.name())))};
    const Look* look = &PlainLook;
    if (graph.looping(i)) {
        title << QStringLiteral("looping");
        look = &LoopingLook;
    } else if (graph.trapped(i)) {
        title << QStringLiteral("trap");
        look = &TrapLook;
    }
    const bool unreachable = !graph.reachable(i);
    if (unreachable) {
        title << QStringLiteral("unreachable");
        look = look == &PlainLook ? &UnreachableLook : look;
    }
    if (paths != nullptr && paths->scenario(i).reached) {
        title << QStringLiteral("<FONT POINT-SIZE=\"10\">%1</FONT>").arg(balanceText(paths->scenario(i)));
    }
    QString html = QStringLiteral("<TABLE BORDER=\"0\" CELLBORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"2\">"
                                  "<TR><TD COLSPAN=\"%1\">%2</TD></TR><HR/><TR>")
                       .arg(arrows.size())
                       .arg(title.join(QStringLiteral("<BR/>")));
    for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
        html += QStringLiteral("<TD PORT=\"o%1\" VALIGN=\"TOP\"><FONT POINT-SIZE=\"10\">%2</FONT></TD>")
                    .arg(cell)
                    .arg(arrows[cell].labels.join(QStringLiteral("<BR/>")));
    }
    const Drawing::Item node = map.node(Drawing::Graph, QStringLiteral("s%1").arg(i), QString(), *look);
    map.setHtmlLabel(node, html + QStringLiteral("</TR></TABLE>"));
    map.set(node, "margin", QStringLiteral("0.04"));
    if (unreachable) {
        map.set(node, "style", QStringLiteral("rounded,filled,dashed"));
    }
    return node;
}

// The end node of campaign victory or loss, marked when the check or lint
// finds it unreferenced or out of the player's reach.
Drawing::Item drawEnd(Drawing& map, const char* id, const QString& text, const Look& style, bool referenced,
                  bool reachable)
{
    QString label = text;
    if (!referenced) {
        label += QStringLiteral("\\nnot referenced");
    } else if (!reachable) {
        label += QStringLiteral("\\nnot reachable from scenario 0");
    }
    const Drawing::Item node = map.node(Drawing::Graph, QLatin1String(id), label, style);
    map.set(node, "shape", QStringLiteral("doubleoctagon"));
    if (!reachable) {
        map.set(node, "style", QStringLiteral("filled,dashed"));
        map.set(node, "color", QLatin1String(AlarmColour));
    }
    return node;
}

// Where each outcome of a scenario leads, those with the same target together.
std::vector<Arrow> arrowsOf(const CampaignGraph& graph, const Scenario& scenario)
{
    std::vector<Arrow> arrows;
    for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
        const int32_t goTo = scenario.resultScenario(j);
        QString targetText;
        switch (graph.targetOf(goTo)) {
        case CampaignGraph::Target::Victory:
            targetText = QStringLiteral("won");
            break;
        case CampaignGraph::Target::Loss:
            targetText = QStringLiteral("lost");
            break;
        case CampaignGraph::Target::Scenario:
            targetText = QStringLiteral("s%1").arg(goTo);
            break;
        case CampaignGraph::Target::Missing:
            targetText = QStringLiteral("missing%1").arg(goTo);
            break;
        }
        const QString label = QStringLiteral("%1<BR/><FONT COLOR=\"#5c6b7a\">prestige %2</FONT>")
                                  .arg(QLatin1String(outcomeName(j)))
                                  .arg(scenario.resultPrestige(j));
        auto it = std::find_if(arrows.begin(), arrows.end(),
                               [&targetText](const Arrow& each) { return each.target == targetText; });
        if (it != arrows.end()) {
            it->labels << label;
        } else {
            arrows.push_back({targetText, {label}, goTo});
        }
    }
    return arrows;
}

// The node of a go-to no scenario answers, drawn once however many lead there.
Drawing::Item drawMissing(Drawing& map, const QString& id, int32_t goTo)
{
    const QString why = CampaignGraph::isOddGoTo(goTo) ? QStringLiteral("outside 0..49, 254, 255")
                                                       : QStringLiteral("not in the campaign");
    const Drawing::Item node =
        map.node(Drawing::Graph, id, QStringLiteral("#%1 missing\\n%2").arg(goTo).arg(why), MissingLook);
    map.set(node, "shape", QStringLiteral("octagon"));
    map.set(node, "style", QStringLiteral("filled,dashed"));
    return node;
}

// With paths, each scenario shows the battles and prestige on the way there.
void drawCampaign(Drawing& map, const Campaign& campaign, const CampaignPaths* paths)
{
    const CampaignGraph graph(campaign);
    // Drawn first, so dot puts it at the top left.
    drawLegend(map);
    std::map<QString, Drawing::Item> nodes;
    nodes[QStringLiteral("won")] = drawEnd(map, "won", QStringLiteral("Campaign won"), WonLook,
                                           graph.victoryReferenced(), graph.victoryReachable());
    nodes[QStringLiteral("lost")] =
        drawEnd(map, "lost", QStringLiteral("Campaign lost"), LostLook, graph.lossReferenced(), graph.lossReachable());
    std::map<int16_t, std::vector<Arrow>> arrowsFrom;
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (graph.used(i)) {
            const Scenario& scenario = campaign.scenarios(i);
            arrowsFrom[i] = arrowsOf(graph, scenario);
            nodes[QStringLiteral("s%1").arg(i)] = drawScenario(map, graph, scenario, arrowsFrom[i], paths);
        }
    }
    for (const auto& [i, arrows] : arrowsFrom) {
        for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
            const Arrow& each = arrows[cell];
            auto target = nodes.find(each.target);
            if (target == nodes.end()) {
                target = nodes.emplace(each.target, drawMissing(map, each.target, each.goTo)).first;
            }
            const Drawing::Item edge =
                map.edge(Drawing::Graph, nodes.at(QStringLiteral("s%1").arg(i)), target->second);
            map.set(edge, "tailport", QStringLiteral("o%1:s").arg(cell));
            if (graph.targetOf(each.goTo) == CampaignGraph::Target::Missing) {
                map.set(edge, "color", QLatin1String(AlarmColour));
                map.set(edge, "penwidth", QStringLiteral("2"));
                map.set(edge, "style", QStringLiteral("dashed"));
            }
        }
    }
}

// The Graphviz renderer for a format the user names, or null.
const char* renderer(const QString& format)
{
    const QString lower = format.toLower();
    if (lower == QLatin1String("svg")) {
        return "svg";
    }
    if (lower == QLatin1String("png")) {
        return "png";
    }
    if (lower == QLatin1String("dot") || lower == QLatin1String("gv")) {
        return "dot";
    }
    return nullptr;
}

} // namespace

// map FILE -o OUT: the campaign as a graph drawn by Graphviz, with what the
// check and lint find marked.
int runMap(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws the campaign as a graph: one node per scenario listing its outcomes and their prestige,\n"
        "an arrow from below each outcome to where it leads (outcomes that lead to the same place share\n"
        "one), the end nodes 'Campaign won' and 'Campaign lost', and a legend.\n"
        "Missing and looping scenarios, traps, unreachable scenarios and ends are marked.\n"
        "The format follows OUT's extension (.svg, .png, .dot or .gv) unless --format names it;\n"
        "with -o - (the default) the map goes to standard output, as DOT unless --format names another.\n"
        "Exit status: 0 drawn, 2 the file could not be read, the map not written, or a usage error."));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Where to write the map; - for standard output."),
                                          QStringLiteral("OUT"), QStringLiteral("-"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("svg, png or dot, whatever OUT is called."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Write a PNG to standard output even when it is a terminal."));
    const QCommandLineOption withPaths(QStringLiteral("paths"),
                                       QStringLiteral("Show in each scenario the fewest and most battles and the "
                                                      "least and most prestige on arrival, as the paths command "
                                                      "finds them."));
    parser.addOptions({outputOption, format, force, withPaths});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const QString out = parser.value(outputOption);
    const bool toOut = out == QLatin1String("-");
    const QString formatText = parser.isSet(format) ? parser.value(format)
                               : toOut              ? QStringLiteral("dot")
                                                    : QFileInfo(out).suffix();
    const char* rendererText = renderer(formatText);
    if (rendererText == nullptr) {
        writeDiagnostic(io.err,
                        parser.isSet(format)
                            ? QStringLiteral("'%1' is no format: use svg, png or dot.").arg(terminalText(formatText))
                            : QStringLiteral("cannot tell the format from '%1': name it .svg, .png or .dot, or "
                                             "use --format.")
                                  .arg(terminalText(out)));
        return ExitStatus::Trouble;
    }
    const std::filesystem::path file = pathFromText(parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromText(out);
    const bool binary = qstrcmp(rendererText, "png") == 0;
    if (outputIsInput(file, output, io) || (binary && binaryToTerminal(output, parser.isSet(force), io))) {
        return ExitStatus::Trouble;
    }

    const auto campaign = std::make_unique<Campaign>();
    if (!loadCampaign(file, io, *campaign)) {
        return ExitStatus::Trouble;
    }

    QString reason;
    Drawing map(
        labelText(QStringLiteral("%1 (%2)").arg(fromCampaignBytes(campaign->description()), displayName(file))));
    const std::optional<CampaignPaths> paths =
        parser.isSet(withPaths) ? std::optional<CampaignPaths>(*campaign) : std::nullopt;
    drawCampaign(map, *campaign, paths ? &*paths : nullptr);
    const QByteArray bytes = layOutMap(map.text(), rendererText, reason);
    if (!reason.isEmpty()) {
        writeDiagnostic(io.err, reason + QLatin1Char('.'));
        return ExitStatus::Trouble;
    }
    return writeOutput(output, bytes, io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
