#include "printing/pdf_replacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace ombrel {

namespace {

const QString kPartPrefix = QStringLiteral(".ombrel-print-");

QString nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Hidden files of prints whose process has ended: a print killed half way
// cannot remove its own.
void removeStaleParts(const QString& folder)
{
    const QStringList parts =
        QDir(folder).entryList({kPartPrefix + "*.pdf"}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : parts) {
        const QString pid = name.mid(kPartPrefix.size()).section('-', 0, 0);
        bool isNumber = false;
        const long process = pid.toLong(&isNumber);
        if (isNumber && process > 0 && process != getpid() && kill(static_cast<pid_t>(process), 0) != 0 &&
            errno == ESRCH)
            QFile::remove(folder + '/' + name);
    }
}

// A PDF ends with its end-of-file marker; a write that failed (a full disk)
// leaves a file without it, as the printer does not report the failure.
bool endsLikePdf(int descriptor)
{
    const off_t size = lseek(descriptor, 0, SEEK_END);
    char tail[32] = {};
    const off_t from = std::max<off_t>(0, size - off_t(sizeof tail));
    const ssize_t read = pread(descriptor, tail, sizeof tail, from);
    return read > 0 && QByteArray(tail, int(read)).trimmed().endsWith("%%EOF");
}

// Asked as the file system asks it when writing (the effective user).
bool writable(const QString& path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

} // namespace

PdfReplacement::PdfReplacement(QPrinter& printer) : printer_(printer), target_(printer.outputFileName())
{
    if (printer.outputFormat() != QPrinter::PdfFormat || target_.isEmpty())
        return;
    const QString folder = QFileInfo(target_).absolutePath();
    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(target_).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        refusal_ =
            QCoreApplication::translate(
                "PdfReplacement", "Cannot print to %1: it is not a file on a disk but a folder, a pipe or a device.")
                .arg(nativeName(target_));
        return;
    }
    removeStaleParts(folder);
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        part_ = QString("%1/%2%3-%4.pdf")
                    .arg(folder, kPartPrefix)
                    .arg(getpid())
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        // Created as any new file is, so the umask applies.
        descriptor_ = ::open(QFile::encodeName(part_).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        const int error = errno;
        part_.clear();
        if (exists && writable(target_) && (error == EACCES || error == EPERM || error == EROFS))
            refusal_ = QCoreApplication::translate(
                           "PdfReplacement",
                           "Cannot print to %1: its folder does not allow new files. The report is written to "
                           "a new file next to the old one, which it replaces only once complete, so that a "
                           "failed print cannot damage the old file. Please print into another folder.")
                           .arg(nativeName(target_));
        else
            refusal_ = QCoreApplication::translate("PdfReplacement", "Cannot print to %1: %2.")
                           .arg(nativeName(target_), systemError(error));
        return;
    }
    if (exists)
        ::fchmod(descriptor_, old.st_mode & 07777);
    printer.setOutputFileName(part_);
}

PdfReplacement::~PdfReplacement()
{
    if (part_.isEmpty())
        return;
    printer_.setOutputFileName(target_);
    if (descriptor_ >= 0)
        ::close(descriptor_);
    QFile::remove(part_);
}

QString PdfReplacement::writeFailure() const
{
    struct statvfs disk {};
    const bool full = descriptor_ >= 0 && ::fstatvfs(descriptor_, &disk) == 0 && disk.f_bavail == 0;
    return QCoreApplication::translate(
               "PdfReplacement",
               "Cannot print to %1: the report could not be written completely%2. The old file is kept.")
        .arg(nativeName(target_),
             full ? QCoreApplication::translate("PdfReplacement", ", as the disk is full") : QString());
}

QString PdfReplacement::commit()
{
    if (part_.isEmpty())
        return {};
    if (!endsLikePdf(descriptor_))
        return writeFailure();
    if (::fdatasync(descriptor_) != 0)
        return QCoreApplication::translate("PdfReplacement", "Cannot print to %1: %2.")
            .arg(nativeName(target_), systemError(errno));
    if (std::rename(QFile::encodeName(part_).constData(), QFile::encodeName(target_).constData()) != 0)
        return QCoreApplication::translate("PdfReplacement", "Cannot print to %1: %2.")
            .arg(nativeName(target_), systemError(errno));
    part_.clear();
    printer_.setOutputFileName(target_);
    ::close(descriptor_);
    descriptor_ = -1;
    return {};
}

} // namespace ombrel
