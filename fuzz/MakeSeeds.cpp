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
    uint16_t intPrestige = 0;
    std::string strVoice;
    std::string strText;
    std::string strMovie;
    uint16_t intGoTo = 254;
};

struct Scenario {
    std::array<uint16_t, 4> intWords{}; // enemy prestige, then the three values kept as they are
    std::string strName;
    std::string strMovie;
    std::string strVoice;
    std::string strText;
    std::array<Outcome, 4> Outcomes;
};

struct Campaign {
    uint16_t intCount = 0; // what the header claims; normally Scenarios.size()
    uint16_t intPrestige = 0;
    std::string strVictory = "germwin.smk";
    std::string strDefeat = "gerloss.smk";
    std::vector<Scenario> Scenarios;
    std::string strDescription = "new.txt";
};

class Bytes {
public:
    void word(uint16_t intN)
    {
        m_strBytes += static_cast<char>(intN & 0xFF);
        m_strBytes += static_cast<char>(intN >> 8);
    }
    // A 20-byte name field: the text as given (extension included), cut or padded with NULs.
    void field(const std::string& strS) { m_strBytes += (strS + std::string(20, '\0')).substr(0, 20); }
    void zeros(std::size_t lngCount) { m_strBytes.append(lngCount, '\0'); }
    [[nodiscard]] const std::string& str() const { return m_strBytes; }

private:
    std::string m_strBytes;
};

std::string withExtension(const std::string& strName, const char* strExtension)
{
    return strName.empty() ? std::string() : strName + strExtension;
}

void writeScenario(const Scenario& Record, Bytes& File)
{
    for (const uint16_t intWord : Record.intWords) {
        File.word(intWord);
    }
    File.field(Record.strName + ".scn");
    File.field(withExtension(Record.strMovie, ".smk"));
    File.field(Record.strVoice + ".mus");
    File.field(Record.strText + ".txt");
    for (const Outcome& Result : Record.Outcomes) {
        File.word(Result.intPrestige);
        File.zeros(20);
        File.field(withExtension(Result.strVoice, ".mus"));
        File.field(withExtension(Result.strText, ".txt"));
        File.field(withExtension(Result.strMovie, ".smk"));
    }
    for (const Outcome& Result : Record.Outcomes) {
        File.word(Result.intGoTo);
        File.zeros(28);
    }
    File.zeros(100);
}

std::string campaignBytes(const Campaign& Document)
{
    Bytes File;
    File.word(Document.intCount);
    File.word(Document.intPrestige);
    File.field(Document.strVictory);
    File.field(Document.strDefeat);
    for (const Scenario& Record : Document.Scenarios) {
        writeScenario(Record, File);
    }
    File.zeros(636 * (50 - Document.Scenarios.size()));
    File.field(Document.strDescription);
    File.zeros(80);
    return File.str();
}

Scenario plain(int intK)
{
    const std::string strK = std::to_string(intK);
    Scenario Record;
    Record.intWords = {static_cast<uint16_t>(100 * intK), 1, 2, 3};
    Record.strName = "scen" + strK;
    Record.strVoice = "voice" + strK;
    Record.strText = "text" + strK;
    Record.Outcomes[0].intGoTo = static_cast<uint16_t>(intK + 1);
    Record.Outcomes[3].intGoTo = 255;
    return Record;
}

Campaign withScenarios(int intCount)
{
    Campaign Document;
    for (int intK = 0; intK < intCount; ++intK) {
        Document.Scenarios.push_back(plain(intK));
    }
    Document.Scenarios.back().Outcomes[0].intGoTo = 254;
    Document.intCount = static_cast<uint16_t>(intCount);
    Document.strDescription = "camp" + std::to_string(intCount) + ".txt";
    return Document;
}

// Every field in use, every word at an edge, every nation's movies.
Campaign full()
{
    Campaign Document = withScenarios(50);
    Document.intPrestige = 65535;
    Document.strVictory = "ukwin.smk";
    Document.strDefeat = "ukloss.smk";
    for (Scenario& Record : Document.Scenarios) {
        Record.strMovie = "movie" + Record.strName.substr(4);
        Record.intWords = {65535, 32768, 255, 256};
        for (Outcome& Result : Record.Outcomes) {
            Result.intPrestige = 999;
            Result.strVoice = "rvoice";
            Result.strText = "rtext";
            Result.strMovie = "rmovie";
        }
    }
    return Document;
}

// Names the editor never writes but a file from elsewhere may hold.
Campaign oddNames()
{
    Campaign Document = withScenarios(4);
    Document.strDescription = "sixteencharacter.txt";
    Scenario& Longest = Document.Scenarios[0];
    Longest.strName = "nineteencharacters_";
    Longest.strMovie = "nodotatallinthisname";
    Longest.strVoice = std::string("nul\0inside", 10);
    Longest.strText = "caf\xE9 \xFF";
    Scenario& Dotty = Document.Scenarios[1];
    Dotty.strName = "two.dots";
    Dotty.strMovie = "";
    Dotty.strVoice = "";
    Dotty.Outcomes[1].strVoice = "x";
    Dotty.Outcomes[2].strMovie = ".smk";
    Scenario& Looping = Document.Scenarios[2];
    for (Outcome& Result : Looping.Outcomes) {
        Result.intGoTo = 2;
    }
    Scenario& Lost = Document.Scenarios[3];
    Lost.Outcomes[1].intGoTo = 49;
    Lost.Outcomes[2].intGoTo = 300;
    Lost.Outcomes[3].intGoTo = 65535;
    return Document;
}

Campaign nation(const std::string& strVictory, const std::string& strDefeat)
{
    Campaign Document = withScenarios(1);
    Document.strVictory = strVictory;
    Document.strDefeat = strDefeat;
    Document.intPrestige = 1200;
    return Document;
}

bool save(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream File(strPath, std::ios::binary | std::ios::trunc);
    File.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    File.close();
    return static_cast<bool>(File);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    Campaign TooMany = withScenarios(50);
    TooMany.intCount = 51;
    const std::vector<std::pair<std::string, std::string>> seeds{
        {"new.cam", campaignBytes(Campaign())},
        {"one.cam", campaignBytes(withScenarios(1))},
        {"full.cam", campaignBytes(full())},
        {"oddnames.cam", campaignBytes(oddNames())},
        {"ussr.cam", campaignBytes(nation("ruwin.smk", "ruloss.smk"))},
        {"usa.cam", campaignBytes(nation("amerwin.smk", "amerloss.smk"))},
        {"unknown-nation.cam", campaignBytes(nation("Germwin.smk", "gerloss"))},
        {"too-many.cam", campaignBytes(TooMany)},
        {"short.cam", campaignBytes(withScenarios(2)).substr(0, 1000)},
    };
    const std::string strFolder = argv[1];
    for (const auto& [strName, strBytes] : seeds) {
        if (!save(strFolder + "/" + strName, strBytes)) {
            std::fprintf(stderr, "make_seeds: cannot write %s/%s\n", strFolder.c_str(), strName.c_str());
            return 1;
        }
    }
    return 0;
}
