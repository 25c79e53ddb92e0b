// Proves the Wine runner's contract with CTest: "exit N" returns N, "crash" faults and must fail
// at once (no crash dialog waiting for a click).
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "exit") == 0) {
        return std::atoi(argv[2]);
    }
    if (argc == 2 && std::strcmp(argv[1], "crash") == 0) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    return 0;
}
