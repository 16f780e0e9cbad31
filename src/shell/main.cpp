#include "shell/basStartUp.h"

int main(int argc, char** argv) { return quorvane::basStartUp::Main(argc, argv); }
