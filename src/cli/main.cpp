#include <cstdio>

int main() {
    std::puts("tavrin-cli: not built yet");
    return 0;
}
