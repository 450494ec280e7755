#pragma once
// Where a script runs between the game's frames. The game's script hook runs
// each script as a fiber on the game's own thread: `scriptWait` switches back to
// the game, and the next frame switches into the script where it left off. The
// simulator does the same where it can (a switch costs well under a
// microsecond), and otherwise runs each script on a thread of its own in
// lock-step with the game (a thread wake-up each way, several microseconds).
// Either way only one of the game and a script runs at any moment.
#include <functional>
#include <memory>

namespace sim {

class ScriptContext {
public:
    virtual ~ScriptContext() = default;

    // On the game's side: runs the script until it suspends or its body returns.
    // The first call starts the body.
    virtual void resume() = 0;
    // On the script's side: hands control back to the game until the next resume.
    virtual void suspend() = 0;
    // The body has returned.
    virtual bool finished() const = 0;

    // A fiber where the platform has one, a thread otherwise.
    static std::unique_ptr<ScriptContext> make(std::function<void()> body);
    // The kind make() gives on this build: "fiber" or "thread".
    static const char* kind();
};

} // namespace sim
