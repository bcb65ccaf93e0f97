// Typesets the user manual from its Markdown source into a PDF.
// Usage: manualgen SOURCE.md OUTPUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // a build step has no display
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: manualgen SOURCE.md OUTPUT.pdf\n");
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "manualgen: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument doc;
  QFont body(QStringLiteral("Liberation Sans"));
  body.setPointSizeF(10.5);
  doc.setDefaultFont(body);
  doc.setDefaultStyleSheet(QStringLiteral("h1 { color: #2b3a4a; } h2 { color: #2b3a4a; } code { font-family: monospace; }"));
  doc.setMarkdown(QString::fromUtf8(source.readAll()));

  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString partial = out + QStringLiteral(".part");
  {
    QPdfWriter writer(partial);
    writer.setTitle(QStringLiteral("Corvane Metronome - User Manual"));
    writer.setCreator(QStringLiteral("Corvane Metronome manualgen"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                     QPageLayout::Millimeter));
    doc.print(&writer);
  }
  QFile::remove(out);
  if (!QFile::rename(partial, out)) {
    std::fprintf(stderr, "manualgen: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
