// drovil-sim: runs the plug-in in the simulated game and prints what happens.
#include "cli/options.h"
#include "host/native_dispatch.h"
#include "session/session.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    sim::CliOptions options;
    std::string error;
    if (!sim::parseCliOptions(argc, argv, options, error)) {
        std::cerr << "drovil-sim: " << error << "\n" << sim::cliUsage();
        return 2;
    }
    if (options.help) {
        std::cout << sim::cliUsage();
        return 0;
    }
    if (options.listNatives) {
        for (std::uint64_t hash : sim::SimHost::instance().dispatch().implementedHashes())
            std::cout << sim::hexHash(hash) << "\n";
        return 0;
    }
    return sim::runCli(options);
}
