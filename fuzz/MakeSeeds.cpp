// Writes a handful of campaign files into the folder given as the only
// argument: the fuzzer's starting points. The bytes are laid out here from
// the file format itself so the seeds owe nothing to the library they test.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    uint16_t prestige = 0;
    std::string voice;
    std::string text;
    std::string movie;
    uint16_t goTo = 254;
};

struct Scenario {
    std::array<uint16_t, 4> words{}; // enemy prestige, then the three values kept as they are
    std::string name;
    std::string movie;
    std::string voice;
    std::string text;
    std::array<Outcome, 4> outcomes;
};

struct Campaign {
    uint16_t count = 0; // what the header claims; normally Scenarios.size()
    uint16_t prestige = 0;
    std::string victory = "germwin.smk";
    std::string defeat = "gerloss.smk";
    std::vector<Scenario> scenarios;
    std::string description = "new.txt";
};

class Bytes {
public:
    void word(uint16_t n)
    {
        m_bytes += static_cast<char>(n & 0xFF);
        m_bytes += static_cast<char>(n >> 8);
    }
    // A 20-byte name field: the text as given (extension included), cut or padded with NULs.
    void field(const std::string& s) { m_bytes += (s + std::string(20, '\0')).substr(0, 20); }
    void zeros(std::size_t count) { m_bytes.append(count, '\0'); }
    [[nodiscard]] const std::string& str() const { return m_bytes; }

private:
    std::string m_bytes;
};

std::string withExtension(const std::string& name, const char* extension)
{
    return name.empty() ? std::string() : name + extension;
}

void writeScenario(const Scenario& record, Bytes& file)
{
    for (const uint16_t word : record.words) {
        file.word(word);
    }
    file.field(record.name + ".scn");
    file.field(withExtension(record.movie, ".smk"));
    file.field(record.voice + ".mus");
    file.field(record.text + ".txt");
    for (const Outcome& result : record.outcomes) {
        file.word(result.prestige);
        file.zeros(20);
        file.field(withExtension(result.voice, ".mus"));
        file.field(withExtension(result.text, ".txt"));
        file.field(withExtension(result.movie, ".smk"));
    }
    for (const Outcome& result : record.outcomes) {
        file.word(result.goTo);
        file.zeros(28);
    }
    file.zeros(100);
}

std::string campaignBytes(const Campaign& document)
{
    Bytes file;
    file.word(document.count);
    file.word(document.prestige);
    file.field(document.victory);
    file.field(document.defeat);
    for (const Scenario& record : document.scenarios) {
        writeScenario(record, file);
    }
    file.zeros(636 * (50 - document.scenarios.size()));
    file.field(document.description);
    file.zeros(80);
    return file.str();
}

Scenario plain(int k)
{
    const std::string kText = std::to_string(k);
    Scenario record;
    record.words = {static_cast<uint16_t>(100 * k), 1, 2, 3};
    record.name = "scen" + kText;
    record.voice = "voice" + kText;
    record.text = "text" + kText;
    record.outcomes[0].goTo = static_cast<uint16_t>(k + 1);
    record.outcomes[3].goTo = 255;
    return record;
}

Campaign withScenarios(int scenarioCount)
{
    Campaign document;
    for (int k = 0; k < scenarioCount; ++k) {
        document.scenarios.push_back(plain(k));
    }
    document.scenarios.back().outcomes[0].goTo = 254;
    document.count = static_cast<uint16_t>(scenarioCount);
    document.description = "camp" + std::to_string(scenarioCount) + ".txt";
    return document;
}

// Every field in use, every word at an edge, every nation's movies.
Campaign full()
{
    Campaign document = withScenarios(50);
    document.prestige = 65535;
    document.victory = "ukwin.smk";
    document.defeat = "ukloss.smk";
    for (Scenario& record : document.scenarios) {
        record.movie = "movie" + record.name.substr(4);
        record.words = {65535, 32768, 255, 256};
        for (Outcome& result : record.outcomes) {
            result.prestige = 999;
            result.voice = "rvoice";
            result.text = "rtext";
            result.movie = "rmovie";
        }
    }
    return document;
}

// Names the editor never writes but a file from elsewhere may hold.
Campaign oddNames()
{
    Campaign document = withScenarios(4);
    document.description = "sixteencharacter.txt";
    Scenario& longest = document.scenarios[0];
    longest.name = "nineteencharacters_";
    longest.movie = "nodotatallinthisname";
    longest.voice = std::string("nul\0inside", 10);
    longest.text = "caf\xE9 \xFF";
    Scenario& dotty = document.scenarios[1];
    dotty.name = "two.dots";
    dotty.movie = "";
    dotty.voice = "";
    dotty.outcomes[1].voice = "x";
    dotty.outcomes[2].movie = ".smk";
    Scenario& looping = document.scenarios[2];
    for (Outcome& result : looping.outcomes) {
        result.goTo = 2;
    }
    Scenario& lost = document.scenarios[3];
    lost.outcomes[1].goTo = 49;
    lost.outcomes[2].goTo = 300;
    lost.outcomes[3].goTo = 65535;
    return document;
}

Campaign nation(const std::string& victoryText, const std::string& defeatText)
{
    Campaign document = withScenarios(1);
    document.victory = victoryText;
    document.defeat = defeatText;
    document.prestige = 1200;
    return document;
}

bool save(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    Campaign tooMany = withScenarios(50);
    tooMany.count = 51;
    const std::vector<std::pair<std::string, std::string>> seeds{
        {"new.cam", campaignBytes(Campaign())},
        {"one.cam", campaignBytes(withScenarios(1))},
        {"full.cam", campaignBytes(full())},
        {"oddnames.cam", campaignBytes(oddNames())},
        {"ussr.cam", campaignBytes(nation("ruwin.smk", "ruloss.smk"))},
        {"usa.cam", campaignBytes(nation("amerwin.smk", "amerloss.smk"))},
        {"unknown-nation.cam", campaignBytes(nation("Germwin.smk", "gerloss"))},
        {"too-many.cam", campaignBytes(tooMany)},
        {"short.cam", campaignBytes(withScenarios(2)).substr(0, 1000)},
    };
    const std::string folder = argv[1];
    for (const auto& [name, bytes] : seeds) {
        if (!save(folder + "/" + name, bytes)) {
            std::fprintf(stderr, "make_seeds: cannot write %s/%s\n", folder.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
