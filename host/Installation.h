// The demo's installation: a few seconds of "copying files", reported to the plug-in with
// func06 while the host keeps pumping messages (the form stays alive), then func07.
#pragma once

namespace host {

// On the GUI thread, inside the click that reached the installing page.
void RunInstallation();
// On a worker thread (--worker); the thread posts kInstallationDoneMessage to the wizard
// window when it has reported the outcome. False when no thread could be started.
bool StartInstallationThread();
// The wizard window's handling of kInstallationDoneMessage.
void InstallationThreadDone();

// Processes messages for the given time without using the processor while idle. False
// when the application was told to quit (the quit request is posted again).
bool PumpMessagesFor(int milliseconds);

}  // namespace host
