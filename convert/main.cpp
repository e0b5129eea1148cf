// convert/main.cpp: the process start of the converter.
#include "convert/main_program.hpp"

int main(int argc, char** argv) { zx::convert::mainProgram(argc, argv); }
