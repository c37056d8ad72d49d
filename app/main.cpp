// Tovarin: reinforced-concrete member design to GB 50010-2010.
#include "app/qvapp.h"

int main(int argc, char** argv) { return tov::app::runProgram(argc, argv); }
