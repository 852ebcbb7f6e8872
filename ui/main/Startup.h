#pragma once

class UserDialogs;

// Start-up: makes the two windows and the one campaign document, shows the
// main window and returns when it has been hidden (Exit) or closed.
int runEditor(UserDialogs& dialogs);
