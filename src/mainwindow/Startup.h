#pragma once
// The program's start-up and shut-down orders around the main window's message loop.

namespace workspace {

// Puts the program's classes into the registries and its clipboard object in place; undone in
// reverse by FinishProgram.
void StartProgram();
void FinishProgram();

// Start-up, the main window, the message loop until it closes, shut-down. Returns the exit code.
int RunKorvalin();

}  // namespace workspace
