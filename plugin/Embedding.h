// Embedding the form's window in the host's wizard window (func01, func02, func03).
#pragma once

namespace dw {

// func01's steps after the form exists: size and centre the host window, parent the form.
void EmbedInHost();
// func03: place the form so only its client area shows, and show it.
void PlaceAndShow();
// Keeps the shown form above the host's other windows and their painting off it: at func03
// and after each click sent to the host, which may create page windows.
void KeepFormAboveHostWindows();
// func02: close (hide) the form if it exists.
void CloseForm();

}  // namespace dw
