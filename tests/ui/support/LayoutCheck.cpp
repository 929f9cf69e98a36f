#include "ui/support/LayoutCheck.h"

#include "ui/Controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWidget>

namespace layoutcheck {

namespace {

// Controls of the program carry names; Qt's own parts of a control do not, or start with "qt_".
bool isControl(const QWidget *w)
{
    const QString n = w->objectName();
    return !n.isEmpty() && !n.startsWith("qt_") && w->isVisible();
}

QString rectText(const QRect &r)
{
    return QString("(%1, %2, %3 x %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool nameMatches(const QString &pattern, const QString &name)
{
    if (pattern.endsWith("(*)"))
        return name.startsWith(pattern.chopped(2));
    return name == pattern;
}

// The allowed overlap of the two, if any; `reversed` says whether `a` is the one meant on top.
const Overlap *allowedOverlap(const std::vector<Overlap> &allowed, const QString &window,
    const QString &a, const QString &b, bool &reversed)
{
    for (const Overlap &o : allowed) {
        if (o.window != window)
            continue;
        if (nameMatches(o.under, a) && nameMatches(o.over, b)) {
            reversed = false;
            return &o;
        }
        if (nameMatches(o.under, b) && nameMatches(o.over, a)) {
            reversed = true;
            return &o;
        }
    }
    return nullptr;
}

QString plain(QString text)
{
    // A single '&' marks the access key and is not drawn; "&&" draws one.
    text.replace("&&", QString(QChar(0xE000)));
    text.remove('&');
    text.replace(QChar(0xE000), "&");
    return text;
}

// The room a button's caption is drawn in, as the style (and the style sheet) gives it.
QRect captionRoom(QAbstractButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    QStyle::SubElement e = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(b))
        e = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton *>(b))
        e = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<QPushButton *>(b))
        return b->contentsRect().adjusted(2, 2, -2, -2);
    return b->style()->subElementRect(e, &opt, b);
}

// Whether `part` shows what the left of `whole` shows, but for its last pixels, where a row's
// highlight draws its right edge.
bool samePixels(const QImage &part, const QImage &whole)
{
    if (part.height() != whole.height() || part.width() > whole.width())
        return false;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width() - 4; ++x)
            if (part.pixel(x, y) != whole.pixel(x, y))
                return false;
    return true;
}

// Each row of an open list as drawn in the list's width, then with room to spare: a row whose
// text was cut off or shortened with "…" looks different. Rows are scrolled into view in turn.
QStringList cutListRows(QComboBox *box)
{
    QAbstractItemView *list = box->view();
    QWidget *popup = list->window();
    auto rows = [&] {
        std::vector<QImage> out;
        for (int r = 0; r < box->count(); ++r) {
            const QModelIndex i = list->model()->index(r, box->modelColumn(), list->rootIndex());
            list->scrollTo(i);
            const QRect at = list->visualRect(i);
            const QSize size(list->viewport()->width() - at.left(), at.height());
            out.push_back(list->viewport()->grab(QRect(at.topLeft(), size)).toImage());
        }
        return out;
    };
    box->showPopup();
    const std::vector<QImage> shown = rows();
    const QSize was = popup->size();
    popup->resize(was.width() + 400, was.height());
    const std::vector<QImage> roomy = rows();
    popup->resize(was);
    box->hidePopup();
    QStringList cut;
    // A list taller than the screen scrolls by arrows, and a row it cannot bring into view draws
    // nothing: its text is then measured against the list's width.
    const int room = list->viewport()->width() - 8;
    for (size_t r = 0; r < shown.size(); ++r) {
        const QString text = box->itemText(static_cast<int>(r));
        if (shown[r].isNull() ? list->fontMetrics().horizontalAdvance(text) > room
                              : !samePixels(shown[r], roomy[r]))
            cut << text;
    }
    return cut;
}

// A closed box's text, drawn whole or ending in "…" by the box itself; its list's rows whole.
QString comboFault(QComboBox *box)
{
    QStringList faults;
    const QStringList cut = cutListRows(box);
    if (!cut.isEmpty())
        faults << QString("list shows \"%1\" cut off").arg(cut.join("\", \""));
    auto *own = qobject_cast<ctl::ComboBox *>(box);
    const QString drawn = own ? own->shownText() : box->currentText();
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    const QRect field = box->style()->subControlRect(
        QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
    const int need = box->fontMetrics().horizontalAdvance(drawn) + 2;
    if (need > field.width())
        faults << QString("shows \"%1\" cut off: it needs %2 pixels, has %3")
                      .arg(drawn)
                      .arg(need)
                      .arg(field.width());
    return faults.join("; ");
}

// A read-out's text whole between its frame's margins; a text box a person types into scrolls.
QString readOutFault(QLineEdit *t)
{
    if (!t->isReadOnly())
        return {};
    QStyleOptionFrame opt;
    opt.initFrom(t);
    opt.lineWidth
        = t->hasFrame() ? t->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, t) : 0;
    const QRect room = t->style()->subElementRect(QStyle::SE_LineEditContents, &opt, t);
    const int need = t->fontMetrics().horizontalAdvance(t->text()) + 4; // Qt's margin, both sides
    if (t->text().isEmpty() || need <= room.width())
        return {};
    return QString("shows \"%1\" cut off: it needs %2 pixels, has %3")
        .arg(t->text())
        .arg(need)
        .arg(room.width());
}

