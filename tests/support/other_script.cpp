#include "support/other_script.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <deque>
#include <utility>

namespace test {
namespace {

struct Order {
    std::string name;
    std::vector<int> values;
    std::function<bool()> when;
};

struct OtherScript {
    std::deque<Order> orders;
    std::vector<std::uint64_t> sentFrames;
    sim::Session* session = nullptr;
    int module = 0; // the script's own module handle
};

OtherScript& script() {
    static auto* state = new OtherScript();
    return *state;
}

void sendFirstDue() {
    OtherScript& self = script();
    if (self.orders.empty() || !self.orders.front().when())
        return;
    const Order order = std::move(self.orders.front());
    self.orders.pop_front();
    // Packed 32-bit values after the name's hash, in whole 8-byte slots.
    std::vector<int> data{static_cast<int>(drovil::natives::misc::hashOfName(order.name.c_str()))};
    data.insert(data.end(), order.values.begin(), order.values.end());
    if (data.size() % 2 != 0)
        data.push_back(0);
    const int toEveryone = -1;
    drovil::natives::gameevent::send(1, data.data(), static_cast<int>(data.size() / 2), 2, &toEveryone);
    self.sentFrames.push_back(self.session->host().frame());
}

void otherScriptMain() {
    for (;;) {
        sendFirstDue();
        // The hook's wait, not the plug-in's: this script is none of Drovil's.
        drovil::host().scriptWait(0);
    }
}

} // namespace

void startOtherScript(sim::Session& session) {
    OtherScript& self = script();
    if (self.session)
        return;
    self.session = &session;
    drovil::host().scriptRegister(&self.module, otherScriptMain);
}

void otherScriptSends(const std::string& name, std::vector<int> values, std::function<bool()> when) {
    script().orders.push_back({name, std::move(values), std::move(when)});
}

const std::vector<std::uint64_t>& otherScriptSentFrames() { return script().sentFrames; }

} // namespace test
