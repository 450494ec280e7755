#include "reference_catalogue.h"

#include "ui/contract_texts.h"
#include "ui/help_text.h"
#include "ui/toast.h"

#include <cctype>
#include <cstring>

namespace drovil::check {

namespace {
// Money as the game writes it; the longest is the most a reward can reach.
constexpr const char* money = "the amount as the game writes money (\"$55.00\")";
constexpr const char* longestMoney = "$99,999.99";
} // namespace

const std::vector<LangEntry>& langCatalogue() {
    using P = TextPlace;
    static const auto* entries = new std::vector<LangEntry>{
        {"plugin.name", P::NotShown, "The mod's name; this version shows it nowhere.", nullptr, "", false},

        // The quest offer.
        {"blips.contract_offer", P::MapBlip, "The blip on a passer-by who offers a contract.", nullptr, "",
         false},
        {"prompts.quest_giver.accept", P::Prompt,
         "Beside the passer-by offering a contract (INPUT_CONTEXT_X): takes the contract.", nullptr, "",
         false},
        {"prompts.quest_giver.decline", P::Prompt,
         "Beside the passer-by offering a contract (INPUT_CONTEXT_B): turns it down.", nullptr, "", false},
        {"tutorial.quest_giver", P::HelpBox, "A passer-by offers a contract (tutorial, not forced).", nullptr,
         "", true},

        // Accepting and finishing a contract.
        {"toast.generic_title", P::Toast, "Title of the toast when a contract is accepted.", nullptr, "",
         false},
        {"toast.contract_accepted", P::Toast, "Body of the toast when a contract is accepted.", nullptr, "",
         false},
        {"toast.contract_completed", P::Toast, "Title of the toast when a contract is completed.", nullptr,
         "", false},
        {"toast.contract_completed.body", P::Toast,
         "Body of the toast when a contract is completed: the reward added to the pending payment.", money,
         longestMoney, false},

        // The contract card.
        {"contract_modal.target_description.0.0", P::Card,
         "Who the target is, for a gang member (template 0, variant 0).", "the name of the area's gang",
         "Skinner Brothers", true},
        {"contract_modal.target_description.<template>.<variant>", P::Card,
         "Who the target is, for template <template>, variant <variant>.", nullptr, "", true},
        {"contract_modal.target_whereabouts.<setting>", P::Card,
         "Where to find the target, for setting <setting>.",
         "the town's name; for a camp or a hunter's camp the region the scene lies in", "Scarlett Meadows",
         true},
        {"contract_modal.dead_or_alive", P::Card,
         "Under where to find the target, with AliveBounties=1: the contract is dead or alive (the big "
         "reward below is the dead target's).",
         "the reward of the target brought in alive, bounty and alive bonus, as the game writes money "
         "(\"$82.00\")",
         longestMoney, true},
        {"tutorial.contract_info.flip", P::HelpBox, "The contract card is taken out (tutorial, not forced).",
         nullptr, "", true},

        // Running a contract.
        {"tutorial.contract_info", P::HelpBox,
         "The player reaches a contract's search area and the hunt begins (tutorial, not forced).", nullptr,
         "", true},
        {"contract.track_target", P::Subtitle,
         "The player reaches a contract's search area and the hunt begins.", nullptr, "", false},
        {"tutorial.blocked_contract", P::HelpBox,
         "The player comes near a contract on hold, once per contract (tutorial, forced).", nullptr, "",
         true},
        {"blips.contact_target", P::MapBlip,
         "The recognised target's blip, and his name when the player aims at him.", nullptr, "", false},
        {"tutorial.target_recognized", P::HelpBox, "The target is recognised (tutorial, not forced).",
         nullptr, "", true},
        {"tutorial.target_recognized.dead_or_alive", P::HelpBox,
         "The target is recognised, with AliveBounties=1 (tutorial, not forced); in place of "
         "tutorial.target_recognized.",
         nullptr, "", true},
        {"contract.target_too_far_warning", P::Subtitle,
         "The player strays beyond two thirds of the mission area's radius from the target.", nullptr, "",
         false},
        {"contract.target_lost", P::Subtitle,
         "The player left the target beyond the mission area's radius: the contract fails.", nullptr, "",
         false},
        {"tutorial.target_knocked_out", P::HelpBox,
         "The target is knocked out rather than dead, once per target (tutorial, forced).", nullptr, "",
         true},
        {"tutorial.target_knocked_out.dead_or_alive", P::HelpBox,
         "With AliveBounties=1 and Hints=1: the target is knocked out or lassoed, alive, once per target "
         "(tutorial, forced); he may be finished or hogtied and brought to the sheriff.",
         nullptr, "", true},

        // Dead or alive: the target hogtied and brought to the sheriff (AliveBounties=1).
        {"contract.alive.deliver", P::Subtitle,
         "The target has been hogtied: the sheriff's office of the contract's area is marked with a route.",
         nullptr, "", false},
        {"blips.sheriff_office", P::MapBlip,
         "The sheriff's office of the contract's area, while the hogtied target is to be brought there.",
         nullptr, "", false},
        {"prompts.hand_over_target", P::Prompt,
         "At the sheriff's office, on foot with the hogtied target within reach and not wanted; held "
         "(INPUT_INTERACT_OPTION1) to hand him over: a lawman comes out and takes him in.",
         nullptr, "", false},
        {"contract.alive.lose_the_law", P::Subtitle,
         "At the sheriff's office with the hogtied target while wanted: the prompt is not offered.", nullptr,
         "", false},
        {"contract.alive.broke_free", P::Subtitle,
         "The hogtied target got loose (he struggled free, or his men cut him loose): the hunt is on again.",
         nullptr, "", false},
        {"toast.contract_completed.alive", P::Toast,
         "Title of the toast when a contract is completed with the target handed to the sheriff alive.",
         nullptr, "", false},
        {"toast.contract_completed.alive.body", P::Toast,
         "Body of that toast: the reward, bounty and alive bonus, added to the pending payment.", money,
         longestMoney, false},
        {"contract.escape_area", P::Subtitle,
         "The target is down; again every 90 seconds while the player is within the escape distance.",
         nullptr, "", false},
        {"contract.escape_the_law", P::Subtitle,
         "Every 90 seconds after the take-down while the player is wanted by the law.", nullptr, "", false},

        // Hostages.
        {"prompts.threaten", P::Prompt,
         "Aiming at a ped that may be taken hostage, with Hostages=1 (INPUT_CONTEXT_Y).", nullptr, "", false},
        {"tutorial.hostage.initiaite", P::HelpBox,
         "The threaten prompt is first offered, with Hints=1 (tutorial, not forced).", nullptr, "", true},
        {"tutorial.hostage.shove", P::HelpBox, "A ped is taken hostage (tutorial, not forced).", nullptr, "",
         true},

        // Setting hints: once per contract, with Hints=1.
        {"prompts.saloon.prostitute_lure", P::Prompt,
         "Saloon contract: beside a working girl the player has greeted (INPUT_CONTEXT_X); pays her $5.00.",
         nullptr, "", false},
        {"tutorial.hints.saloon.prostitute_lure", P::HelpBox,
         "Saloon contract: a working girl stands near the target (hint, once per contract, with Hints=1).",
         nullptr, "", true},
        {"tutorial.prostitute.too_far", P::HelpBox,
         "Saloon contract: the player is more than 6 m from the working girl he would pay (tutorial, not "
         "forced).",
         nullptr, "", true},
        {"tutorial.hints.transported_prisoner.steal_prison_wagon", P::HelpBox,
         "Prisoner transport: the player is near the prison wagon (hint, once per contract, with Hints=1).",
         nullptr, "", true},
        {"tutorial.hints.transported_prisoner.distract_guard", P::HelpBox,
         "Prisoner transport: the jail guard walks the prisoner to the wagon (hint, once per contract, with "
         "Hints=1).",
         nullptr, "", true},
        {"contract.transported_prisoner.drive_to_police_station", P::HelpBox,
         "Prisoner transport: the player first takes the prison wagon's driver's seat (5 seconds, once per "
         "contract).",
         nullptr, "", false},
        {"contract.transported_prisoner.wait_for_target", P::Subtitle,
         "Prisoner transport: the player has pulled the prison wagon up at the sheriff's office.", nullptr, "",
         false},

        // The reward.
        {"payments.reminder_text", P::HelpBox,
         "For 10 seconds when the player comes to a train station with a reward waiting.", money,
         longestMoney, false, 250},
        {"prompts.receive_payment", P::Prompt,
         "Aiming at a station's ticket clerk with a reward waiting; held (INPUT_NEXT_CAMERA) to collect it.",
         nullptr, "", false},

        // The contract menu.
        {"prompts.drovil_menu", P::Prompt,
         "At a place that offers the contract menu (INPUT_FRONTEND_LB): opens it.", nullptr, "", false},
        {"prompts.drovil_menu.close", P::Prompt, "In the open contract menu (INPUT_CONTEXT_B): closes it.",
         nullptr, "", false},
        {"prompts.drovil_menu.view", P::Prompt,
         "In the open contract menu (INPUT_FRONTEND_ACCEPT): shows the selected contract's card.", nullptr,
         "", false},
        {"prompts.drovil_menu.abort", P::Prompt,
         "In the open contract menu (INPUT_FRONTEND_DELETE): abandons the selected contract.", nullptr, "",
         false},
        {"menu.title", P::Menu, "The contract menu's heading, while it is open.", nullptr, "", false},
        {"menu.pending_payment", P::Menu,
         "Under the contract menu's heading: the rewards waiting at the station clerks.",
         "the pending rewards in whole dollars, digits only (\"%d\")", "21474836", false, 149},
        {"menu.empty", P::Menu, "In the open contract menu when no contract is in play.", nullptr, "", true},
    };
    return *entries;
}

const std::vector<TuningEntry>& tuningCatalogue() {
    using F = TuningFile;
    static const auto* entries = new std::vector<TuningEntry>{
        // GeneralMeta.dat: contracts.
        {F::GeneralMeta, "contract.auto_detect.distance_threshold", false, "metres",
         "0 up to the aiming distance",
         "-999: the target is never recognised by looking at him, only through the sights",
         "Once the player has had the target in clear view within the aiming distance, looking at him from "
         "within "
         "this distance recognises him, after 1.5 seconds per metre (at least 3 seconds)."},
        {F::GeneralMeta, "contract.auto_detect.aiming_distance_threshold", false, "metres", "10 to 100",
         "-999: the target is never recognised (he is neither seen nor aimed at close enough); he can still "
         "be "
         "brought down and the contract completed",
         "Aiming at the target from within this distance recognises him after the required seconds; within "
         "it a "
         "clear view also marks him as seen for the distance above."},
        {F::GeneralMeta, "contract.auto_detect.required_seconds", false, "seconds", "0 to 10",
         "-999: aiming at the target within the aiming distance recognises him at once",
         "How long the player must keep the target in his sights to recognise him."},
        {F::GeneralMeta, "contract.escape_distance", false, "metres",
         "more than the mission area's radius makes no sense (leaving the target that far fails the contract "
         "before)",
         "-999: the contract completes as soon as the target is down and the player is not wanted",
         "After the take-down the player must get farther than this from the target, without being wanted, "
         "to "
         "complete the contract. Read every frame: a change counts at once."},
        {F::GeneralMeta, "contract.distance_bonus.threshold", false, "metres from the map's origin",
         "0 to 6000", "-999: every area pays the distance bonus",
         "Areas whose town lies at least this far from the map's origin (0, 0) add the distance bonus to "
         "their "
         "bounties."},
        {F::GeneralMeta, "contract.distance_bonus.factor", false, "fraction of the bounty", "0 to 1",
         "0: no distance bonus", "The distance bonus: 0.1 adds 10% to the bounty of a far area's contract."},
        {F::GeneralMeta, "contract.player_bounty_factor", false,
         "fraction of the bounty per $10 on the player's head", "0 to 0.1",
         "-999: as soon as the player is wanted with a bounty, new contracts pay less than nothing; keep the "
         "key",
         "New contracts pay more while the player has a bounty on his own head: the bounty is multiplied by "
         "1 + "
         "this factor times the player's bounty in dollars / 10 (0.02 and a $50 bounty: 10% more)."},
        {F::GeneralMeta, "contract.alive.bonus_share", false, "fraction of the bounty", "0 to 2",
         "-999: no alive bonus (a target brought in alive pays the bounty only)",
         "With AliveBounties=1, new contracts pay this share of the bounty on top when the target is brought "
         "in alive (0.5 and a $55 bounty: $28 more), written into the mission's bonusesReward when it is "
         "made; a target brought down dead forfeits it."},
        {F::GeneralMeta, "contract.alive.handover_distance", false, "metres from the sheriff's office",
         "2 to 15", "-999: the hogtied target can never be handed over",
         "How near the office the player must stand to be offered the hand-over prompt."},
        {F::GeneralMeta, "contract.alive.target_reach", false, "metres from the player", "1 to 6",
         "-999: the hogtied target can never be handed over",
         "How near the player the hogtied target must be (on his shoulder, across his horse or on the "
         "ground) for the hand-over."},
        {F::GeneralMeta, "contract.alive.take_in_seconds", true, "seconds", "10 to 120",
         "45 seconds",
         "After the hand-over prompt, the lawman has this long to carry the target into the office; then he "
         "is in all the same."},
        {F::GeneralMeta, "contract.alive.rescue_distance", false, "metres from the hogtied target", "0 to 200",
         "-999: his men never come to free him",
         "The target's men within this distance of him while he lies hogtied fight the player, and the "
         "nearest of them goes to cut him loose."},
        {F::GeneralMeta, "quest_offer.game_hours_between_encounters", true, "game hours", "1 to 24",
         "-999: offers follow each other without a pause",
         "The pause after an offer (taken, turned down or missed) before a passer-by offers the next "
         "contract."},

        // AI.dat: the guards of camps.
        {F::AI, "guard.sight_range", true, "metres", "10 to 150",
         "-999: guards see only as far as guard.min_sight_range",
         "How far a guard sees the player by day, standing, in clear and still weather, without cover. The "
         "factors below shorten it; foliage cover around the player shortens it too."},
        {F::AI, "guard.min_sight_range", false, "metres", "0 up to guard.sight_range",
         "-999: no lower bound, so the factors may bring the range to nothing",
         "However crouched, dark, wet, windy or covered, a guard still sees the player within this "
         "distance."},
        {F::AI, "guard.crouch_sight_impact", false, "factor", "0 to 1",
         "-999: guards see a crouching player only within guard.min_sight_range",
         "The sight range is multiplied by this while the player crouches."},
        {F::AI, "guard.night_sight_impact", false, "factor", "0 to 1",
         "-999: at night guards see only within guard.min_sight_range",
         "The sight range is multiplied by this at night (from 21:00 to 05:59)."},
        {F::AI, "guard.rain_sight_impact", false, "factor per rain level (0 to 1)", "0 to 1",
         "-999: the sight range grows a thousandfold in rain",
         "The sight range is multiplied by 1 - this × the rain level: 0.4 in a downpour leaves 60%."},
        {F::AI, "guard.wind_sight_impact", false, "factor per 100 units of the game's wind speed", "0 to 1",
         "-999: the sight range grows with the wind",
         "The sight range is multiplied by 1 - this × the wind speed / 100 (the wind speed counted up to "
         "100)."},
        {F::AI, "guard.hearing_range", true, "metres", "5 to 100",
         "-999: guards hear only within guard.min_hearing_range",
         "How far a guard hears in still weather: the player's noise and shots fired beyond it go unheard "
         "(a bullet passing close is always noticed)."},
        {F::AI, "guard.min_hearing_range", false, "metres", "0 up to guard.hearing_range",
         "-999: no lower bound, so the wind may bring the range to nothing",
         "However windy, a guard still hears within this distance."},
        {F::AI, "guard.wind_hearing_impact", false, "factor per 100 units of the game's wind speed", "0 to 1",
         "-999: the hearing range grows with the wind",
         "The hearing range is multiplied by 1 - this × the wind speed / 100."},
        {F::AI, "guard.noise_range", true, "metres", "1 to 50", "12 metres",
         "A noise reported to a guard (a distraction) draws him to look only within this distance."},
        {F::AI, "guard.safe_distance", true, "metres", "0 to 100", "-999: guards never listen for the player",
         "Beyond this distance a guard does not listen for the player's own noise at all."},
        {F::AI, "guard.noise_distance_multiplier", false, "metres per unit of the player's noise level",
         "0 to 10", "-999: guards never hear the player's own noise",
         "The player's noise level (the game's: running, riding and shooting are loud, crouching quiet) "
         "times "
         "this is how far the noise carries; a guard within that reach, the hearing range and the safe "
         "distance "
         "goes to look."},
        {F::AI, "guard.sensitive_safe_distance", true, "metres", "any", "nothing changes",
         "Reserved: this version reads it nowhere."},
    };
    return *entries;
}

const std::vector<SettingEntry>& settingCatalogue() {
    static const auto* entries = new std::vector<SettingEntry>{
        {"Hostages",
         "1: the player may threaten peds that contracts mark as eligible and take one hostage. 0: no "
         "threaten prompt, no hostages."},
        {"EagleEyeTracksForTarget", "1: the contract target's tracks show in Eagle Eye. 0: they do not."},
        {"TargetRecognition", "1: the target must be recognised (seen up close or aimed at) before he gets "
                              "his blip and his name. 0: "
                              "he is never marked; bringing him down still completes the contract."},
        {"PricesScale", "Multiplies the rewards the station clerk pays out, kept within 0.1 to 10."},
        {"HonorEffects",
         "1: killing or sparing contract peds affects the player's honour as the game decides. 0: "
         "it never does (criminal targets and their guards never do anyway)."},
        {"Hints",
         "1: per-contract hints, the first hostage tutorial and, in dead or alive contracts, the knocked-out "
         "target's tutorial are shown. 0: they are not (the other tutorials still are)."},
        {"QuickContractCardAccess",
         "1: while hunting a contract's target, holding INPUT_CINEMATIC_CAM for half a second takes out its "
         "card "
         "(the game's cinematic camera key is then taken). 0: the key keeps its game use."},
        {"AliveBounties",
         "1 (shipped): contracts are dead or alive: a target knocked out or lassoed may be hogtied and "
         "handed to the sheriff of the contract's area for the bounty and an alive bonus "
         "(contract.alive.bonus_share); a dead target pays the bounty as before. 0 or absent: dead-only "
         "contracts, as in earlier versions."},
        {"DevTools",
         "1: F2 switches the debug tools on and off (for modders and testers; tutorials are then not "
         "remembered). 0 or absent: off."},
        {"DisableGrizzlies",
         "1: Valentine's camp contracts stay out of the Grizzlies. 0 or absent: camps there "
         "are used too."},
    };
    return *entries;
}

const std::vector<ScriptEventEntry>& scriptEventCatalogue() {
    static const auto* entries = new std::vector<ScriptEventEntry>{
        {"DROVIL_START_MISSION", "received",
         "map area id (the zone hash of the area's town); template id 0 to 5; bounty in dollars (0 or less "
         "keeps "
         "the generated bounty)",
         "Starts an external contract with the id 0, never saved. Refused (and logged) while another "
         "contract is "
         "open or engaged, while an external one runs, or for an unknown area or template."},
        {"DROVIL_ABORT_MISSION", "received", "mission id",
         "Ends the contract in play with that id as failed: no reward; DROVIL_MISSION_FINISHED follows with "
         "status 4. The contract menu's abandon prompt sends it too."},
        {"DROVIL_MISSION_FINISHED", "sent", "mission id; map area id; final status (2 completed, 4 failed)",
         "Sent once when a contract ends, after its reward (if completed) is added and its area's slot "
         "cleared."},
        {"DOG_COMPANION_SET_TRACKABLE_TARGET", "sent", "the target ped's handle",
         "Sent once per contract when the player comes within 150 m of a target outside town, for other "
         "scripts that want to track him (a companion dog's, say). None of the game's own scripts sends or "
         "handles it."},
    };
    return *entries;
}

const std::vector<DecoratorEntry>& decoratorCatalogue() {
    static const auto* entries = new std::vector<DecoratorEntry>{
        {"KV_Drovil_isContractTarget", DecoratorOwner::Registered, "contract targets",
         "1 on the target of a contract."},
        {"KV_Drovil_discoveredBody", DecoratorOwner::Registered, "dead bodies near camp guards",
         "1 once a guard has found the body (no guard reacts to it again)."},
        {"KV_Drovil_seenByPlayer", DecoratorOwner::Registered, "contract targets",
         "1 once the player has had the target in clear view within the aiming distance."},
        {"KV_Drovil_knockedOutTutorial", DecoratorOwner::Registered, "contract targets",
         "1 once the knocked-out tutorial was shown for this target."},
        {"KV_Drovil_prostituteInteractionStep", DecoratorOwner::Registered,
         "working girls in saloon contracts",
         "0 or unset nothing yet, 1 the player greeted her and may pay, -1 done or unusable."},
        {"KV_Drovil_isContractCard", DecoratorOwner::Registered, "the contract card the player holds",
         "1 on the card prop."},
        {"KV_HOSTAGE_enabled", DecoratorOwner::Registered, "contract targets and companions",
         "1 where the ped may be threatened and taken hostage; 0 where it may not (camp targets), and once "
         "it is held."},
        {"KV_HOSTAGE_isHostage", DecoratorOwner::Registered, "peds the player holds as hostages",
         "1 while the ped is held as a hostage; 0 once released. Street and hotel targets get no new tasks "
         "while it is set."},
        {"KV_HOSTAGE_timesThreatened", DecoratorOwner::Registered, "threatened peds",
         "How often the player threatened (or, holding it, shoved) the ped."},
        {"loot_money", DecoratorOwner::Game, "contract targets, guards and companions",
         "The game's loot decorator: cents found on the body (the contract's loot, ±20%)."},
        {"floot_money", DecoratorOwner::Game, "the ped the player aims at with the debug tools",
         "The game's loot decorator of float type: Z sets it to 0 (with loot_money)."},
        {"honor_override", DecoratorOwner::Game,
         "criminal targets and their peds; every contract ped with HonorEffects=0; the jail guard and the "
         "prison wagon's driver",
         "The game's honour decorator: 0, so killing the ped does not change the player's honour."},
        {"wagon_block_honor", DecoratorOwner::Game, "the prison wagon of a prisoner transport",
         "The game's boolean decorator: set, so taking the wagon costs the player no honour."},
    };
    return *entries;
}

namespace {
// What each template's target is (the record's templateId).
const std::vector<const char*>& templateMeanings() {
    static const auto* meanings = new std::vector<const char*>{
        "a gang member or another criminal, with guards",
        "a traveller on a wagon, with guards",
        "a wealthy traveller who flees",
        "an armed rough traveller",
        "a lawman or a bounty hunter",
        "a prisoner in transport",
    };
    return *meanings;
}

// Each setting's scene (the record's settingId).
const std::vector<const char*>& settingMeanings() {
    static const auto* meanings = new std::vector<const char*>{
        "outlaw camp",        "wagon",  "hotel",         "house, never played: no scene for it",
        "hunter's camp",      "saloon", "train station", "street",
        "prisoner transport",
    };
    return *meanings;
}
} // namespace

std::string keyNumberMeaning(const std::string& name, int number) {
    const std::vector<const char*>* meanings = name == "template"  ? &templateMeanings()
                                               : name == "setting" ? &settingMeanings()
                                                                   : nullptr;
    if (!meanings || number < 0 || number >= static_cast<int>(meanings->size()))
        return {};
    return (*meanings)[static_cast<std::size_t>(number)];
}

int knownTemplateCount() {
    return static_cast<int>(templateMeanings().size());
}

int knownSettingCount() {
    return static_cast<int>(settingMeanings().size());
}

bool keyMatches(const char* pattern, const std::string& key) {
    std::size_t k = 0;
    for (const char* p = pattern; *p;) {
        if (*p == '<') {
            const char* close = std::strchr(p, '>');
            if (!close)
                return false;
            const std::size_t start = k;
            while (k < key.size() && std::isdigit(static_cast<unsigned char>(key[k])))
                ++k;
            if (k == start)
                return false;
            p = close + 1;
            continue;
        }
        if (k >= key.size() || key[k] != *p)
            return false;
        ++k;
        ++p;
    }
    return k == key.size();
}

const LangEntry* findLangEntry(const std::string& key) {
    for (const LangEntry& entry : langCatalogue())
        if (keyMatches(entry.key, key))
            return &entry;
    return nullptr;
}

const TuningEntry* findTuningEntry(const std::string& key) {
    for (const TuningEntry& entry : tuningCatalogue())
        if (key == entry.key)
            return &entry;
    return nullptr;
}

std::size_t placeLimit(TextPlace place) {
    switch (place) {
    case TextPlace::Toast:
        return static_cast<std::size_t>(toastTextCapacity - 1);
    case TextPlace::Card:
        return contractTextCapacity - 1;
    case TextPlace::HelpBox:
        return static_cast<std::size_t>(helpTextCapacity - 1);
    default:
        return 0;
    }
}

std::size_t textLimit(const LangEntry& entry) {
    return entry.limit != 0 ? entry.limit : placeLimit(entry.place);
}

const char* placeName(TextPlace place) {
    switch (place) {
    case TextPlace::Subtitle:
        return "subtitle";
    case TextPlace::HelpBox:
        return "help box";
    case TextPlace::Toast:
        return "toast";
    case TextPlace::Prompt:
        return "prompt";
    case TextPlace::Card:
        return "contract card";
    case TextPlace::Menu:
        return "contract menu";
    case TextPlace::MapBlip:
        return "map blip";
    case TextPlace::NotShown:
        return "not shown";
    }
    return "";
}

const char* tuningFileName(TuningFile file) {
    return file == TuningFile::GeneralMeta ? "GeneralMeta.dat" : "AI.dat";
}

} // namespace drovil::check
