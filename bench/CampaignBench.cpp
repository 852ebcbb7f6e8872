#include "data/Campaign.h"

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
    for (int16_t intK = 0; intK < Campaign::MaxScenarios; ++intK) {
        Scenario& scenario = campaign.scenarios(intK);
        const std::string strK = std::to_string(intK);
        scenario.setNumber(intK);
        scenario.setName("scen" + strK);
        scenario.setMovie("movie" + strK);
        scenario.setVoice("voice" + strK);
        scenario.setText("text" + strK);
        scenario.setPrestige(100 * intK);
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            scenario.setResultScenario(intJ, intJ == 0 && intK < 49 ? intK + 1 : 254 + intJ % 2);
            scenario.setResultPrestige(intJ, 10 * intJ);
            scenario.setResultVoice(intJ, "rvoice" + strK);
            scenario.setResultText(intJ, "rtext" + strK);
            scenario.setResultMovie(intJ, "rmovie" + strK);
        }
    }
    std::ostringstream Stream;
    campaign.fileWrite(Stream);
    return Stream.str();
}

// Reads from and writes to one fixed buffer, as a save into memory would,
// so the figures show the library rather than string allocation.
class ReadBuffer : public std::streambuf {
public:
    explicit ReadBuffer(std::string& strBytes) : m_pData(strBytes.data()), m_lngSize(strBytes.size()) { rewind(); }
    void rewind() { setg(m_pData, m_pData, m_pData + m_lngSize); }

private:
    char* m_pData;
    std::size_t m_lngSize;
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
    const std::string strBytes = fullCampaignBytes();
    std::vector<char> target(FileSize);
    for (auto _ : state) {
        std::memcpy(target.data(), strBytes.data(), FileSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(FileSize));
}
BENCHMARK(BM_CopyFloor);

void BM_Read(benchmark::State& state)
{
    std::string strBytes = fullCampaignBytes();
    ReadBuffer Buffer(strBytes);
    std::istream Stream(&Buffer);
    Campaign campaign;
    for (auto _ : state) {
        Buffer.rewind();
        campaign.fileRead(Stream);
        benchmark::DoNotOptimize(campaign.scenarios(49).name().data());
    }
}
BENCHMARK(BM_Read);

void BM_Check(benchmark::State& state)
{
    std::istringstream Input(fullCampaignBytes());
    Campaign campaign;
    campaign.fileRead(Input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(campaign.check());
    }
}
BENCHMARK(BM_Check);

void BM_Write(benchmark::State& state)
{
    std::istringstream Input(fullCampaignBytes());
    Campaign campaign;
    campaign.fileRead(Input);
    std::vector<char> bytes(FileSize);
    WriteBuffer Buffer(bytes);
    std::ostream Stream(&Buffer);
    for (auto _ : state) {
        Buffer.rewind();
        campaign.fileWrite(Stream);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Write);

void BM_ReadCheckWrite(benchmark::State& state)
{
    std::string strBytes = fullCampaignBytes();
    ReadBuffer Input(strBytes);
    std::istream InStream(&Input);
    std::vector<char> bytes(FileSize);
    WriteBuffer Output(bytes);
    std::ostream OutStream(&Output);
    Campaign campaign;
    for (auto _ : state) {
        Input.rewind();
        Output.rewind();
        campaign.fileRead(InStream);
        if (campaign.check() != 0) {
            state.SkipWithError("the benchmark campaign does not pass the check");
            break;
        }
        campaign.fileWrite(OutStream);
        benchmark::ClobberMemory();
    }
    if (std::memcmp(bytes.data(), strBytes.data(), FileSize) != 0) {
        state.SkipWithError("the campaign was not written back unchanged");
    }
}
BENCHMARK(BM_ReadCheckWrite);

// The same cycle through the standard string streams, as a caller without a
// reusable buffer would write it: a fresh stream and string every time.
void BM_ReadCheckWriteStringStreams(benchmark::State& state)
{
    const std::string strBytes = fullCampaignBytes();
    Campaign campaign;
    for (auto _ : state) {
        std::istringstream Input(strBytes);
        campaign.fileRead(Input);
        benchmark::DoNotOptimize(campaign.check());
        std::ostringstream Output;
        campaign.fileWrite(Output);
        benchmark::DoNotOptimize(Output.str().size());
    }
}
BENCHMARK(BM_ReadCheckWriteStringStreams);

} // namespace

BENCHMARK_MAIN();
