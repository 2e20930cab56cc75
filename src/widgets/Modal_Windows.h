#pragma once

// Closes the open modal windows, topmost first, as the user closing each would: a question box
// gives its escape answer (No for a Yes / No box), a dialog is rejected. It stops at a window that
// refuses to close. Meant for the program's close while a question still waits: its exec() loop
// runs further down the stack and returns, with that answer, once the caller's handler is done.
void Close_Modal_Windows();
