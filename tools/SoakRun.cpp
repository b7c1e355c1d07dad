#include "SoakRun.h"

#include "link/PtyRadio.h"
#include "link/QtSerialLink.h"

#include <memory>

namespace velmora::soak {

RunRecord RunOnce(const RunPlan& plan, bool paced) {
    RunRecord record;
    PtyRadioOptions options;
    options.paced = paced;
    options.behaviour = plan.behaviour;
    std::string error;
    std::unique_ptr<PtyRadio> radio = PtyRadio::Create(plan.radio, options, error);
    if (!radio) {
        record.problems.push_back("no virtual radio: " + error);
        return record;
    }
    radio->Start();

    PlannedUser user(plan.retries);
    MemoryImage document = plan.document;
    const auto start = std::chrono::steady_clock::now();
    TransferResult result;
    {
        QtSerialLink link;
        result = RunTransfer(link, radio->DevicePath(), plan.direction, document, user);
    }
    record.took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    // The radio's thread stops before its memory is looked at, and the pseudo-terminal goes
    // with it: nothing of this run is left open for the next.
    radio->Stop();
    record.ending = Observed(result, user, document, radio->Memory());
    radio.reset();
    if (user.prompts != result.prompts) {
        record.problems.push_back("the engine counts " + std::to_string(result.prompts) +
                                  " prompts, the user saw " + std::to_string(user.prompts));
    }
    return record;
}

} // namespace velmora::soak
