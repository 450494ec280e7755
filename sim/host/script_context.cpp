#include "host/script_context.h"

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

// ucontext gives fibers on Linux. The sanitizers lose track of a stack that is
// switched under them, so sanitized builds keep to threads.
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define DROVIL_SIM_FIBERS 1
#include <ucontext.h>
#else
#define DROVIL_SIM_FIBERS 0
#endif

namespace sim {
namespace {

#if DROVIL_SIM_FIBERS

// The stack a script thread would get by default on Linux. It is reserved, not
// touched: the pages a script never reaches cost nothing.
constexpr std::size_t fiberStackBytes = 8u * 1024u * 1024u;

class FiberContext final : public ScriptContext {
public:
    explicit FiberContext(std::function<void()> body) : body_(std::move(body)) {}
    ~FiberContext() override { std::free(stack_); }

    void resume() override {
        if (finished_)
            return;
        if (!stack_)
            prepare();
        swapcontext(&game_, &script_);
    }

    void suspend() override { swapcontext(&script_, &game_); }

    bool finished() const override { return finished_; }

private:
    void prepare() {
        stack_ = static_cast<char*>(std::malloc(fiberStackBytes));
        if (!stack_)
            throw std::bad_alloc();
        getcontext(&script_);
        script_.uc_stack.ss_sp = stack_;
        script_.uc_stack.ss_size = fiberStackBytes;
        script_.uc_link = &game_; // where the body's return goes
        // makecontext passes int arguments only: the pointer goes in two halves.
        const auto address = reinterpret_cast<std::uintptr_t>(this);
        makecontext(&script_, reinterpret_cast<void (*)()>(&FiberContext::entry), 2,
                    static_cast<unsigned>(address >> 32), static_cast<unsigned>(address & 0xFFFFFFFFu));
    }

    static void entry(unsigned high, unsigned low) {
        auto* self = reinterpret_cast<FiberContext*>((static_cast<std::uintptr_t>(high) << 32) | low);
        self->body_();
        self->finished_ = true;
    }

    std::function<void()> body_;
    ucontext_t game_{};
    ucontext_t script_{};
    char* stack_ = nullptr;
    bool finished_ = false;
};

#endif

// A thread of the script's own, handed the turn back and forth under one mutex.
class ThreadContext final : public ScriptContext {
public:
    explicit ThreadContext(std::function<void()> body) : body_(std::move(body)) {}
    // A parked script thread is never resumed again and outlives its host (the
    // host is never destroyed), as the game's threads outlive a plug-in.
    ~ThreadContext() override = default;

    void resume() override {
        std::unique_lock<std::mutex> lock(mutex_);
        if (finished_)
            return;
        scriptsTurn_ = true;
        if (!started_) {
            started_ = true;
            std::thread(&ThreadContext::run, this).detach();
        }
        changed_.notify_all();
        changed_.wait(lock, [this] { return !scriptsTurn_; });
    }

    void suspend() override {
        std::unique_lock<std::mutex> lock(mutex_);
        scriptsTurn_ = false;
        changed_.notify_all();
        changed_.wait(lock, [this] { return scriptsTurn_; });
    }

    bool finished() const override { return finished_; }

private:
    void run() {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return scriptsTurn_; });
        }
        body_();
        std::unique_lock<std::mutex> lock(mutex_);
        finished_ = true;
        scriptsTurn_ = false;
        changed_.notify_all();
    }

    std::function<void()> body_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool scriptsTurn_ = false;
    bool started_ = false;
    bool finished_ = false;
};

} // namespace

std::unique_ptr<ScriptContext> ScriptContext::make(std::function<void()> body) {
#if DROVIL_SIM_FIBERS
    return std::make_unique<FiberContext>(std::move(body));
#else
    return std::make_unique<ThreadContext>(std::move(body));
#endif
}

const char* ScriptContext::kind() { return DROVIL_SIM_FIBERS ? "fiber" : "thread"; }

} // namespace sim
