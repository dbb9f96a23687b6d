#pragma once

#include <QString>

class QPrinter;

namespace ombrel {

// A PDF file is printed into a new file beside its name, which takes the
// file's place only once complete and on the disk, so a cancelled or failed
// print leaves an existing file as it was. The new file keeps the old one's
// mode, or follows the umask when there was none. The hidden file carries
// the printing process's id, and a later print into the same folder removes
// those whose process is gone (a print killed half way).
class PdfReplacement {
public:
    // Points the printer at the new file when it prints to a PDF file.
    explicit PdfReplacement(QPrinter& printer);
    ~PdfReplacement();
    PdfReplacement(const PdfReplacement&) = delete;
    PdfReplacement& operator=(const PdfReplacement&) = delete;

    // The file the user asked for.
    const QString& target() const { return target_; }
    // Why the print cannot start; empty when it can.
    const QString& refusal() const { return refusal_; }
    // Whether the printer prints into a new file.
    bool replacing() const { return !part_.isEmpty(); }
    // Why printing into the new file failed.
    QString writeFailure() const;
    // Puts the printed file in place of the old one; the message to show
    // when that failed, empty when done.
    QString commit();

private:
    QPrinter& printer_;
    QString target_;
    QString part_;
    int descriptor_ = -1;
    QString refusal_;
};

} // namespace ombrel
