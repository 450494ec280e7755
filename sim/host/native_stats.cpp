#include "host/native_stats.h"

#include "host/plugin_cost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sim {
namespace {

namespace decl = drovil::natives::decl;

// A draw of the random-number service that came out the same as the one
// before is luck, not work the plug-in could have kept.
bool drawsAtRandom(const NativeDeclaration& native) {
    return native.hash == decl::misc::randomInt::hash || native.hash == decl::misc::randomFloatBetween::hash;
}

void appendBytes(std::string& key, const void* bytes, std::size_t count) {
    key.append(static_cast<const char*>(bytes), count);
}

// A text by its characters (with a mark that tells null from empty).
void appendText(std::string& key, std::uint64_t slot) {
    const char* text = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(slot));
    if (text == nullptr) {
        key.push_back('\0');
        return;
    }
    key.push_back('\1');
    key.append(text, std::strlen(text) + 1);
}

void appendPointee(std::string& key, const ValueShape& shape, std::uint64_t slot) {
    const void* at = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(slot));
    key.push_back(at == nullptr ? '\0' : '\1');
    if (at != nullptr)
        appendBytes(key, at, shape.pointeeBytes);
}

// The natives that say by themselves what the plug-in is doing in a frame, by
// their bit in a frame's notable calls.
struct NotableNative {
    std::uint64_t hash;
    const char* doing;
};
constexpr NotableNative notableNatives[] = {
    {decl::pedshot::generatePersonaPhoto::hash, "a portrait taken"},
    {decl::document::startInspection::hash, "a card taken out"},
    // A contract's scene comes into the world a ped or a wagon at a time, each
    // once its model has loaded, frames after the line that announced it.
    {decl::spawn::createPed::hash, "a scene's ped spawned"},
    {decl::spawn::createPedInVehicle::hash, "a scene's ped spawned"},
    {decl::spawn::createPedOnMount::hash, "a scene's ped spawned"},
    {decl::spawn::createVehicle::hash, "a scene's vehicle spawned"},
    // What the player hears: a ped of the plug-in's says a line.
    {decl::speech::say::hash, "a line said"},
};

// The natives that answer whether the player has completed a prompt: one that
// says yes is the player's answer (taking a contract, paying a girl), the
// start of what the plug-in does about it.
bool completesPrompt(std::uint64_t hash, const std::uint64_t* result) {
    return (hash == decl::prompt::pressCompleted::hash || hash == decl::prompt::holdCompleted::hash ||
            hash == decl::prompt::mashModeCompleted::hash) &&
           (result[0] & 0xFF) != 0;
}
constexpr std::uint32_t promptCompletedBit = 1u << 31;
// Sprites drawn in a frame after a frame without any: a panel (the contract
// card's back, say) shown anew, whose texts are made for it then.
constexpr std::uint32_t spriteDrawnBit = 1u << 30;

std::uint32_t notableBit(std::uint64_t hash) {
    for (std::size_t i = 0; i < std::size(notableNatives); ++i)
        if (notableNatives[i].hash == hash)
            return 1u << i;
    return 0;
}

// The calls the game needs before each text it draws: the same style set again
// for every text is no work the plug-in could keep.
bool stylesText(std::uint64_t hash) {
    return hash == decl::hud::setTextColour::hash || hash == decl::hud::setTextScale::hash ||
           hash == decl::hud::setTextCentred::hash || hash == decl::hud::literalString::hash;
}

// The nearest-rank percentile of sorted values, in thousandths.
std::uint64_t perMille(const std::vector<std::uint64_t>& sorted, std::size_t thousandths) {
    if (sorted.empty())
        return 0;
    const std::size_t rank = (sorted.size() * thousandths + 999) / 1000;
    return sorted[rank == 0 ? 0 : rank - 1];
}

std::uint64_t percentile(const std::vector<std::uint64_t>& sorted, int percent) {
    return perMille(sorted, static_cast<std::size_t>(percent) * 10);
}

