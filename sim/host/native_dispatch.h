#pragma once
// The simulator's side of the native-call boundary: a table from native hash to
// the simulated implementation. Only hashes that the plug-in's native table
// declares can be implemented, and an implementation's argument and result types
// are taken from that declaration, so the two sides cannot drift apart. A call to
// a hash without an implementation is a loud error.
#include "host/native_values.h"
#include "runtime/marshal.h"
#include "runtime/native_table.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sim {

class NativeStats;

struct NativeDeclaration {
    std::uint64_t hash;
    const char* name;
    std::size_t argumentSlots;
    std::vector<ValueShape> parameters;
    std::optional<ValueShape> result;
};

template <class Sig> struct SlotsOf;
template <class R, class... A> struct SlotsOf<R(A...)> {
    static constexpr std::size_t value = drovil::marshal::slotCount<std::decay_t<A>...>();
};

// Every entry of the native table, in table order.
const std::vector<NativeDeclaration>& declaredNatives();
// The entries of one hash (the game overloads a few by argument count); empty
// for a hash the table does not declare.
const std::vector<const NativeDeclaration*>& declarationsOf(std::uint64_t hash);

class NativeArgs {
public:
    NativeArgs(const std::uint64_t* slots, std::size_t count) : slots_(slots), count_(count) {}
    std::size_t count() const { return count_; }
    template <class T> T get(std::size_t slot) const { return drovil::marshal::Traits<T>::unpack(slots_ + slot); }

private:
    const std::uint64_t* slots_;
    std::size_t count_;
};

class NativeDispatch {
public:
    using RawHandler = std::function<void(const NativeArgs& args, std::uint64_t* result)>;
    static constexpr std::size_t resultSlots = 16;

    // Implements the native of descriptor D with `handler`, whose parameters are
    // those of D's signature (each unpacked from its slots) and whose result is
    // packed as D's result type.
    template <class D, class F> void implement(F handler) {
        implementTyped<D>(std::move(handler), static_cast<typename D::Signature*>(nullptr));
    }

    // Implements a native that the game overloads by argument count: the handler
    // reads the slots itself. `hash` must be declared in the native table.
    void implementRaw(std::uint64_t hash, RawHandler handler);

    // Runs one call; fails loudly for an unknown hash or a wrong argument count.
    std::uint64_t* call(std::uint64_t hash, const std::vector<std::uint64_t>& args);

    bool implements(std::uint64_t hash) const { return implementations_.count(hash) != 0; }
    std::vector<std::uint64_t> implementedHashes() const;

    // Call counters, per native: over the whole run and in the current frame.
    std::uint64_t totalCalls(std::uint64_t hash) const;
    std::uint64_t callsThisFrame(std::uint64_t hash) const;
    std::uint64_t callsThisFrame() const { return frameCallCount_; }
    void startFrame();

    // The per-frame report's recorder hears every call from now on (nullptr: none).
    void attachStats(NativeStats* stats) { stats_ = stats; }
    // A script is resumed: what it calls from now on comes after a yield.
    void scriptResumed();

private:
    template <class D, class R, class... A, class F> void implementTyped(F handler, R (*)(A...)) {
        implementRaw(D::hash, [handler = std::move(handler)](const NativeArgs& args, std::uint64_t* result) {
            callUnpacked<R, A...>(handler, args, result, std::index_sequence_for<A...>{});
        });
    }

    template <class R, class... A, class F, std::size_t... I>
    static void callUnpacked(const F& handler, const NativeArgs& args, std::uint64_t* result,
                             std::index_sequence<I...>) {
        constexpr std::size_t sizes[] = {drovil::marshal::Traits<std::decay_t<A>>::slots..., 0};
        std::size_t starts[sizeof...(A) + 1] = {};
        for (std::size_t i = 1; i <= sizeof...(A); ++i)
            starts[i] = starts[i - 1] + sizes[i - 1];
        if constexpr (std::is_void_v<R>) {
            handler(args.get<std::decay_t<A>>(starts[I])...);
        } else {
            R value = handler(args.get<std::decay_t<A>>(starts[I])...);
            drovil::marshal::Traits<std::decay_t<R>>::pack(value, result);
        }
    }

    struct Implementation {
        RawHandler handler;
        const std::vector<const NativeDeclaration*>* declarations = nullptr;
        std::uint64_t totalCalls = 0;
        std::uint64_t frameCalls = 0;  // valid while `frame` is the dispatch's frame
        std::uint64_t frame = 0;
    };

    // Looked up once per call by hash; the declarations say which argument
    // counts are right.
    std::unordered_map<std::uint64_t, Implementation> implementations_;
    std::uint64_t frame_ = 0;
    std::uint64_t frameCallCount_ = 0;
    NativeStats* stats_ = nullptr;
    std::uint64_t result_[resultSlots] = {};
};

// Formats a hash as the game's tools write it (0x + 16 upper-case hex digits).
std::string hexHash(std::uint64_t hash);

} // namespace sim
