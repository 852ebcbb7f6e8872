#include "data/clsCampaign.h"

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
std::string FullCampaignBytes()
{
    clsCampaign Campaign;
    Campaign.SetPrestige(1200);
    Campaign.SetNation(1);
    Campaign.SetDescription("campdesc");
    for (int16_t intK = 0; intK < clsCampaign::MaxScenarios; ++intK) {
        clsScenario& Scenario = Campaign.Scenarios(intK);
        const std::string strK = std::to_string(intK);
        Scenario.SetNumber(intK);
        Scenario.SetName("scen" + strK);
        Scenario.SetMovie("movie" + strK);
        Scenario.SetVoice("voice" + strK);
        Scenario.SetText("text" + strK);
        Scenario.SetPrestige(100 * intK);
        for (int16_t intJ = 0; intJ < clsScenario::OutcomeCount; ++intJ) {
            Scenario.SetResultScenario(intJ, intJ == 0 && intK < 49 ? intK + 1 : 254 + intJ % 2);
            Scenario.SetResultPrestige(intJ, 10 * intJ);
            Scenario.SetResultVoice(intJ, "rvoice" + strK);
            Scenario.SetResultText(intJ, "rtext" + strK);
            Scenario.SetResultMovie(intJ, "rmovie" + strK);
        }
    }
    std::ostringstream Stream;
    Campaign.FileWrite(Stream);
    return Stream.str();
}

// Reads from and writes to one fixed buffer, as a save into memory would,
// so the figures show the library rather than string allocation.
class ReadBuffer : public std::streambuf {
public:
    explicit ReadBuffer(std::string& strBytes) : m_pData(strBytes.data()), m_lngSize(strBytes.size()) { Rewind(); }
    void Rewind() { setg(m_pData, m_pData, m_pData + m_lngSize); }

private:
    char* m_pData;
    std::size_t m_lngSize;
};

class WriteBuffer : public std::streambuf {
public:
    explicit WriteBuffer(std::vector<char>& bytes) : m_bytes(bytes) { Rewind(); }
    void Rewind() { setp(m_bytes.data(), m_bytes.data() + m_bytes.size()); }

private:
    std::vector<char>& m_bytes;
};

void BM_CopyFloor(benchmark::State& state)
{
    const std::string strBytes = FullCampaignBytes();
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
    std::string strBytes = FullCampaignBytes();
    ReadBuffer Buffer(strBytes);
    std::istream Stream(&Buffer);
    clsCampaign Campaign;
    for (auto _ : state) {
        Buffer.Rewind();
        Campaign.FileRead(Stream);
        benchmark::DoNotOptimize(Campaign.Scenarios(49).Name().data());
    }
}
BENCHMARK(BM_Read);

void BM_Check(benchmark::State& state)
{
    std::istringstream Input(FullCampaignBytes());
    clsCampaign Campaign;
    Campaign.FileRead(Input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Campaign.Check());
    }
}
BENCHMARK(BM_Check);

void BM_Write(benchmark::State& state)
{
    std::istringstream Input(FullCampaignBytes());
    clsCampaign Campaign;
    Campaign.FileRead(Input);
    std::vector<char> bytes(FileSize);
    WriteBuffer Buffer(bytes);
    std::ostream Stream(&Buffer);
    for (auto _ : state) {
        Buffer.Rewind();
        Campaign.FileWrite(Stream);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Write);

void BM_ReadCheckWrite(benchmark::State& state)
{
    std::string strBytes = FullCampaignBytes();
    ReadBuffer Input(strBytes);
    std::istream InStream(&Input);
    std::vector<char> bytes(FileSize);
    WriteBuffer Output(bytes);
    std::ostream OutStream(&Output);
    clsCampaign Campaign;
    for (auto _ : state) {
        Input.Rewind();
        Output.Rewind();
        Campaign.FileRead(InStream);
        if (Campaign.Check() != 0) {
            state.SkipWithError("the benchmark campaign does not pass the check");
            break;
        }
        Campaign.FileWrite(OutStream);
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
    const std::string strBytes = FullCampaignBytes();
    clsCampaign Campaign;
    for (auto _ : state) {
        std::istringstream Input(strBytes);
        Campaign.FileRead(Input);
        benchmark::DoNotOptimize(Campaign.Check());
        std::ostringstream Output;
        Campaign.FileWrite(Output);
        benchmark::DoNotOptimize(Output.str().size());
    }
}
BENCHMARK(BM_ReadCheckWriteStringStreams);

} // namespace

BENCHMARK_MAIN();