NativeStats::Spread spreadOf(std::vector<std::uint64_t> values) {
    std::sort(values.begin(), values.end());
    NativeStats::Spread spread;
    spread.median = percentile(values, 50);
    spread.percentile95 = percentile(values, 95);
    spread.percentile999 = perMille(values, 999);
    spread.max = values.empty() ? 0 : values.back();
    return spread;
}

NativeStats::StageFigures figuresOf(const std::string& stage, const std::vector<std::uint64_t>& calls,
                                    const std::vector<std::uint64_t>& allocations,
                                    const std::vector<std::uint64_t>& nanoseconds, const std::vector<bool>& eventful) {
    NativeStats::StageFigures figures;
    for (std::size_t i = 0; i < allocations.size(); ++i) {
        if (i < eventful.size() && eventful[i])
            continue;
        ++figures.steadyFrames;
        figures.steadyAllocationsMax = std::max(figures.steadyAllocationsMax, allocations[i]);
        if (allocations[i] != 0)
            ++figures.steadyFramesAllocating;
    }
    figures.stage = stage;
    figures.frames = calls.size();
    const NativeStats::Spread spread = spreadOf(calls);
    figures.median = spread.median;
    figures.percentile95 = spread.percentile95;
    figures.max = spread.max;
    figures.allocations = spreadOf(allocations);
    figures.selfNanoseconds = spreadOf(nanoseconds);
    return figures;
}

std::string microseconds(std::uint64_t nanoseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(nanoseconds) / 1000.0);
    return text;
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width)
        return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

