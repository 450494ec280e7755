#pragma once
// The game's names: the models, propsets, scenarios, weapons (with their
// groups), controls, textures, sounds, speech lines, animations and document
// items the game has, as its public data catalogue and its own scripts name
// them (game_names.tsv beside this file, built into the simulator). A name of a
// kind the game lists that is not among them is not in the game: the game
// never loads, plays or shows it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sim {

enum class NameKind : std::uint8_t {
    Model,             // peds (horses and animals too), vehicles, objects
    Propset,           // propsets, vehicle propsets among them
    Scenario,
    Weapon,
    Ammo,
    Control,
    TextureDictionary,
    Texture,           // a bare texture name, or dictionary/texture
    SoundSet,          // the frontend sound sets
    Sound,             // sound set/sound
    Speech,
    AnimDictionary,
    AnimClip,
    Clipset,
    Document,          // held-item names and slots of the item interactions
    Other,             // every other kind of name: checked only by the names' tests
};

// How the catalogue stands to a name.
enum class NameStanding : std::uint8_t {
    Listed,      // a list of its kind holds it, or the game's own scripts use it
    Unchecked,   // no list of its kind anywhere: nothing to check it against
    Unconfirmed, // found nowhere: the game may have it or not
    Own,         // one of the plug-in's own names (its decorators and script events)
    Absent,      // not in the game
};

// The game's weapon groups (its group_ names).
enum class WeaponGroup : std::uint8_t {
    None,
    Unarmed,   // bare hands, and what animals, falls, fire and the like do
    Melee,     // knives, machetes, torches
    Thrown,    // hatchets, tomahawks, throwing knives, dynamite, molotovs, bolas
    Held,      // lanterns, binoculars, the camera
    Bow,
    Lasso,
    FishingRod,
    PetrolCan,
    Pistol,
    Revolver,
    Repeater,
    Rifle,
    Shotgun,
    Sniper,
};

struct GameName {
    NameKind kind = NameKind::Other;
    std::string kindWord; // as the table writes it ("model", "blackboard", ...)
    std::string name;     // as the game writes it
    std::uint32_t hash = 0;
    NameStanding standing = NameStanding::Listed;
    WeaponGroup group = WeaponGroup::None;
};

class GameNames {
public:
    // The table built into the simulator, read once.
    static const GameNames& catalogue();

    // The entry of a name of the kind, by its hash or by the name itself;
    // nullptr when the table has none.
    const GameName* find(NameKind kind, std::uint32_t hash) const;
    const GameName* find(NameKind kind, std::string_view name) const;
    // Absent for a name the table does not hold.
    NameStanding standing(NameKind kind, std::uint32_t hash) const;

    // Every entry, in the table's order.
    const std::vector<GameName>& all() const { return names_; }

    // The group of a weapon of the game; None for a hash that is no weapon of it.
    static WeaponGroup weaponGroup(std::uint32_t weapon);
    // What the game calls a gun: a pistol, revolver, repeater, rifle, shotgun or
    // sniper rifle (not a bow, a thrown weapon, a blade or bare hands).
    static bool isGunGroup(WeaponGroup group);
    static const char* kindName(NameKind kind);

    // Reads a table in the format of game_names.tsv, one line a text (for the
    // built-in table and the tests). A line that does not read is named in `error`.
    static GameNames read(const char* const* lines, std::size_t count, std::string& error);

private:
    static std::uint64_t key(NameKind kind, std::uint32_t hash) {
        return (static_cast<std::uint64_t>(kind) << 32) | hash;
    }
    std::vector<GameName> names_;
    std::unordered_map<std::uint64_t, std::size_t> index_;
};

} // namespace sim
