// One transfer of the soak over the real serial layer: a virtual radio of its own on a fresh
// pseudo-terminal, the port adapter the programs use, and the same engine, driven the way the
// command-line tool drives it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "SoakPlan.h"

namespace velmora::soak {

struct RunRecord {
    Ending ending;                     // how it ended
    std::chrono::milliseconds took{0}; // the transfer alone, port open to port closed
    std::vector<std::string> problems; // what the run itself could not do
};

RunRecord RunOnce(const RunPlan& plan, bool paced);

} // namespace velmora::soak