std::string perFrame(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

void NativeStats::beginCall(const NativeDeclaration& native, const std::uint64_t* args) {
    const plugin_cost::RecordingScope recording;
    native_ = &native;
    args_ = args;
    comparable_ = !drawsAtRandom(native);
    key_.clear();
    const NativeDeclaration* identity = &native;
    appendBytes(key_, &identity, sizeof identity);
    std::size_t slot = 0;
    for (const ValueShape& parameter : native.parameters) {
        switch (parameter.kind) {
        case ValueKind::Text:
        case ValueKind::GameString:
            appendText(key_, args[slot]);
            break;
        case ValueKind::OutValue:
            appendPointee(key_, parameter, args[slot]);
            break;
        case ValueKind::Record:
            // Its length is not known: two such calls cannot be told equal.
            comparable_ = false;
            break;
        default:
            appendBytes(key_, args + slot, parameter.slots * sizeof(std::uint64_t));
            break;
        }
        slot += parameter.slots;
    }
}

void NativeStats::endCall(const std::uint64_t* result) {
    const plugin_cost::RecordingScope recording;
    notableThisFrame_ |= notableBit(native_->hash);
    if (completesPrompt(native_->hash, result))
        notableThisFrame_ |= promptCompletedBit;
    if (native_->hash == decl::hud::drawSprite::hash)
        notableThisFrame_ |= spriteDrawnBit;
    Counter& counter = counters_[native_];
    if (counter.frameCalls == 0)
        touchedThisFrame_.push_back(&counter);
    ++counter.calls;
    ++counter.frameCalls;
    ++frameCalls_;
    if (!comparable_)
        return;

    // The result, and what the native left in the values pointed to.
    if (native_->result) {
        if (native_->result->kind == ValueKind::Text || native_->result->kind == ValueKind::GameString)
            appendText(key_, result[0]);
        else
            appendBytes(key_, result, native_->result->slots * sizeof(std::uint64_t));
    }
    std::size_t slot = 0;
    for (const ValueShape& parameter : native_->parameters) {
        if (parameter.kind == ValueKind::OutValue)
            appendPointee(key_, parameter, args_[slot]);
        slot += parameter.slots;
    }

    std::uint32_t& seen = segment_[key_];
    if (++seen < 2)
        return;
    const std::uint64_t frameNumber = framesClosed_ + 1;
    ++counter.repeats;
    if (counter.lastRepeatFrame != frameNumber) {
        counter.lastRepeatFrame = frameNumber;
        ++counter.framesRepeated;
    }
    const std::string arguments = describeArguments();
    Repeat& repeat = repeats_[std::string(native_->name) + arguments];
    repeat.native = native_;
    repeat.arguments = arguments;
    if (native_->result) {
        std::string value = formatValue(*native_->result, result);
        if (repeat.results.empty())
            repeat.firstResult = value;
        repeat.results.insert(std::move(value));
    }
    ++repeat.repeats;
    if (repeat.lastFrame != frameNumber) {
        repeat.lastFrame = frameNumber;
        ++repeat.frames;
    }
}

std::string NativeStats::describeArguments() const {
    std::string text = "(";
    std::size_t slot = 0;
    for (const ValueShape& parameter : native_->parameters) {
        if (slot != 0)
            text += ", ";
        text += formatValue(parameter, args_ + slot);
        slot += parameter.slots;
    }
    text += ')';
    return text;
}

void NativeStats::startSegment() {
    const plugin_cost::RecordingScope recording;
    segment_.clear();
}

void NativeStats::startRecording() {
    plugin_cost::setTiming(true);
    allocationsBefore_ = plugin_cost::allocations();
    nanosecondsBefore_ = plugin_cost::selfNanoseconds();
}

void NativeStats::closeFrame(const std::string& stage) {
    const plugin_cost::RecordingScope recording;
    auto entry = std::find_if(stageFrames_.begin(), stageFrames_.end(),
                              [&](const auto& known) { return known.stage == stage; });
    if (entry == stageFrames_.end()) {
        stageFrames_.push_back(StageFrames{stage, {}, {}, {}, {}});
        entry = stageFrames_.end() - 1;
    }
    entry->calls.push_back(frameCalls_);
    const std::uint64_t allocations = plugin_cost::allocations();
    const std::uint64_t nanoseconds = plugin_cost::selfNanoseconds();
    entry->allocations.push_back(allocations - allocationsBefore_);
    entry->nanoseconds.push_back(nanoseconds - nanosecondsBefore_);
    allocationsBefore_ = allocations;
    nanosecondsBefore_ = nanoseconds;
    const bool panelShownAnew = (notableThisFrame_ & spriteDrawnBit) && !(notableLastFrame_ & spriteDrawnBit);
    entry->eventful.push_back((notableThisFrame_ & ~spriteDrawnBit) != 0 || panelShownAnew);
    lastStage_ = &*entry;
    notableLastFrame_ = notableThisFrame_;
    notableThisFrame_ = 0;
    for (Counter* counter : touchedThisFrame_) {
        counter->maxInFrame = std::max(counter->maxInFrame, counter->frameCalls);
        ++counter->framesCalled;
        counter->frameCalls = 0;
    }
    touchedThisFrame_.clear();
    ++framesClosed_;
    keepIfCostly(stage, entry->nanoseconds.back(), entry->allocations.back());
    frameCalls_ = 0;
}

void NativeStats::keepIfCostly(const std::string& stage, std::uint64_t nanoseconds, std::uint64_t allocations) {
    if (framesClosed_ == 1)
        firstFrameNanoseconds_ = nanoseconds;
    else
        worstLaterNanoseconds_ = std::max(worstLaterNanoseconds_, nanoseconds);
    constexpr std::size_t kept = 10;
    if (costliest_.size() == kept && nanoseconds <= costliest_.back().nanoseconds)
        return;
    CostlyFrame frame;
    frame.frame = framesClosed_;
    frame.stage = stage;
    frame.nanoseconds = nanoseconds;
    frame.allocations = allocations;
    frame.calls = frameCalls_;
    for (std::size_t i = 0; i < std::size(notableNatives); ++i)
        if (notableLastFrame_ & (1u << i))
            frame.doings.push_back(notableNatives[i].doing);
    if (notableLastFrame_ & promptCompletedBit)
        frame.doings.push_back("a prompt completed");
    if (lastStage_->eventful.back() && (notableLastFrame_ & spriteDrawnBit))
        frame.doings.push_back("a panel drawn");
    const auto at = std::upper_bound(costliest_.begin(), costliest_.end(), nanoseconds,
                                     [](std::uint64_t cost, const CostlyFrame& known) { return cost > known.nanoseconds; });
    costliest_.insert(at, std::move(frame));
    if (costliest_.size() > kept)
        costliest_.pop_back();
}

void NativeStats::describeFrame(const std::vector<std::string>& doings, bool event) {
    const plugin_cost::RecordingScope recording;
    if (lastStage_ == nullptr || lastStage_->eventful.empty())
        return;
    if (event)
        lastStage_->eventful.back() = true;
    if (!lastStage_->eventful.back() && lastStage_->allocations.back() != 0)
        plugin_cost::reportTracedAllocations(framesClosed_, lastStage_->stage.c_str());
    plugin_cost::forgetTracedAllocations();
    for (CostlyFrame& frame : costliest_)
        if (frame.frame == framesClosed_)
            frame.doings.insert(frame.doings.end(), doings.begin(), doings.end());
}

std::vector<NativeStats::StageFigures> NativeStats::stages() const {
    std::vector<StageFigures> figures;
    std::vector<std::uint64_t> calls, allocations, nanoseconds;
    std::vector<bool> eventful;
    for (const StageFrames& stage : stageFrames_) {
        figures.push_back(figuresOf(stage.stage, stage.calls, stage.allocations, stage.nanoseconds, stage.eventful));
        calls.insert(calls.end(), stage.calls.begin(), stage.calls.end());
        allocations.insert(allocations.end(), stage.allocations.begin(), stage.allocations.end());
        nanoseconds.insert(nanoseconds.end(), stage.nanoseconds.begin(), stage.nanoseconds.end());
        eventful.insert(eventful.end(), stage.eventful.begin(), stage.eventful.end());
    }
    figures.push_back(figuresOf("all frames", calls, allocations, nanoseconds, eventful));
    return figures;
}

std::vector<NativeStats::NativeFigures> NativeStats::natives() const {
    std::vector<NativeFigures> figures;
    for (const auto& [native, counter] : counters_) {
        NativeFigures entry;
        entry.native = native;
        entry.calls = counter.calls;
        entry.maxInFrame = std::max(counter.maxInFrame, counter.frameCalls);
        entry.framesCalled = counter.framesCalled;
        entry.repeats = counter.repeats;
        entry.framesRepeated = counter.framesRepeated;
        figures.push_back(entry);
    }
    std::sort(figures.begin(), figures.end(), [](const NativeFigures& a, const NativeFigures& b) {
        if (a.calls != b.calls)
            return a.calls > b.calls;
        if (a.native->hash != b.native->hash)
            return a.native->hash < b.native->hash;
        return a.native->argumentSlots < b.native->argumentSlots;
    });
    return figures;
}

std::uint64_t NativeStats::totalCalls(std::uint64_t hash) const {
    std::uint64_t calls = 0;
    for (const auto& [native, counter] : counters_)
        if (native->hash == hash)
            calls += counter.calls;
    return calls;
}

std::vector<NativeStats::RepeatFigures> NativeStats::repeats() const {
    std::vector<RepeatFigures> figures;
    for (const auto& [key, repeat] : repeats_) {
        RepeatFigures entry;
        entry.native = repeat.native;
        entry.arguments = repeat.arguments;
        if (repeat.results.size() == 1)
            entry.result = " -> " + repeat.firstResult;
        else if (repeat.results.size() > 1)
            entry.result = " -> " + std::to_string(repeat.results.size()) + " results";
        entry.repeats = repeat.repeats;
        entry.frames = repeat.frames;
        figures.push_back(entry);
    }
    std::sort(figures.begin(), figures.end(), [this](const RepeatFigures& a, const RepeatFigures& b) {
        if (a.native != b.native) {
            const std::uint64_t nativeA = counters_.at(a.native).repeats, nativeB = counters_.at(b.native).repeats;
            if (nativeA != nativeB)
                return nativeA > nativeB;
            return std::string(a.native->name) < b.native->name;
        }
        if (a.repeats != b.repeats)
            return a.repeats > b.repeats;
        return a.arguments < b.arguments;
    });
    return figures;
}

void NativeStats::report(std::ostream& out) const {
    std::uint64_t allCalls = 0;
    for (const auto& [native, counter] : counters_)
        allCalls += counter.calls;

    out << "native calls per frame by the contract's stage (" << framesClosed_ << " frames, " << allCalls
        << " calls)\n";
    out << "  " << padded("stage", 12, false) << padded("frames", 8, true) << padded("median", 8, true)
        << padded("p95", 8, true) << padded("max", 8, true) << "\n";
    for (const StageFigures& stage : stages())
        out << "  " << padded(stage.stage, 12, false) << padded(number(stage.frames), 8, true)
            << padded(number(stage.median), 8, true) << padded(number(stage.percentile95), 8, true)
            << padded(number(stage.max), 8, true) << "\n";

    out << "\nthe plug-in's heap allocations per frame by stage; then the frames without an event (nothing "
           "logged, shown or taken out): how many, how many of them allocated, and the most one did\n";
    out << "  " << padded("stage", 12, false) << padded("median", 8, true) << padded("p95", 8, true)
        << padded("max", 8, true) << padded("steady", 9, true) << padded("alloc'd", 9, true)
        << padded("max", 8, true) << "\n";
    for (const StageFigures& stage : stages())
        out << "  " << padded(stage.stage, 12, false) << padded(number(stage.allocations.median), 8, true)
            << padded(number(stage.allocations.percentile95), 8, true)
            << padded(number(stage.allocations.max), 8, true) << padded(number(stage.steadyFrames), 9, true)
            << padded(number(stage.steadyFramesAllocating), 9, true)
            << padded(number(stage.steadyAllocationsMax), 8, true) << "\n";

    out << "\nthe ten natives called most per frame\n";
    out << "  " << padded("per frame", 10, true) << padded("max", 7, true) << padded("calls", 9, true) << "  native\n";
    const std::vector<NativeFigures> busiest = natives();
    for (std::size_t i = 0; i < busiest.size() && i < 10; ++i) {
        const NativeFigures& entry = busiest[i];
        const double mean = framesClosed_ == 0 ? 0.0 : static_cast<double>(entry.calls) / framesClosed_;
        out << "  " << padded(perFrame(mean), 10, true) << padded(number(entry.maxInFrame), 7, true)
            << padded(number(entry.calls), 9, true) << "  " << entry.native->name << " "
            << hexHash(entry.native->hash) << "\n";
    }

    const std::vector<RepeatFigures> repeated = repeats();
    std::uint64_t repeatedCalls = 0;
    for (const RepeatFigures& entry : repeated)
        repeatedCalls += entry.repeats;
    out << "\ncalls repeated between two yields with the same arguments and the same result (" << repeatedCalls
        << " calls)\n";
    if (repeated.empty()) {
        out << "  none\n";
        reportTimes(out);
        return;
    }
    out << "  " << padded("repeats", 8, true) << padded("frames", 8, true) << "  native, then its arguments -> result\n";
    // Each native with its total, then its most repeated argument lists.
    constexpr std::size_t argumentListsShown = 5;
    for (std::size_t first = 0; first < repeated.size();) {
        const NativeDeclaration* native = repeated[first].native;
        std::size_t end = first;
        while (end < repeated.size() && repeated[end].native == native)
            ++end;
        const Counter& counter = counters_.at(native);
        out << "  " << padded(number(counter.repeats), 8, true) << padded(number(counter.framesRepeated), 8, true)
            << "  " << native->name << " " << hexHash(native->hash) << "\n";
        // A last list is shown rather than summed up on a line of its own.
        const std::size_t shown = end - first <= argumentListsShown + 1 ? end - first : argumentListsShown;
        for (std::size_t i = first; i < first + shown; ++i)
            out << "  " << padded(number(repeated[i].repeats), 8, true) << padded(number(repeated[i].frames), 8, true)
                << "      " << repeated[i].arguments << repeated[i].result << "\n";
        if (first + shown < end) {
            std::uint64_t others = 0;
            for (std::size_t i = first + shown; i < end; ++i)
                others += repeated[i].repeats;
            out << "  " << padded(number(others), 8, true) << padded("", 8, true) << "      ... "
                << end - first - shown << " other argument lists\n";
        }
        first = end;
    }
    reportTimes(out);
}

void NativeStats::reportTimes(std::ostream& out) const {
    // Last, since it is measured on the clock: the only figures that differ
    // from one run of the same seed to the next.
    out << "\n" << timesHeading << "\n";
    out << "  " << padded("stage", 12, false) << padded("median", 9, true) << padded("p95", 9, true)
        << padded("p99.9", 9, true) << padded("max", 10, true) << "\n";
    for (const StageFigures& stage : stages())
        out << "  " << padded(stage.stage, 12, false) << padded(microseconds(stage.selfNanoseconds.median), 9, true)
            << padded(microseconds(stage.selfNanoseconds.percentile95), 9, true)
            << padded(microseconds(stage.selfNanoseconds.percentile999), 9, true)
            << padded(microseconds(stage.selfNanoseconds.max), 10, true) << "\n";
    reportCostliest(out);
    reportBudget(out);
}

void NativeStats::reportCostliest(std::ostream& out) const {
    out << "\nthe ten frames of most own time (frame 1 is the plug-in's start-up), with what the plug-in did in them\n";
    out << "  " << padded("frame", 9, true) << "  " << padded("stage", 12, false) << padded("own us", 10, true)
        << padded("allocs", 8, true) << padded("natives", 9, true) << "  what it did\n";
    for (const CostlyFrame& frame : costliest_) {
        std::string doings;
        for (const std::string& doing : frame.doings)
            doings.append(doings.empty() ? "" : "; ").append(doing);
        out << "  " << padded(number(frame.frame), 9, true) << "  " << padded(frame.stage, 12, false)
            << padded(microseconds(frame.nanoseconds), 10, true) << padded(number(frame.allocations), 8, true)
            << padded(number(frame.calls), 9, true) << "  " << (doings.empty() ? "(nothing it told)" : doings)
            << "\n";
    }
}

void NativeStats::reportBudget(std::ostream& out) const {
    const std::vector<StageFigures> all = stages();
    const StageFigures& total = all.back();
    out << "\nthe frame budget: each figure against its bound\n";
    const auto line = [&out](const std::string& what, const std::string& value, const std::string& bound, bool within) {
        out << "  " << padded(within ? "within" : "OVER", 7, false) << padded(what, 62, false) << padded(value, 10, true)
            << "  (at most " << bound << ")\n";
    };
    line("own time, the worst frame after the first (us)", microseconds(worstLaterNanoseconds_), "1000",
         worstLaterNanoseconds_ <= 1000000);
    line("own time, all frames at the 99.9th percentile (us)", microseconds(total.selfNanoseconds.percentile999), "20",
         total.selfNanoseconds.percentile999 <= 20000);
    for (std::size_t i = 0; i + 1 < all.size(); ++i)
        line("own time, " + all[i].stage + " at the 95th percentile (us)",
             microseconds(all[i].selfNanoseconds.percentile95), "16", all[i].selfNanoseconds.percentile95 <= 16000);
    for (std::size_t i = 0; i + 1 < all.size(); ++i)
        line("heap allocations, " + all[i].stage + ", frames without an event (max)",
             number(all[i].steadyAllocationsMax), "0", all[i].steadyAllocationsMax == 0);
    // The stage a session without a contract is in: idle in town, riding.
    for (const StageFigures& stage : all)
        if (stage.stage == "no mission")
            line("natives per frame, no mission (median)", number(stage.median), "14", stage.median <= 14);
    std::uint64_t repeated = 0;
    for (const auto& [native, counter] : counters_)
        if (!stylesText(native->hash))
            repeated += counter.repeats;
    line("calls repeated between two yields, text styles aside", number(repeated), "0", repeated == 0);
}

} // namespace sim
