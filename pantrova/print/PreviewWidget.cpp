#include "PreviewWidget.h"

#include "Document.h"
#include "PagePainter.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace print {

namespace {
constexpr int kDeskMargin = 10; // pixels around the page
constexpr int kShadow = 3;
} // namespace

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewWidget::setDocument(const Document* document)
{
    m_document = document;
    update();
}

void PreviewWidget::setPage(int page)
{
    m_page = page;
    update();
}

QRectF PreviewWidget::pageRect() const
{
    if (!m_document || m_page < 1 || m_page > m_document->pageCount())
        return {};
    const QSizeF paper(m_document->pageWidth(), m_document->pageHeight());
    const QSizeF room(std::max(1, width() - 2 * kDeskMargin), std::max(1, height() - 2 * kDeskMargin));
    const QSizeF shown = paper.scaled(room, Qt::KeepAspectRatio);
    return {QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

void PreviewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const QRectF page = pageRect();
    if (page.isEmpty())
        return;
    painter.fillRect(page.translated(kShadow, kShadow), QColor(0x50, 0x50, 0x50));
    painter.fillRect(page, Qt::white);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    const double scale = page.width() / m_document->pageWidth();
    painter.scale(scale, scale);
    PagePainter::paint(*m_document, m_page, painter, Document::TwipsPerInch * scale * devicePixelRatioF());
}

void PreviewWidget::keyPressEvent(QKeyEvent* event)
{
    const int last = m_document ? m_document->pageCount() : 0;
    switch (event->key()) {
    case Qt::Key_PageDown:
        emit pageRequested(m_page + 1);
        break;
    case Qt::Key_PageUp:
        emit pageRequested(m_page - 1);
        break;
    case Qt::Key_Home:
        emit pageRequested(1);
        break;
    case Qt::Key_End:
        emit pageRequested(last);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PreviewWidget::wheelEvent(QWheelEvent* event)
{
    // One notch of a wheel turns one page; touchpads send many small steps that add up to one.
    m_wheel += event->angleDelta().y();
    while (m_wheel <= -120) {
        m_wheel += 120;
        emit pageRequested(m_page + 1);
    }
    while (m_wheel >= 120) {
        m_wheel -= 120;
        emit pageRequested(m_page - 1);
    }
    event->accept();
}

} // namespace print
