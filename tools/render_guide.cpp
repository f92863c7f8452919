// Renders the user's guide from Markdown into a PDF: render_guide <guide.md> <guide.pdf>.
// Runs headless; each top-level heading starts a new page.

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cstdio>
#include <vector>

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

// Pictures (screenshots) span the given width (in pixels of 96 per inch, which Qt scales to the
// printer's), whatever their pixel size. False when one cannot be read.
bool fitImages(QTextDocument& document, double width) {
    struct Picture {
        int position, length;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (piece.charFormat().isImageFormat()) {
                pictures.push_back(
                    {piece.position(), piece.length(), piece.charFormat().toImageFormat()});
            }
        }
    }
    // Formats are changed after the walk: a change splits and merges the fragments walked.
    for (auto& [position, length, format] : pictures) {
        const QImage image(document.baseUrl().resolved(QUrl(format.name())).toLocalFile());
        if (image.isNull()) {
            std::fprintf(stderr, "render_guide: cannot read the picture %s\n",
                         qPrintable(format.name()));
            return false;
        }
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    return true;
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
    // Pictures are named relative to the guide.
    document.setBaseUrl(
        QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath() + "/"));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    breakBeforeChapters(document);
    formatTables(document);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Hygrovane 1.1 User's Guide"));
    pdf.setCreator(QStringLiteral("Hygrovane"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    // Before the layout: a picture resized in a laid-out document loses the text after it.
    const double textWidth =
        pdf.pageLayout().paintRectPixels(pdf.resolution()).width() - 2 * document.documentMargin();
    if (!fitImages(document, textWidth * 96 / pdf.resolution())) {
        return 1;
    }
    // Lay the text out at the writer's own resolution, so that the fonts are measured as they
    // are printed and the text fills the page between the margins.
    document.documentLayout()->setPaintDevice(&pdf);
    document.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    document.print(&pdf);
    return 0;
}
