#include "Brevant.h"

int main(int argc, char** argv) {
    return runBrevant(argc, argv);
}
