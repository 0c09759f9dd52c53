#include "book/qt/plot_pdf.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "book/memory_drawing.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/replacing_file.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

using visio::MemoryPage;
using visio::MemoryShape;
using visio::ShapeKind;

constexpr int kDotsPerInch = 600;

QPageLayout LayoutOf(const MemoryPage& page) {
    const double width = page.WidthInches();
    const double height = page.HeightInches();
    const QPageSize size(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Inch);
    return QPageLayout(size, width > height ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

QString Escaped(const std::string& text) {
    return ToQString(text).toHtmlEscaped();
}

// The document's properties as the file's metadata: title, description and subject.
QByteArray Metadata(const visio::MemoryDocument& document) {
    const QString xmp =
        QStringLiteral(
            "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
            "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
            "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
            "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
            "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%2</rdf:li></rdf:Alt>"
            "</dc:description>\n"
            "<dc:subject><rdf:Bag><rdf:li>%3</rdf:li></rdf:Bag></dc:subject>\n"
            "<dc:creator><rdf:Seq><rdf:li>VELDRA</rdf:li></rdf:Seq></dc:creator>\n"
            "</rdf:Description>\n"
            "</rdf:RDF>\n"
            "</x:xmpmeta>\n"
            "<?xpacket end=\"w\"?>")
            .arg(Escaped(document.Title()), Escaped(document.Description()),
                 Escaped(document.Subject()));
    return xmp.toUtf8();
}

// One sheet on the painter: inches from the lower left become device dots from the top.
class Sheet {
public:
    Sheet(QPainter& painter, double heightInches) : painter_(painter), height_(heightInches) {}

    void Draw(const std::vector<std::unique_ptr<MemoryShape>>& shapes) {
        for (const auto& shape : shapes) {
            Draw(*shape);
        }
    }

private:
    QPointF At(double x, double y) const {
        return {x * kDotsPerInch, (height_ - y) * kDotsPerInch};
    }

    QPen Pen(const MemoryShape& shape) const {
        return QPen(Qt::black, std::max(shape.LineWeight() / 72 * kDotsPerInch, 1.0));
    }

    void Draw(const MemoryShape& shape) {
        switch (shape.Kind()) {
            case ShapeKind::Group:
                Draw(shape.Members());
                return;
            case ShapeKind::Sheet:
                return;
            case ShapeKind::Line:
                if (shape.LineStyle().line) {
                    painter_.setPen(Pen(shape));
                    painter_.drawLine(At(shape.X1(), shape.Y1()), At(shape.X2(), shape.Y2()));
                }
                return;
            case ShapeKind::Rectangle:
                DrawBlock(shape);
                return;
        }
    }

    void DrawBlock(const MemoryShape& shape) {
        const QRectF box =
            QRectF(At(shape.X1(), shape.Y1()), At(shape.X2(), shape.Y2())).normalized();
        if (shape.FillStyle().fill) {
            painter_.fillRect(box, Qt::white);
        }
        if (shape.LineStyle().line) {
            painter_.setPen(Pen(shape));
            painter_.drawRect(box);
        }
        if (shape.Text().empty()) {
            return;
        }
        QFont font(ToQString(shape.TextStyle().font));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(std::max(shape.CharSize(), 1.0));
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        constexpr Qt::Alignment kAcross[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        constexpr Qt::Alignment kDown[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
        const int across = std::clamp(shape.HorizontalAlign(), 0, 2);
        const int down = std::clamp(shape.VerticalAlign(), 0, 2);
        QString text = ToQString(shape.Text());
        text.replace("\r\n", "\n");
        painter_.drawText(
            box, int(kAcross[across] | kDown[down]) | Qt::TextWordWrap | Qt::TextDontClip, text);
    }

    QPainter& painter_;
    double height_;
};

[[noreturn]] void CannotWrite(const std::filesystem::path& file, const QString& why) {
    throw RuntimeError("The file " + file.string() + " cannot be written: " + why.toStdString());
}

}  // namespace

void WritePlotPdf(const visio::MemoryDocument& document, const std::filesystem::path& file) {
    const std::vector<const MemoryPage*> pages = document.DrawingPages();
    if (pages.empty()) {
        throw RuntimeError("The plot has no page to write.");
    }
    ReplacingFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        CannotWrite(file, out.errorString());
    }
    {
        QPdfWriter pdf(&out);
        pdf.setResolution(kDotsPerInch);
        pdf.setTitle(ToQString(document.Title()));
        pdf.setCreator("VELDRA");
        pdf.setDocumentXmpMetadata(Metadata(document));
        pdf.setPageLayout(LayoutOf(*pages.front()));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            CannotWrite(file, "the PDF could not be started");
        }
        painter.setRenderHint(QPainter::Antialiasing);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const MemoryPage& page = *pages[i];
            if (i > 0) {
                pdf.setPageLayout(LayoutOf(page));
                if (!pdf.newPage()) {
                    CannotWrite(file, "a new page could not be started");
                }
            }
            Sheet sheet(painter, page.HeightInches());
            if (page.BackPage() != nullptr) {
                sheet.Draw(page.BackPage()->ShapeList());
            }
            sheet.Draw(page.ShapeList());
        }
        painter.end();
    }
    if (!out.Commit()) {
        CannotWrite(file, out.errorString());
    }
}

}  // namespace veldra
