#pragma once

#include <functional>

class NvSNMPRequest2Controls;
class QWidget;

// Moves a top-level window so that it is centred on the main window (when there is none: on
// the window's owner, else on its screen).
void CentreOnMainWindow(QWidget* window);

// Lets window messages and SNMP answers run while the binding is busy, for at most limitMs.
// The SNMP answers are pumped here as well, so that a wait begun inside a completion (where
// the event pump's timer stands still) still gets them. Returns whether the binding is idle.
bool WaitWhileBusy(const NvSNMPRequest2Controls& binding, int limitMs);

// Runs action; an error it raises becomes a status line of the binding for operation (0 read,
// 1 write) instead of going further.
void ReportingRaisedErrors(NvSNMPRequest2Controls& binding, int operation,
                           const std::function<void()>& action);
