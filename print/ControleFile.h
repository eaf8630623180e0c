#pragma once
// Before anything goes to a printer queue. One that refuses jobs would lose them without a
// word: it gets nothing, and the user is told why. One that is stopped holds them until
// it is started again: the user is told, and chooses whether to send them all the same.
// Output to a file, or to the preview, goes on at once. The print run and the calibration
// page ask here before they print anything.

#include "platform/Outcome.h"

class Dialogs;
class PrinterService;

enum class Envoi { Oui, Non };

// Non when the user chose not to send to a stopped queue; the failure, to report, when
// the queue refuses jobs.
Result<Envoi> ControleFile(PrinterService& imprimante, Dialogs& dialogues);

QString MessageFileRefuse(const QString& imprimante);
QString QuestionFileArretee(const QString& imprimante);
