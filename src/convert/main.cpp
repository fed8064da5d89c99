// zentu-convert: converts question sets between question files, tables and the listing.
// Everything but the streams is in exchange/converter.
#include <iostream>
#include <string>
#include <vector>

#include "exchange/converter.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = RunConverter(args, ZENTU_VERSION, out, err);
    std::cout << out << std::flush;
    std::cerr << err << std::flush;
    return status;
}
