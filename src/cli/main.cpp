// talkwright-cli: the headless front end of Talkwright. Each sub-command lives in a
// file of its own and is listed in the command table (cli_command.cpp).

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return tw::cli::RunCliMain(args, std::cin, std::cout, std::cerr);
}
