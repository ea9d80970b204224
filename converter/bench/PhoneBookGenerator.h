// Generated phone books for the benchmark: Japanese names, addresses and
// telephones in CP932, in the form read mode writes them, so that a round
// trip through ContactXML must give the same bytes back.
#pragma once

#include <cstdint>
#include <ostream>

namespace vext::bench {

// Writes `entries` lines; the same count and seed give the same bytes.
// About seven in ten are personal entries (a few with an organisation,
// which then read back as a personal and a company line: those are left
// out so the round trip stays exact), the rest company entries.
void GeneratePhoneBook(std::ostream& out, std::uint64_t entries, std::uint64_t seed = 1);

}  // namespace vext::bench
