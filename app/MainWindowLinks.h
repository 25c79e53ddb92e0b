#pragma once

// Gives the layers below the shell their way to the main window: the PDF control's events (its
// close sequence, the sign-in before a save) and the dialogs. Made by getMainDlg, once g_mainDlg
// is set and before its window (and the control in it) is built.
void connectMainWindowLinks();
