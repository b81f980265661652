#pragma once

class NvSNMPRequest2Controls;
class QWidget;

// Moves a top-level window so that it is centred on the main window (when there is none: on
// the window's owner, else on its screen).
void CentreOnMainWindow(QWidget* window);

// Lets window messages and SNMP answers run while the binding is busy, for at most limitMs.
// The SNMP answers are pumped here as well, so that a wait begun inside a completion (where
// the event pump's timer stands still) still gets them. Returns whether the binding is idle.
bool WaitWhileBusy(const NvSNMPRequest2Controls& binding, int limitMs);
