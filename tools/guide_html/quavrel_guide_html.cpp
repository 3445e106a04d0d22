// quavrel-guide-html: writes the user guide (Markdown) as the program folder's readme.html,
// the page the program opens on a first run and from its web-page button.
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Usage: quavrel-guide-html GUIDE.md readme.html\n");
        return 2;
    }
    QFile guide(QString::fromLocal8Bit(argv[1]));
    if (!guide.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Cannot read %s: %s\n", argv[1], qPrintable(guide.errorString()));
        return EXIT_FAILURE;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(guide.readAll()));
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Quavrel"));
    QFile page(QString::fromLocal8Bit(argv[2]));
    if (!page.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        page.write(document.toHtml().toUtf8()) < 0 || !page.flush()) {
        std::fprintf(stderr, "Cannot write %s: %s\n", argv[2], qPrintable(page.errorString()));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
