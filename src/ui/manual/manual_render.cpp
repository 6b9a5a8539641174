// Renders the user manual (Markdown with pictures) into a PDF:
//   quorvane_manual_render MANUAL.md OUT.pdf
// Pictures are looked up beside the Markdown file; a picture that is not there (a
// screenshot not made yet) is left out with its line, and the rest still renders.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>
#include <cstdio>

namespace {

// Widest a picture is drawn, in the document's pixels (the text width of the page).
constexpr double kMostPictureWidth = 640.0;
const char* const kFontFamily = "IPAGothic";

// The pictures the text names, by name, and the text without the lines whose picture
// file is missing.
struct Pictures {
  QString markdown;
  QList<QPair<QString, QImage>> images;
};

Pictures LoadPictures(const QString& markdown, const QString& folder) {
  static const QRegularExpression kPicture(R"(!\[[^\]]*\]\(([^)\s]+)\))");
  Pictures pictures;
  QStringList kept;
  for (const QString& line : markdown.split('\n')) {
    bool missing = false;
    for (auto match = kPicture.globalMatch(line); match.hasNext();) {
      const QString name = match.next().captured(1);
      const QImage image(folder + "/" + name);
      if (image.isNull()) {
        std::fprintf(stderr, "manual: no picture %s, left out\n", qPrintable(name));
        missing = true;
      } else {
        pictures.images.append({name, image});
      }
    }
    if (!missing) kept << line;
  }
  pictures.markdown = kept.join('\n');
  return pictures;
}

// Scales every picture wider than the page down to the page, keeping its shape.
void FitPictures(QTextDocument& doc) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QImage image =
          doc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
      if (image.isNull() || image.width() <= kMostPictureWidth) continue;
      format.setWidth(kMostPictureWidth);
      format.setHeight(kMostPictureWidth * image.height() / image.width());
      QTextCursor cursor(&doc);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

// Room above headings and between paragraphs, and padding in table cells, which the
// plain Markdown reading leaves tight.
void SpaceOut(QTextDocument& doc) {
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    const int level = format.headingLevel();
    if (level > 0) {
      format.setTopMargin(level == 1 ? 4 : 14);
      format.setBottomMargin(6);
    } else if (!cursor.currentTable()) {
      format.setBottomMargin(std::max(format.bottomMargin(), 5.0));
    }
    cursor.setPosition(block.position());
    if (QTextTable* table = cursor.currentTable()) {
      QTextTableFormat table_format = table->format();
      table_format.setCellPadding(3);
      table_format.setBorderCollapse(true);
      table->setFormat(table_format);
      continue;
    }
    cursor.setBlockFormat(format);
  }
}

// Lays the document out on A4 pages and draws them, each with its number at the foot.
void Print(QTextDocument& doc, QPdfWriter& pdf) {
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
  const QRect paint = pdf.pageLayout().paintRectPixels(pdf.resolution());
  // The document is laid out in the screen's pixels and scaled to the page.
  const double scale = pdf.resolution() / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  const double footer = 28.0;
  const QSizeF page(paint.width() / scale, paint.height() / scale - footer);
  doc.setPageSize(page);
  QPainter painter(&pdf);
  const int pages = doc.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) pdf.newPage();
    painter.save();
    painter.scale(scale, scale);
    painter.translate(0, -i * page.height());
    doc.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
    painter.restore();
    painter.save();
    painter.scale(scale, scale);
    QFont font = doc.defaultFont();
    font.setPixelSize(12);  // in the scaled pixels of the page, as the text
    painter.setFont(font);
    painter.drawText(QRectF(0, page.height(), page.width(), footer), Qt::AlignCenter,
                     QString("- %1 -").arg(i + 1));
    painter.restore();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MANUAL.md OUT.pdf\n", argv[0]);
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "manual: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument doc;
  QFont font(kFontFamily, 10);
  font.setStyleHint(QFont::SansSerif);
  doc.setDefaultFont(font);
  const QString folder = QFileInfo(source.fileName()).absolutePath();
  const Pictures pictures = LoadPictures(QString::fromUtf8(source.readAll()), folder);
  doc.setMarkdown(pictures.markdown);
  // After the text: reading Markdown empties the document's resources.
  for (const auto& [name, image] : pictures.images) {
    doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
  }
  FitPictures(doc);
  SpaceOut(doc);

  QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
  pdf.setTitle(QString::fromUtf8("Quorvane 使用解説書"));
  pdf.setCreator("Quorvane");
  Print(doc, pdf);
  if (QFileInfo(QString::fromLocal8Bit(argv[2])).size() == 0) {
    std::fprintf(stderr, "manual: nothing written to %s\n", argv[2]);
    return 1;
  }
  return 0;
}
