#pragma once
// Start-up of the program: the display, the French translations, the main window.
int lanceApplication(int argc, char** argv);
