// check-literals PATH...: exit 0 when every non-ASCII narrow literal under
// PATH is a _sj literal; 1 when some is not; 2 when nothing could be checked.
#include <iostream>

#include "LiteralScanner.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: check-literals PATH...\n";
    return 2;
  }
  const std::vector<std::filesystem::path> paths(argv + 1, argv + argc);
  const auto result = vext::literals::CheckPaths(paths, std::cout, std::cerr);
  std::cout << "check-literals: " << result.filesScanned << " file(s) scanned, " << result.findings
            << " literal(s) to fix\n";
  if (result.errors > 0 || result.filesScanned == 0) return 2;
  return result.findings > 0 ? 1 : 0;
}
