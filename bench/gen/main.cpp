// Writes a generated application source to standard output:
//   veldra_gen [statements] [bits] [boards] [contact groups] > big.ml2
#include <cstdlib>
#include <iostream>

#include "generate_application.h"

int main(int argc, char** argv) {
    veldra::bench::ApplicationSize size;
    if (argc > 1) {
        size.statements = std::atoi(argv[1]);
    }
    if (argc > 2) {
        size.bits = std::atoi(argv[2]);
    }
    if (argc > 3) {
        size.boards = std::atoi(argv[3]);
    }
    if (argc > 4) {
        size.contactGroups = std::atoi(argv[4]);
    }
    if (size.statements < 1 || size.bits < size.statements || size.boards < 0 ||
        size.contactGroups < 1) {
        std::cerr << "usage: veldra_gen [statements] [bits >= statements] [boards] [contact "
                     "groups >= 1]\n";
        return 2;
    }
    std::cout << veldra::bench::GenerateApplication(size);
    return 0;
}
