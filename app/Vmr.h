#pragma once

// The program: registers what the layouts name, makes the main window, the spell book and the About window,
// and handles messages until the main window closes. A failure while the windows are made (the database
// file missing) is shown in an error box and ends the program with a non-zero status.
void RegisterVmrClasses();
// Steps up to the message loop; raises what making a window raises, leaving no window behind.
void CreateVmrWindows();
int RunVmr();
