#pragma once
// A contract on a target drinking in a town saloon with its guards. Inside, a
// face is made out only up close (5 m, unless the debug tools are on). The
// player may pay one of the saloon's working girls five dollars to lure the
// target out to a quiet spot, where he turns on her; or wait: three minutes
// after the player reached the saloon, the target leaves on his own and
// wanders the town. Being in town, every guard is disarmed (see addGuard).
#include "behaviour/prostitute_lure_task.h"
#include "executors/base_contract_executor.h"
#include "ui/prompt.h"

#include <array>
#include <memory>

namespace drovil {

class SaloonExecutor : public BaseContractExecutor {
public:
    // What the target does, as far as the executor is concerned.
    enum SaloonState : int { Left = -1, Drinking = 0, Lured = 2 };

    explicit SaloonExecutor(MissionData* mission);

    // The base's clean-up, then the lure prompt is taken out of the game, a
    // lure still running is ended and the debug tools' blips come off.
    void cleanup() override;
    void createMissionSet() override;
    void onUpdate() override;
    // The base's, then the saloon's clock starts: the target leaves three
    // minutes after the player reached the saloon.
    void onTrackingStarted() override;

    int getSaloonState() const { return saloonState; }
    const Prompt* getLurePrompt() const { return lurePrompt.get(); }
    const ProstituteLureTask* getLureTask() const { return lureTask.get(); }

private:
    // Down, fighting the player or running off: the target is left alone.
    bool targetIsTaken() const;
    bool targetIsHostage() const;
    void leaveSaloon();
    // The target is taken (down, fighting the player, running off) / held hostage.
    void keepDrinking(bool targetTaken, bool targetHostage);
    // The target is taken or held hostage: no lure.
    void checkLure(bool targetUnavailable);
    // The lure prompt for the working girl p, whose step is 1.
    void offerLure(Ped girl);
    void startLure(Ped girl);
    bool isWorkingGirl(Ped ped);

    int saloonState = Drinking;
    std::unique_ptr<Prompt> lurePrompt;
    std::unique_ptr<ProstituteLureTask> lureTask;

    // The working girls' models, looked up once.
    std::array<Hash, 8> girlModels{};
    bool girlModelsKnown = false;
    // The too-far help was shown for the girl the prompt is on now.
    bool tooFarShown = false;
    // The lure hint was asked for by this executor (it builds the hint's name).
    bool lureHinted = false;
    Blip debugBlip;
    Blip roadBlip;
    Blip lureBlip;
};

} // namespace drovil
