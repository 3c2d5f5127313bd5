// One function, no class: ending the program with its last window.
#pragma once

class QObject;

// Makes the program end (QCoreApplication::quit) when the last open main or help window closes,
// and only then: closing any other window (a table window) never ends it. Turns Qt's own rule
// off, which leaves tool windows out and so would end the program with a table window. Returns
// the watch, owned by the application; deleting it stops the watch.
QObject* endWithLastWindow();
