// Reads printed sheets back with poppler's tools (pdfinfo, pdftotext) and runs the other
// programs the print tests need: what a program wrote on its standard output and error.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace sidewalk::test {

inline QString RunTool(const QString& program, const QStringList& args, int* status = nullptr) {
    QProcess run;
    run.start(program, args);
    run.waitForFinished(60000);
    if (status) *status = run.exitCode();
    return QString::fromLocal8Bit(run.readAllStandardOutput() + run.readAllStandardError());
}

} // namespace sidewalk::test
