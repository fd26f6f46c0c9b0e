#pragma once
// Tells the user that a file was not saved, so that nobody goes on believing
// the settings are safe.
#include "files/TextFile.h"
#include "texts/TextTable.h"

class QWidget;

namespace pb {

// The message of the box: the file's path and the reason, CR LF between.
QString SaveFailureMessage(const WriteOutcome& outcome);

// Shows the message in a box captioned with the program's title; does
// nothing when the file was written.
void ReportFailedSave(QWidget* parent, const TextTable& texts, const WriteOutcome& outcome);

} // namespace pb