QString captionFault(QWidget *w)
{
    const QFontMetrics fm(w->font());
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (b->text().isEmpty())
            return {};
        const QSize need = fm.size(Qt::TextShowMnemonic, b->text());
        const QRect room = captionRoom(b);
        if (need.width() > room.width() || need.height() > room.height())
            return QString("caption \"%1\" needs %2 x %3 pixels, has %4 x %5")
                .arg(plain(b->text()))
                .arg(need.width())
                .arg(need.height())
                .arg(room.width())
                .arg(room.height());
        return {};
    }
    auto *l = qobject_cast<QLabel *>(w);
    // Pictures have no caption; rich text is laid out by a document, not measured here.
    if (!l || l->text().isEmpty() || !l->pixmap().isNull()
        || (Qt::mightBeRichText(l->text()) && l->textFormat() != Qt::PlainText))
        return {};
    const QString text = l->text();
    const QRect room
        = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const int flags = Qt::TextExpandTabs | (l->wordWrap() ? Qt::TextWordWrap : 0)
        | (l->buddy() ? Qt::TextShowMnemonic : 0);
    const QRect need = fm.boundingRect(room, flags, text);
    if (need.width() > room.width() || need.height() > room.height())
        return QString("text \"%1\" needs %2 x %3 pixels, has %4 x %5%6")
            .arg(text.simplified())
            .arg(need.width())
            .arg(need.height())
            .arg(room.width())
            .arg(room.height())
            .arg(l->wordWrap() ? " (wrapped)" : "");
    return {};
}

struct Placed
{
    QWidget *w;
    QRect inWindow;
};

// Of two controls, the one drawn over the other: of the two branches that hold them below
// their closest common ancestor, the later child is drawn later. None when one holds the other.
QWidget *upper(QWidget *a, QWidget *b)
{
    QList<QWidget *> pathA, pathB;
    for (QWidget *w = a; w; w = w->parentWidget())
        pathA.prepend(w);
    for (QWidget *w = b; w; w = w->parentWidget())
        pathB.prepend(w);
    qsizetype k = 0;
    while (k < pathA.size() && k < pathB.size() && pathA[k] == pathB[k])
        ++k;
    if (k == 0 || k == pathA.size() || k == pathB.size())
        return nullptr;
    const QObjectList &children = pathA[k - 1]->children();
    return children.indexOf(pathA[k]) > children.indexOf(pathB[k]) ? a : b;
}

QString outsideFault(QWidget *window, const Placed &c)
{
    if (!window->rect().contains(c.inWindow))
        return QString("lies outside its window: %1 in %2 x %3")
            .arg(rectText(c.inWindow))
            .arg(window->width())
            .arg(window->height());
    QWidget *parent = c.w->parentWidget();
    // A scroll area shows part of what it holds on purpose.
    if (parent != window && !parent->rect().contains(c.w->geometry())
        && parent->objectName() != "qt_scrollarea_viewport")
        return QString("sticks out of %1: %2 in %3 x %4")
            .arg(parent->objectName(), rectText(c.w->geometry()))
            .arg(parent->width())
            .arg(parent->height());
    return {};
}

} // namespace

QStringList faults(QWidget *window, const QString &where, const std::vector<Overlap> &allowed)
{
    QStringList out;
    auto say = [&](QWidget *w, const QString &what) {
        out << QString("%1: %2 %3").arg(where, w->objectName(), what);
    };
    std::vector<Placed> controls;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (isControl(w))
            controls.push_back({ w, QRect(w->mapTo(window, QPoint(0, 0)), w->size()) });
    for (const Placed &c : controls) {
        const QString outside = outsideFault(window, c);
        if (!outside.isEmpty())
            say(c.w, outside);
        const QString caption = captionFault(c.w);
        if (!caption.isEmpty())
            say(c.w, caption);
    }
    // A layer with a mask is drawn, and takes the pointer, only where its shown controls are;
    // those controls are checked in its place.
    std::erase_if(controls, [](const Placed &c) { return !c.w->mask().isEmpty(); });
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const QRect both = controls[i].inWindow & controls[j].inWindow;
            if (both.isEmpty())
                continue;
            QWidget *top = upper(controls[i].w, controls[j].w);
            if (!top)
                continue; // one holds the other
            QWidget *under = top == controls[i].w ? controls[j].w : controls[i].w;
            bool reversed = false;
            if (!allowedOverlap(allowed, window->objectName(), under->objectName(),
                    top->objectName(), reversed))
                say(under,
                    QString("is covered by %1 at %2").arg(top->objectName(), rectText(both)));
            else if (reversed)
                say(top, QString("must stand under %1, which it covers").arg(under->objectName()));
        }
    return out;
}

QStringList textFaults(QWidget *window, const QString &where)
{
    QStringList out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!isControl(w))
            continue;
        QString fault;
        if (auto *box = qobject_cast<QComboBox *>(w))
            fault = comboFault(box);
        else if (auto *t = qobject_cast<QLineEdit *>(w))
            fault = readOutFault(t);
        if (!fault.isEmpty())
            out << QString("%1: %2 %3").arg(where, w->objectName(), fault);
    }
    return out;
}

} // namespace layoutcheck
