// The client area of the main window: shows the offscreen picture of the scope. Painting
// only copies the picture; drawing it is the renderer's work.
#pragma once

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
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
    // The mouse, the wheel and the keys on the scope, for the main window to handle.
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    void mouseDoubleClicked(QMouseEvent *event);
    void wheelTurned(QWheelEvent *event);
    void keyPressed(QKeyEvent *event);
    void keyReleased(QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    const QImage &picture_;
};

} // namespace zaz
