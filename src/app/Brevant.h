#pragma once

// The program: start-up in its fixed order, the message loop, shutdown.
int runBrevant(int argc, char** argv);
