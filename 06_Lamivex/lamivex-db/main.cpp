// lamivex-db: builds, fills and checks the spectral databases of lamivex.
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return lamivexdb::RunLamivexDb(args, std::cout, std::cerr);
}
