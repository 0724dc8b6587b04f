// The process starts here and hands over to the program.
#include "app/program.h"

int main(int argumentCount, char** arguments) { return app::Run(argumentCount, arguments); }
