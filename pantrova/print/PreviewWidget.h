#pragma once

#include <QWidget>

namespace print {

class Document;

// Shows one page of a document, whole, as large as the widget allows, on a grey desk. It only
// paints: the page is drawn from the document's records each time (PagePainter), never kept as an
// image. The page number is the owner's to keep within the document; Page Up, Page Down, Home, End
// and the mouse wheel ask for another page through pageRequested.
class PreviewWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    void setDocument(const Document* document);
    void setPage(int page);
    int page() const { return m_page; }
    // Where the page is drawn (widget pixels); empty when there is no page.
    QRectF pageRect() const;

    QSize sizeHint() const override { return {360, 440}; }

signals:
    void pageRequested(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const Document* m_document = nullptr;
    int m_page = 0;
    int m_wheel = 0;
};

} // namespace print
