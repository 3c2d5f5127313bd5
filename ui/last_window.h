// Ending the program with its last window.
#pragma once

class QObject;

// Makes the program end (QCoreApplication::quit) when the last open main or help window closes;
// both are tool windows, which Qt leaves out when it looks for the last window closed. Returns
// the watch, owned by the application; deleting it stops the watch.
QObject* endWithLastWindow();
