// The client area of the main window: shows the offscreen picture of the scope. Painting
// only copies the picture; drawing it is the renderer's work.
#pragma once

#include <QImage>
#include <QWidget>

namespace zaz {

class ScopeView : public QWidget {
    Q_OBJECT
public:
    explicit ScopeView(const QImage &picture, QWidget *parent = nullptr);

signals:
    void resized(const QSize &size);
    // Emitted before the picture is copied to the window.
    void aboutToPaint();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    const QImage &picture_;
};

} // namespace zaz
