// Renders the user's guide from Markdown into a PDF: render_guide <guide.md> <guide.pdf>.
// Runs headless; each top-level heading starts a new page.

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>

namespace {

void breakBeforeChapters(QTextDocument& document) {
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) {
            continue;
        }
        if (!first) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        first = false;
    }
}

// The tables of the guide are small reference tables: thin ruled cells with some air.
void formatTables(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorderCollapse(true);
            format.setBorder(2);
            format.setBorderBrush(QColor(120, 120, 120));
            format.setCellSpacing(0);
            format.setCellPadding(6);
            format.setTopMargin(12);
            format.setBottomMargin(18);
            table->setFormat(format);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_guide <guide.md> <guide.pdf>\n");
        return 2;
    }

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render_guide: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont body(QStringLiteral("Liberation Serif"));
    body.setPointSizeF(11);
    document.setDefaultFont(body);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    breakBeforeChapters(document);
    formatTables(document);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Hygrovane 1.1 User's Guide"));
    pdf.setCreator(QStringLiteral("Hygrovane"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    // Lay the text out at the writer's own resolution, so that the fonts are measured as they
    // are printed and the text fills the page between the margins.
    document.documentLayout()->setPaintDevice(&pdf);
    document.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    document.print(&pdf);
    return 0;
}
