// Small helpers of the user-interface tests.
#pragma once

#include <cstdio>
#include <string>

// UTF-8 text as the bytes the console writes and the log holds.
inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Everything written to `file` so far.
inline std::string ReadAll(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}
