// Loads a library as a host does and looks up every name read from
// standard input; prints each name that does not resolve.
#include <dlfcn.h>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ResolveExports LIBRARY < names\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "exports: %s does not load: %s\n", argv[1], dlerror());
    return 1;
  }
  int missing = 0;
  for (std::string name; std::getline(std::cin, name);) {
    if (name.empty()) continue;
    if (dlsym(library, name.c_str()) == nullptr) {
      std::fprintf(stderr, "exports: %s does not resolve\n", name.c_str());
      ++missing;
    }
  }
  dlclose(library);
  return missing == 0 ? 0 : 1;
}
