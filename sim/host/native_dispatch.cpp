#include "host/native_dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <set>

namespace sim {

const std::vector<NativeDeclaration>& declaredNatives() {
    static const std::vector<NativeDeclaration> table = [] {
        std::vector<NativeDeclaration> entries;
#define DROVIL_NATIVE(family, role, hashValue, signature)                                                   \
    entries.push_back({hashValue, drovil::natives::decl::family::role::name,                                \
                       SlotsOf<drovil::natives::decl::family::role::Signature>::value});
#include "runtime/natives/table.inc"
#undef DROVIL_NATIVE
        return entries;
    }();
    return table;
}

namespace {
[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "\n*** simulator: %s ***\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}
} // namespace

std::string hexHash(std::uint64_t hash) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(hash));
    return text;
}

void NativeDispatch::implementRaw(std::uint64_t hash, RawHandler handler) {
    bool declared = false;
    for (const NativeDeclaration& entry : declaredNatives())
        declared = declared || entry.hash == hash;
    if (!declared)
        fail("implementation of " + hexHash(hash) + ", which the native table does not declare");
    if (handlers_.count(hash))
        fail("native " + hexHash(hash) + " is implemented twice");
    handlers_[hash] = std::move(handler);
}

std::uint64_t* NativeDispatch::call(std::uint64_t hash, const std::vector<std::uint64_t>& args) {
    auto handler = handlers_.find(hash);
    if (handler == handlers_.end())
        fail("the plug-in called native " + hexHash(hash) + ", which the simulator does not implement");

    // The argument count must be one that a declaration of this hash gives.
    bool arityKnown = false;
    for (const NativeDeclaration& entry : declaredNatives())
        arityKnown = arityKnown || (entry.hash == hash && entry.argumentSlots == args.size());
    if (!arityKnown)
        fail("native " + hexHash(hash) + " called with " + std::to_string(args.size()) +
             " argument slots, which no declaration of it takes");

    ++totals_[hash];
    ++frameCounts_[hash];
    ++frameCallCount_;
    for (std::uint64_t& slot : result_)
        slot = 0;
    handler->second(NativeArgs(args.data(), args.size()), result_);
    return result_;
}

std::vector<std::uint64_t> NativeDispatch::implementedHashes() const {
    std::vector<std::uint64_t> hashes;
    for (const auto& [hash, handler] : handlers_)
        hashes.push_back(hash);
    return hashes;
}

std::uint64_t NativeDispatch::totalCalls(std::uint64_t hash) const {
    auto it = totals_.find(hash);
    return it == totals_.end() ? 0 : it->second;
}

std::uint64_t NativeDispatch::callsThisFrame(std::uint64_t hash) const {
    auto it = frameCounts_.find(hash);
    return it == frameCounts_.end() ? 0 : it->second;
}

void NativeDispatch::startFrame() {
    frameCounts_.clear();
    frameCallCount_ = 0;
}

} // namespace sim
