#pragma once
// The per-frame native report (drovil-sim --stats): what the plug-in's native
// calls cost frame by frame. The dispatch hands it every call while it is
// attached (and nothing at all otherwise); whoever runs the frames closes each
// one with the contract's stage it began in. It tells
//  - the calls per frame by stage: median, 95th percentile and maximum;
//  - the natives called most per frame;
//  - every call repeated between two yields of the script with the same
//    arguments and the same result: work the plug-in could have kept from the
//    first call, since nothing in the game changes until the script yields;
//  - the plug-in's own time per frame by stage (median, 95th and 99.9th
//    percentiles, maximum) and the ten worst frames with what the plug-in did
//    in them, as whoever runs the frames tells it after each one;
//  - the frame budget: each of its figures against its bound.
#include "host/native_dispatch.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace sim {

class NativeStats {
public:
    // --- The dispatch's side ---

    // A call is about to run with these argument slots (valid until endCall).
    void beginCall(const NativeDeclaration& native, const std::uint64_t* args);
    // The call has returned this result.
    void endCall(const std::uint64_t* result);
    // A script is resumed: the calls that follow come after a yield.
    void startSegment();

    // --- The frames ---

    // Starts recording: the plug-in's own time is measured from now on.
    void startRecording();

    // The frame has ended; its calls count for `stage`.
    void closeFrame(const std::string& stage);
    // What the plug-in did in the frame just closed, in words ("a contract
    // generated", "files saved"), and whether any of it is an event of a
    // contract or of the screen (a frame without one must allocate nothing).
    // Told after closeFrame, at most once a frame; a frame never told about
    // counts as one without an event.
    void describeFrame(const std::vector<std::string>& doings, bool event);

    // --- The figures ---

    struct Spread {
        std::uint64_t median = 0, percentile95 = 0, percentile999 = 0, max = 0;
    };
    struct StageFigures {
        std::string stage;
        std::size_t frames = 0;
        std::uint64_t median = 0, percentile95 = 0, max = 0; // calls per frame
        Spread allocations;                                  // the plug-in's heap allocations per frame
        Spread selfNanoseconds;                              // the plug-in's own time per frame
        // Frames without an event, and the most the plug-in allocated in one.
        std::size_t steadyFrames = 0;
        std::uint64_t steadyAllocationsMax = 0;
        std::size_t steadyFramesAllocating = 0;
    };
    // One of the frames that cost the plug-in the most of its own time.
    struct CostlyFrame {
        std::uint64_t frame = 0; // counted from 1
        std::string stage;
        std::uint64_t nanoseconds = 0;
        std::uint64_t allocations = 0;
        std::uint64_t calls = 0;
        std::vector<std::string> doings; // what the plug-in did in it
    };
    struct NativeFigures {
        const NativeDeclaration* native = nullptr;
        std::uint64_t calls = 0;
        std::uint64_t maxInFrame = 0;
        std::uint64_t framesCalled = 0;
        std::uint64_t repeats = 0;        // its calls that were repeats
        std::uint64_t framesRepeated = 0; // frames in which it was repeated
    };
    // One native called again with the same arguments (and the same result
    // as before the repeat: different results between two yields, such as
    // random numbers, are not repeats).
    struct RepeatFigures {
        const NativeDeclaration* native = nullptr;
        std::string arguments;       // "(1059, true, false)"
        std::string result;          // " -> (1.00, 2.00, 3.00)", "" for none; several: " -> 3 results"
        std::uint64_t repeats = 0;   // calls after the first between the same two yields
        std::uint64_t frames = 0;    // frames in which it was repeated
    };

    std::uint64_t framesClosed() const { return framesClosed_; }
    // Every stage in the order it first came, then all the frames together.
    std::vector<StageFigures> stages() const;
    // Natives by calls (most first; a tie by hash), all of them.
    std::vector<NativeFigures> natives() const;
    // Calls of one hash over the frames recorded (all its declarations).
    std::uint64_t totalCalls(std::uint64_t hash) const;
    // Repeated calls by native and arguments: the natives with the most
    // repeats first, and in each native its arguments with the most repeats
    // first (a tie by the text).
    std::vector<RepeatFigures> repeats() const;
    // The ten frames of most own time, the costliest first.
    const std::vector<CostlyFrame>& costliestFrames() const { return costliest_; }
    // The plug-in's own time in the first frame (its start-up) and the most in
    // any frame after it.
    std::uint64_t firstFrameNanoseconds() const { return firstFrameNanoseconds_; }
    std::uint64_t worstLaterFrameNanoseconds() const { return worstLaterNanoseconds_; }

    void report(std::ostream& out) const;

    // The heading of the report's last part, the plug-in's own time per frame.
    static constexpr const char* timesHeading =
        "the plug-in's own time per frame by stage, in microseconds: its code between two yields, without the "
        "natives' handlers (measured, so it varies from run to run)";

private:
    struct Counter {
        std::uint64_t calls = 0;
        std::uint64_t frameCalls = 0;
        std::uint64_t maxInFrame = 0;
        std::uint64_t framesCalled = 0;
        std::uint64_t repeats = 0;
        std::uint64_t framesRepeated = 0;
        std::uint64_t lastRepeatFrame = 0; // frame number + 1, 0 for none
    };
    struct Repeat {
        const NativeDeclaration* native = nullptr;
        std::string arguments;
        std::string firstResult;
        std::unordered_set<std::string> results; // the different results it repeated with
        std::uint64_t repeats = 0;
        std::uint64_t frames = 0;
        std::uint64_t lastFrame = 0; // frame number + 1, 0 for none
    };

    std::string describeArguments() const;
    void reportTimes(std::ostream& out) const;
    void reportCostliest(std::ostream& out) const;
    void reportBudget(std::ostream& out) const;
    void keepIfCostly(const std::string& stage, std::uint64_t nanoseconds, std::uint64_t allocations);

    // The call under way.
    const NativeDeclaration* native_ = nullptr;
    const std::uint64_t* args_ = nullptr;
    bool comparable_ = false;
    std::string key_;

    // The calls since the last yield, by native, arguments and result.
    std::unordered_map<std::string, std::uint32_t> segment_;

    std::unordered_map<const NativeDeclaration*, Counter> counters_;
    std::vector<Counter*> touchedThisFrame_;
    std::uint64_t frameCalls_ = 0;
    std::uint64_t framesClosed_ = 0;
    // Per stage, frame by frame: native calls, the plug-in's allocations and its own time.
    struct StageFrames {
        std::string stage;
        std::vector<std::uint64_t> calls, allocations, nanoseconds;
        std::vector<bool> eventful; // frame by frame: told to have an event
    };
    std::vector<StageFrames> stageFrames_;
    std::uint64_t allocationsBefore_ = 0, nanosecondsBefore_ = 0;
    // By the native's name and the arguments' text.
    std::map<std::string, Repeat> repeats_;

    // What the frame under way has called of the natives that tell what the
    // plug-in is doing (a portrait taken, a card taken out), as bits.
    std::uint32_t notableThisFrame_ = 0;
    std::uint32_t notableLastFrame_ = 0;
    StageFrames* lastStage_ = nullptr;
    std::vector<CostlyFrame> costliest_;
    std::uint64_t firstFrameNanoseconds_ = 0, worstLaterNanoseconds_ = 0;
};

} // namespace sim
