// drovil-check DIR: checks an edited Drovil/ folder before the game starts.
#include "folder_check.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return drovil::check::runCheckCommand(arguments, std::cout, std::cerr);
}
