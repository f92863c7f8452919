#pragma once

// Reading a design report back: poppler's tools on its PDF, and the checks of its text and of
// the boxes its layout painted, shared by the processes' and the climate's report tests.
#include "views/report/report_layout.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <utility>

#include <gtest/gtest.h>

namespace hygrovane::views {

// A poppler tool's output for a file; empty when the tool could not run.
inline QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " did not run (apt-get install poppler-utils)";
        return {};
    }
    // The fonts join fi, ff and the like into one glyph, which pdftotext writes as a ligature.
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    const std::pair<char16_t, const char*> ligatures[] = {{u'\uFB00', "ff"},
                                                          {u'\uFB01', "fi"},
                                                          {u'\uFB02', "fl"},
                                                          {u'\uFB03', "ffi"},
                                                          {u'\uFB04', "ffl"}};
    for (const auto& [ligature, letters] : ligatures) {
        text.replace(QChar(ligature), QLatin1String(letters));
    }
    return text;
}

// Whether every text of `wanted` is found in `lines`, in this order.
inline ::testing::AssertionResult InOrder(const QString& lines, const QStringList& wanted) {
    qsizetype at = 0;
    for (const QString& text : wanted) {
        const qsizetype found = lines.indexOf(text, at);
        if (found < 0) {
            return ::testing::AssertionFailure()
                   << "\"" << text.toStdString() << "\" missing after column " << at << " of\n"
                   << lines.toStdString();
        }
        at = found + text.size();
    }
    return ::testing::AssertionSuccess();
}

// The lines of the text that begin with `first` followed by a blank, joined.
inline QString LinesOf(const QString& text, const QString& first) {
    QString joined;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(first + QLatin1Char(' '))) {
            joined += trimmed + QLatin1Char('\n');
        }
    }
    return joined;
}

inline ::testing::AssertionResult NoOverlap(const report::Layout& layout) {
    if (const auto pair = report::FirstOverlap(layout.items)) {
        const report::Item& a = layout.items[pair->first];
        const report::Item& b = layout.items[pair->second];
        return ::testing::AssertionFailure()
               << "page " << a.page + 1 << ": \"" << a.text.toStdString() << "\" overlaps \""
               << b.text.toStdString() << "\"";
    }
    return ::testing::AssertionSuccess();
}

} // namespace hygrovane::views
