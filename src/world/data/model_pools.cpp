// The game names that missions pick from. Every name is one the game knows as
// it stands (ped models, vehicle loads, propsets); records store their hashes.
#include "world/model_pools.h"

namespace drovil {

const ModelPools& modelPools() {
    static const auto* pools = new ModelPools{
        // roughTravellerModels
        {"a_m_m_griroughtravellers_01", "a_m_m_rkrroughtravellers_01", "a_m_m_sclroughtravellers_01",
         "a_m_m_sdroughtravellers_01", "a_m_m_bivroughtravellers_01", "a_m_m_bynroughtravellers_01",
         "a_m_m_htlroughtravellers_01"},
        // prisonerModels
        {"a_m_m_skpprisoner_01"},
        // criminalModels
        {"g_m_m_uniafricanamericangang_01", "g_m_m_unicriminals_01", "g_m_m_unicriminals_02"},
        // campPropsets
        {"pg_ambient_campfireexconfed01x", "pg_re_odoriscollboysgang03x", "pg_bh_campreturn01x"},
        // lawmanModels
        {"s_m_m_marshallsrural_01", "s_m_m_dispatchleaderrural_01", "s_m_m_ambientlawrural_01",
         "s_m_m_pinlaw_01"},
        // chuckwagonLoads
        {"pg_teamster_chuckwagon000x_breakables", "pg_teamster_chuckwagon000x_perishables",
         "pg_vehload_cotton01", "pg_vehload_crates01", "pg_vehload_lumber01", "pg_vehload_sacks01",
         "pg_vl_blacksmith01"},
        // wealthyMaleModels
        {"a_m_m_gamhighsociety_01", "a_m_m_grifancytravellers_01", "a_m_m_htlfancytravellers_01",
         "a_m_m_strfancytourist_01", "a_m_m_blwupperclass_01", "a_m_m_nbxupperclass_01",
         "a_m_m_rhdupperclass_01", "a_m_m_uppertrainpassengers_01"},
        // wealthyFemaleModels
        {"a_f_m_gamhighsociety_01", "a_f_m_grifancytravellers_01", "a_f_m_htlfancytravellers_01",
         "a_f_m_bivfancytravellers_01", "a_f_m_rkrfancytravellers_01", "a_f_m_sclfancytravellers_01"},
        // hunterCampPropsets
        {"pg_ambient_campfire04x_tent", "pg_ambient_campfire05x_tent"},
        // familyTravellerModels
        {"a_f_m_familytravelers_cool_01", "a_f_m_familytravelers_warm_01"},
        // horseModels: common breeds a traveller or a gang member would ride
        {"a_c_horse_kentuckysaddle_black", "a_c_horse_kentuckysaddle_buttermilkbuckskin_pc",
         "a_c_horse_kentuckysaddle_chestnutpinto", "a_c_horse_kentuckysaddle_grey",
         "a_c_horse_kentuckysaddle_silverbay", "a_c_horse_morgan_bay", "a_c_horse_morgan_bayroan",
         "a_c_horse_morgan_flaxenchestnut", "a_c_horse_morgan_palomino",
         "a_c_horse_tennesseewalker_blackrabicano", "a_c_horse_tennesseewalker_chestnut",
         "a_c_horse_tennesseewalker_dapplebay", "a_c_horse_tennesseewalker_redroan",
         "a_c_horse_americanstandardbred_black", "a_c_horse_americanstandardbred_buckskin",
         "a_c_horse_americanstandardbred_palominodapple", "a_c_horse_americanstandardbred_silvertailbuckskin",
         "a_c_horse_mustang_grullodun", "a_c_horse_nokota_whiteroan"},
    };
    return *pools;
}

} // namespace drovil
