#pragma once
// Reads the demo sources (data/demo, see its FORMAT.md) into rows and checks
// the data invariant: a regulation's ID_ZAKONA is its publication entry's
// ID_BROJA; gazettes and areas are numbered 1..n in order, types 0..n with
// "Sve" first; archive chains agree in both directions; every reference
// names an existing row.
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo/model.h"

namespace demo {

// Every problem found, each "file:line: problem" (file relative to the
// source folder).
class SourceErrors : public std::runtime_error {
  public:
    explicit SourceErrors(std::vector<std::string> problems);
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    std::vector<std::string> problems_;
};

// A folder without any source files gives empty data.
DemoData loadSources(const std::filesystem::path& dir);

// The 0-based position of each opinion in "drugi" order (ascending ministry,
// ties by number), by opinion number.
std::map<long long, int> opinionPositions(const std::vector<Opinion>& opinions);

}  // namespace demo
