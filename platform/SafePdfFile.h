#pragma once
// A PDF that Qt writes under a temporary name beside the file the user chose, and that
// takes that file's place only once it is known whole. Qt's PDF writer drops every write
// error and QPainter::end() still reports success, so a full disk would otherwise leave a
// truncated file under the chosen name, over the good one that was there. Whole means
// flushed to the disk and ending as a PDF ends: its cross-reference table where its last
// lines say, which a lost block anywhere before moves, and the end-of-file mark.

#include "platform/FichierSansNom.h"
#include "platform/Outcome.h"

#include <QString>
#include <memory>

class SafePdfFile {
public:
    // The file the user chose; a symbolic link there is followed, as for any saved file.
    explicit SafePdfFile(const QString& target);
    ~SafePdfFile(); // a temporary still there goes
    SafePdfFile(const SafePdfFile&) = delete;
    SafePdfFile& operator=(const SafePdfFile&) = delete;

    // Creates the temporary, with the permissions that the file will keep. It has no name
    // in the folder until it is whole (FichierSansNom): a run killed meanwhile leaves
    // nothing there.
    Status open();
    // Where Qt is to write it.
    QString temporaryPath() const;
    // Checks the temporary and puts it in the file's place; on any failure removes it and
    // leaves the file as it was.
    Status commit();
    // Removes the temporary.
    void discard();
    // The failure to write the file in full, for whoever finds it first.
    Status notWhole() const;

    // Whether the PDF at `path` is flushed to the disk and whole, as above: for any PDF
    // Qt has written, whose writer never says it failed.
    static bool isWhole(const QString& path);

private:
    QString m_shown; // the name the user chose, in the messages
    QString m_target;
    std::unique_ptr<FichierSansNom> m_temporary;
};
