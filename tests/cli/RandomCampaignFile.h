#pragma once

#include <cstdint>
#include <string>

// The 31944 bytes of a campaign file the editor opens, laid out from the file
// format alone so that they owe nothing to the writer under test: count
// (0..50) used records, every word 0..65535, name fields of every kind a file
// may hold (any byte but "." before the first dot, a dot as late as the 20th
// byte, no dot at all, all NUL), a nation's movie or none the editor knows,
// and random bytes wherever the reader does not look.
[[nodiscard]] std::string randomCampaignFile(uint32_t seed, int count);
