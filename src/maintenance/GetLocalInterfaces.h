#pragma once

#include "LocalInterface.h"

#include <QVector>

// The most entries the interface list holds.
constexpr int kMaxLocalInterfaces = 10;

// Fills list with the PC's IPv4 interface addresses (at most kMaxLocalInterfaces, in the
// platform's order) and returns their number; 0 when the list cannot be read.
int GetLocalInterfaces(QVector<LocalInterface>& list);
