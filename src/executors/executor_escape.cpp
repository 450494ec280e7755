// After the take-down: the player must get beyond the escape distance without
// being wanted; reminders repeat every 90 seconds meanwhile.
#include "executors/base_contract_executor.h"

#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/natives.h"
#include "ui/text.h"

namespace drovil {
namespace {
constexpr int reminderIntervalMs = 90000;
} // namespace

void BaseContractExecutor::updateEscaping() {
    const bool wanted = playerWanted();
    // Read every frame, so that the tuning can be changed while a mission runs.
    const float escapeDistance = generalMetaFile().getFloat("contract.escape_distance", -999.0f);
    if (!isPlayerWithin(escapeDistance) && !wanted) {
        forfeitAliveBonus();
        onEscaped();
        setStage(ExecutorStage::Escaped);
        return;
    }
    if (natives::timer::scriptTimer() > reminderIntervalMs) {
        natives::timer::setScriptTimer(0);
        showSubtitle(langText(wanted ? "contract.escape_the_law" : "contract.escape_area"));
    }
}

void BaseContractExecutor::onTargetDown() {
    showSubtitle(langText("contract.escape_area"));
    natives::timer::setScriptTimer(0);
}

void BaseContractExecutor::onEscaped() {}

} // namespace drovil
