#include "app/frmReadme.h"

#include "rom/OpenFile.h"
#include "ui/ErrorText.h"
#include "ui/Look.h"
#include "ui/MsgBox.h"

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
    // Read as every file of the program is: never waiting on a pipe, and no further than a text
    // to read could go; a larger file is no readme of ours.
    constexpr size_t limit = size_t(16) << 20;
    Bytes bytes;
    bool read = false;
    try {
        bytes = romfile::readFilePrefix(files.appPath + "readme.txt", limit + 1);
        read = bytes.size() <= limit;
    } catch (const std::exception &) { }
    if (!read) {
        msg::box(QString("File not found or error reading file."), msg::Critical,
            QString::fromUtf8(errtext::title));
        return false;
    }
    // One character per byte, as the file is read byte-wise.
    Text1->setPlainText(QString::fromLatin1(
        reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size())));
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
