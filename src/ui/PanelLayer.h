#pragma once
#include <QRect>
#include <QWidget>

#include <vector>

// A panel laid over the whole client area, so that its controls keep the window's coordinates.
// It takes the pointer only where one of its controls is shown: the markers, the cells and the
// window's own controls between them stay within reach as before.
class PanelLayer : public QWidget
{
public:
    PanelLayer(QWidget *client, const QString &name);

protected:
    void childEvent(QChildEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void fitMask();

    std::vector<QRect> m_shown; // the rectangles the mask was made of
    bool m_masked = false;
};
