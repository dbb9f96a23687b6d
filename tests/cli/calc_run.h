#pragma once

#include "cli/calc_command.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::test {

// What one run of ombrel-calc gave.
struct CalcRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline QByteArray readBack(std::FILE* file)
{
    QByteArray bytes;
    std::rewind(file);
    char chunk[4096];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, file))
        bytes.append(chunk, static_cast<qsizetype>(got));
    std::fclose(file);
    return bytes;
}

// Runs the command as main() does, with the input on its standard input.
inline CalcRun runCalc(const QStringList& args, const QByteArray& input = {})
{
    std::vector<std::string> texts;
    for (const QString& arg : args)
        texts.push_back(arg.toStdString());
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, static_cast<size_t>(input.size()), in);
    std::fflush(in);
    std::rewind(in);
    CalcRun run;
    run.status = RunCalcCommand(views, fileno(in), fileno(out), fileno(err));
    std::fclose(in);
    run.out = readBack(out);
    run.err = readBack(err);
    return run;
}

} // namespace ombrel::test
