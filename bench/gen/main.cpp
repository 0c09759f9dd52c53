// Writes a generated application source to standard output:
//   veldra_gen [statements] [bits] [boards] > big.ml2
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
    if (size.statements < 1 || size.bits < size.statements || size.boards < 0) {
        std::cerr << "usage: veldra_gen [statements] [bits >= statements] [boards]\n";
        return 2;
    }
    std::cout << veldra::bench::GenerateApplication(size);
    return 0;
}
