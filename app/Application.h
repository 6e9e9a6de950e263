#pragma once

// Initialises the application, creates the five windows in order and runs the event loop.
int RunApplication(int argc, char** argv);
