// Program entry of the vornscript console program.
#include <iostream>

int main(int, char**) {
    std::cout << "vornscript 1.0\n";
    return 1;
}
