#pragma once
// Runs a report's preparation in steps from the event loop, so the window keeps painting and
// the user can cancel. Steps are run for a few milliseconds at a time; a progress dialog with
// "Cancel" appears when the preparation takes longer than half a second.
//
// Steps rather than a worker thread: each step is one aggregate query bounded by an index
// range, so no step keeps the loop waiting for long, and the window's connection, its tables
// and every message box stay in the one thread the rest of the program assumes.

#include "reports/preparation.h"

#include <QString>

class QWidget;

namespace reports {

// True when the preparation ran to its end; false when the user cancelled it. An error of a
// step propagates after the progress dialog has closed.
bool prepareInSteps(QWidget* parent, Preparation& preparation, const QString& label);

}  // namespace reports
