#include <unistd.h>

#include <iostream>

#include "cli/CommandRegistry.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    vantorel::cli::CommandIO io{std::cout, std::cerr, std::cin, isatty(STDERR_FILENO) != 0};
    int code = vantorel::cli::runVantorel(args, io);
    std::cout.flush();
    return code;
}
