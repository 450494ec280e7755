#include "host/native_dispatch.h"

#include "host/native_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace sim {

const std::vector<NativeDeclaration>& declaredNatives() {
    static const std::vector<NativeDeclaration> table = [] {
        std::vector<NativeDeclaration> entries;
#define DROVIL_NATIVE(family, role, hashValue, signature)                                                   \
    entries.push_back({hashValue, drovil::natives::decl::family::role::name,                                \
                       SlotsOf<drovil::natives::decl::family::role::Signature>::value,                      \
                       ShapesOf<drovil::natives::decl::family::role::Signature>::parameters(),              \
                       ShapesOf<drovil::natives::decl::family::role::Signature>::result()});
#include "runtime/natives/table.inc"
#undef DROVIL_NATIVE
        return entries;
    }();
    return table;
}

const std::vector<const NativeDeclaration*>& declarationsOf(std::uint64_t hash) {
    static const auto byHash = [] {
        std::unordered_map<std::uint64_t, std::vector<const NativeDeclaration*>> index;
        for (const NativeDeclaration& entry : declaredNatives())
            index[entry.hash].push_back(&entry);
        return index;
    }();
    static const std::vector<const NativeDeclaration*> none;
    auto found = byHash.find(hash);
    return found == byHash.end() ? none : found->second;
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
    const std::vector<const NativeDeclaration*>& declarations = declarationsOf(hash);
    if (declarations.empty())
        fail("implementation of " + hexHash(hash) + ", which the native table does not declare");
    if (implementations_.count(hash))
        fail("native " + hexHash(hash) + " is implemented twice");
    Implementation& implementation = implementations_[hash];
    implementation.handler = std::move(handler);
    implementation.declarations = &declarations;
}

std::uint64_t* NativeDispatch::call(std::uint64_t hash, const std::vector<std::uint64_t>& args) {
    auto found = implementations_.find(hash);
    if (found == implementations_.end())
        fail("the plug-in called native " + hexHash(hash) + ", which the simulator does not implement");
    Implementation& native = found->second;

    // The argument count must be one that a declaration of this hash gives.
    const NativeDeclaration* declaration = nullptr;
    for (const NativeDeclaration* entry : *native.declarations)
        if (entry->argumentSlots == args.size())
            declaration = entry;
    if (!declaration)
        fail("native " + hexHash(hash) + " called with " + std::to_string(args.size()) +
             " argument slots, which no declaration of it takes");

    ++native.totalCalls;
    if (native.frame != frame_) {
        native.frame = frame_;
        native.frameCalls = 0;
    }
    ++native.frameCalls;
    ++frameCallCount_;
    for (std::uint64_t& slot : result_)
        slot = 0;
    if (stats_ == nullptr) {
        native.handler(NativeArgs(args.data(), args.size()), result_);
        return result_;
    }
    stats_->beginCall(*declaration, args.data());
    native.handler(NativeArgs(args.data(), args.size()), result_);
    stats_->endCall(result_);
    return result_;
}

std::vector<std::uint64_t> NativeDispatch::implementedHashes() const {
    std::vector<std::uint64_t> hashes;
    for (const auto& [hash, implementation] : implementations_)
        hashes.push_back(hash);
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

std::uint64_t NativeDispatch::totalCalls(std::uint64_t hash) const {
    auto found = implementations_.find(hash);
    return found == implementations_.end() ? 0 : found->second.totalCalls;
}

std::uint64_t NativeDispatch::callsThisFrame(std::uint64_t hash) const {
    auto found = implementations_.find(hash);
    if (found == implementations_.end() || found->second.frame != frame_)
        return 0;
    return found->second.frameCalls;
}

void NativeDispatch::startFrame() {
    ++frame_;
    frameCallCount_ = 0;
}

void NativeDispatch::scriptResumed() {
    if (stats_)
        stats_->startSegment();
}

} // namespace sim
