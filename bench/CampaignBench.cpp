#include "data/Campaign.h"
#include "data/CampaignPaths.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FileSize = 31944;

// A full campaign with every name field in use, so no field takes a
// shortcut: the heaviest file the editor can meet.
std::string fullCampaignBytes()
{
    Campaign campaign;
    campaign.setPrestige(1200);
    campaign.setNation(1);
    campaign.setDescription("campdesc");
    for (int16_t k = 0; k < Campaign::MaxScenarios; ++k) {
        Scenario& scenario = campaign.scenarios(k);
        const std::string kText = std::to_string(k);
        scenario.setNumber(k);
        scenario.setName("scen" + kText);
        scenario.setMovie("movie" + kText);
        scenario.setVoice("voice" + kText);
        scenario.setText("text" + kText);
        scenario.setPrestige(100 * k);
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            scenario.setResultScenario(j, j == 0 && k < 49 ? k + 1 : 254 + j % 2);
            scenario.setResultPrestige(j, 10 * j);
            scenario.setResultVoice(j, "rvoice" + kText);
            scenario.setResultText(j, "rtext" + kText);
            scenario.setResultMovie(j, "rmovie" + kText);
        }
    }
    std::ostringstream stream;
    campaign.fileWrite(stream);
    return stream.str();
}

// Reads from and writes to one fixed buffer, as a save into memory would,
// so the figures show the library rather than string allocation.
class ReadBuffer : public std::streambuf {
public:
    explicit ReadBuffer(std::string& bytes) : m_data(bytes.data()), m_size(bytes.size()) { rewind(); }
    void rewind() { setg(m_data, m_data, m_data + m_size); }

private:
    char* m_data;
    std::size_t m_size;
};

class WriteBuffer : public std::streambuf {
public:
    explicit WriteBuffer(std::vector<char>& bytes) : m_bytes(bytes) { rewind(); }
    void rewind() { setp(m_bytes.data(), m_bytes.data() + m_bytes.size()); }

private:
    std::vector<char>& m_bytes;
};

void BM_CopyFloor(benchmark::State& state)
{
    const std::string bytes = fullCampaignBytes();
    std::vector<char> target(FileSize);
    for (auto _ : state) {
        std::memcpy(target.data(), bytes.data(), FileSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(FileSize));
}
BENCHMARK(BM_CopyFloor);

void BM_Read(benchmark::State& state)
{
    std::string bytes = fullCampaignBytes();
    ReadBuffer buffer(bytes);
    std::istream stream(&buffer);
    Campaign campaign;
    for (auto _ : state) {
        buffer.rewind();
        campaign.fileRead(stream);
        benchmark::DoNotOptimize(campaign.scenarios(49).name().data());
    }
}
BENCHMARK(BM_Read);

void BM_Check(benchmark::State& state)
{
    std::istringstream input(fullCampaignBytes());
    Campaign campaign;
    campaign.fileRead(input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(campaign.check());
    }
}
BENCHMARK(BM_Check);

// The balance walk of a full campaign: as written (one chain, the other
// outcomes ending it), and with every outcome leading on, or back to the
// start from the last scenario, the densest a campaign gets.
void BM_Paths(benchmark::State& state)
{
    std::istringstream input(fullCampaignBytes());
    Campaign campaign;
    campaign.fileRead(input);
    for (int16_t k = 0; state.range(0) > 0 && k < Campaign::MaxScenarios; ++k) {
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            campaign.scenarios(k).setResultScenario(j, k < 49 ? k + 1 : j < 2 ? 0 : 254);
        }
    }
    for (auto _ : state) {
        const CampaignPaths paths(campaign);
        benchmark::DoNotOptimize(paths.victory().fewestBattles);
    }
}
BENCHMARK(BM_Paths)->Arg(0)->Arg(1);

void BM_Write(benchmark::State& state)
{
    std::istringstream input(fullCampaignBytes());
    Campaign campaign;
    campaign.fileRead(input);
    std::vector<char> bytes(FileSize);
    WriteBuffer buffer(bytes);
    std::ostream stream(&buffer);
    for (auto _ : state) {
        buffer.rewind();
        campaign.fileWrite(stream);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Write);

void BM_ReadCheckWrite(benchmark::State& state)
{
    std::string bytesText = fullCampaignBytes();
    ReadBuffer input(bytesText);
    std::istream inStream(&input);
    std::vector<char> bytes(FileSize);
    WriteBuffer output(bytes);
    std::ostream outStream(&output);
    Campaign campaign;
    for (auto _ : state) {
        input.rewind();
        output.rewind();
        campaign.fileRead(inStream);
        if (campaign.check() != 0) {
            state.SkipWithError("the benchmark campaign does not pass the check");
            break;
        }
        campaign.fileWrite(outStream);
        benchmark::ClobberMemory();
    }
    if (std::memcmp(bytes.data(), bytesText.data(), FileSize) != 0) {
        state.SkipWithError("the campaign was not written back unchanged");
    }
}
BENCHMARK(BM_ReadCheckWrite);

// The same cycle through the standard string streams, as a caller without a
// reusable buffer would write it: a fresh stream and string every time.
void BM_ReadCheckWriteStringStreams(benchmark::State& state)
{
    const std::string bytes = fullCampaignBytes();
    Campaign campaign;
    for (auto _ : state) {
        std::istringstream input(bytes);
        campaign.fileRead(input);
        benchmark::DoNotOptimize(campaign.check());
        std::ostringstream output;
        campaign.fileWrite(output);
        benchmark::DoNotOptimize(output.str().size());
    }
}
BENCHMARK(BM_ReadCheckWriteStringStreams);

} // namespace

BENCHMARK_MAIN();
