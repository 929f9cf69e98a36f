#include "app/frmReadme.h"

#include "ui/ErrorText.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>

#include <algorithm>

frmReadme::frmReadme(ReloadRequest &reload, const ProgramFiles &files, QWidget *parent)
    : QWidget(parent), reload(reload), files(files)
{
    setObjectName("frmReadme");
    setWindowTitle("Readme");
    setWindowFlag(Qt::Window); // a window of its own beside the main window
    setAttribute(Qt::WA_DeleteOnClose);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setFamilies({ "Fixedsys", f.family() });
    Text1->setFont(f);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resize(look::tw(11505), look::tw(6765));
    look::centre(this);
}

bool frmReadme::Form_Load()
{
    fit();
    QFile file(QString::fromStdString(files.appPath + "readme.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        msg::box(QString("File not found or error reading file."), msg::Critical,
            QString::fromUtf8(errtext::title));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        msg::box(QString("File not found or error reading file."), msg::Critical,
            QString::fromUtf8(errtext::title));
        return false;
    }
    // One character per byte, as the file is read byte-wise.
    Text1->setPlainText(QString::fromLatin1(bytes));
    return true;
}

// The margins are taken from the window's outer size, frame and title bar included, so the text
// box fills what lies inside them; never more than the client area, whatever the frame.
void frmReadme::fit()
{
    const QSize outer = frameGeometry().size();
    if (outer.width() > look::tw(120) && outer.height() > look::tw(330))
        Text1->setGeometry(0, 0, std::min(width(), outer.width() - look::tw(120)),
            std::min(height(), outer.height() - look::tw(330)));
}

void frmReadme::resizeEvent(QResizeEvent *)
{
    msg::step(reload, 666, [&] { fit(); });
}

// The frame is known only once the window stands on screen.
void frmReadme::showEvent(QShowEvent *)
{
    msg::step(reload, 666, [&] { fit(); });
}
