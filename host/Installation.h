// The demo's installation: a few seconds of "copying files", reported to the plug-in with
// func06 while the host keeps pumping messages (the form stays alive), then func07.
#pragma once

namespace host {

void RunInstallation();

// Processes messages for the given time without using the processor while idle. False
// when the application was told to quit (the quit request is posted again).
bool PumpMessagesFor(int milliseconds);

}  // namespace host
