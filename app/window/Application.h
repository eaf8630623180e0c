#pragma once
// Start-up of the program: the display, the French translations, the main window.
int lanceApplication(int argc, char** argv);

// The heap kept by the program between a print's pages: see Application.cpp. Start-up
// does it; a bench that builds the main window itself does it too.
void regleTas();
