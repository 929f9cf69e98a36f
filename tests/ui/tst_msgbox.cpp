#include "ui/MsgBox.h"
#include "ui/support/Boxes.h"
#include "ui/support/RealBoxes.h"

#include <QAbstractButton>

#include <QtTest>

// Every style of box the program shows, answered with the mouse and with the keys a person
// uses; the program must get back the answer that was chosen.
class tst_msgbox : public QObject
{
    Q_OBJECT
private slots:
    void clickedButtonIsTheAnswer_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        using B = QMessageBox;
        const struct
        {
            const char *name;
            int style;
            B::StandardButton button;
            int answer;
        } rows[] = {
            { "critical OK", msg::Critical, B::Ok, msg::Ok },
            { "exclamation OK", msg::Exclamation, B::Ok, msg::Ok },
            { "information OK", msg::Information, B::Ok, msg::Ok },
            { "critical OK/Cancel: OK", msg::CriticalOkCancel, B::Ok, msg::Ok },
            { "critical OK/Cancel: Cancel", msg::CriticalOkCancel, B::Cancel, msg::Cancel },
            { "exclamation OK/Cancel: OK", msg::ExclamationOkCancel, B::Ok, msg::Ok },
            { "exclamation OK/Cancel: Cancel", msg::ExclamationOkCancel, B::Cancel, msg::Cancel },
            { "question OK/Cancel: OK", msg::QuestionOkCancel, B::Ok, msg::Ok },
            { "question OK/Cancel: Cancel", msg::QuestionOkCancel, B::Cancel, msg::Cancel },
            { "Yes/No: Yes", msg::QuestionYesNo, B::Yes, msg::Yes },
            { "Yes/No: No", msg::QuestionYesNo, B::No, msg::No },
            { "information Yes/No: Yes", msg::InformationYesNo, B::Yes, msg::Yes },
            { "information Yes/No: No", msg::InformationYesNo, B::No, msg::No },
            { "Yes/No/Cancel: Yes", msg::QuestionYesNoCancel, B::Yes, msg::Yes },
            { "Yes/No/Cancel: No", msg::QuestionYesNoCancel, B::No, msg::No },
            { "Yes/No/Cancel: Cancel", msg::QuestionYesNoCancel, B::Cancel, msg::Cancel },
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.style << int(r.button) << r.answer;
    }
    void clickedButtonIsTheAnswer()
    {
        QFETCH(int, style);
        QFETCH(int, button);
        QFETCH(int, answer);
        RealBoxes boxes;
        boxes.click(QMessageBox::StandardButton(button));
        QCOMPARE(msg::box("Text\rsecond line", style, "Title"), answer);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QString("Text\nsecond line"));
        QCOMPARE(boxes.last().title, QString("Title"));
        QCOMPARE(boxes.last().style(), style);
        QVERIFY(boxes.missingButtons.isEmpty());
    }

    // Escape and the title bar's close answer as the box's Cancel, or its only button; a box
    // that asks Yes or No stands until one of the two is clicked.
    void keysAnswerLikeTheirButtons_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("key"); // 0: the title bar's close
        QTest::addColumn<int>("answer"); // 0: the box stands
        const struct
        {
            const char *name;
            int style;
            Qt::Key key;
            int answer;
        } rows[] = {
            { "OK: Return", msg::Critical, Qt::Key_Return, msg::Ok },
            { "OK: Escape", msg::Exclamation, Qt::Key_Escape, msg::Ok },
            { "OK: close", msg::Information, Qt::Key(0), msg::Ok },
            { "OK/Cancel: Return", msg::CriticalOkCancel, Qt::Key_Return, msg::Ok },
            { "OK/Cancel: Enter", msg::ExclamationOkCancel, Qt::Key_Enter, msg::Ok },
            { "OK/Cancel: Escape", msg::CriticalOkCancel, Qt::Key_Escape, msg::Cancel },
            { "OK/Cancel: close", msg::QuestionOkCancel, Qt::Key(0), msg::Cancel },
            { "Yes/No: Return", msg::QuestionYesNo, Qt::Key_Return, msg::Yes },
            { "Yes/No: Escape", msg::QuestionYesNo, Qt::Key_Escape, 0 },
            { "Yes/No: close", msg::QuestionYesNo, Qt::Key(0), 0 },
            { "second default Yes/No: Escape", msg::QuestionYesNo | msg::DefaultButton2,
                Qt::Key_Escape, 0 },
            { "information Yes/No: Escape", msg::InformationYesNo, Qt::Key_Escape, 0 },
            { "Yes/No/Cancel: Return", msg::QuestionYesNoCancel, Qt::Key_Return, msg::Yes },
            { "Yes/No/Cancel: Escape", msg::QuestionYesNoCancel, Qt::Key_Escape, msg::Cancel },
            { "Yes/No/Cancel: close", msg::QuestionYesNoCancel, Qt::Key(0), msg::Cancel },
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.style << int(r.key) << r.answer;
    }
    void keysAnswerLikeTheirButtons()
    {
        QFETCH(int, style);
        QFETCH(int, key);
        QFETCH(int, answer);
        RealBoxes boxes;
        if (key)
            boxes.key(Qt::Key(key));
        else
            boxes.closeByTitleBar();
        // A box left standing is then answered with the mouse.
        boxes.click(QMessageBox::No);
        QCOMPARE(msg::box("Question", style, "Title"), answer ? answer : int(msg::No));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().leftOpen, answer ? 0 : 1);
    }

    // The scripted responder of the tests answers as a person can: an unscripted box with an
    // answer the real box offers.
    void theScriptedResponderGivesOnlyOfferedAnswers()
    {
        const QMap<QMessageBox::StandardButton, int> answerOf { { QMessageBox::Ok, msg::Ok },
            { QMessageBox::Cancel, msg::Cancel }, { QMessageBox::Yes, msg::Yes },
            { QMessageBox::No, msg::No } };
        for (int style : { 16, 17, 33, 35, 36, 48, 49, 64, 68, 36 + 256, 35 + 256, 49 + 256 }) {
            QList<int> offered;
            {
                RealBoxes real;
                real.whileShown = [&](QMessageBox *b) {
                    for (QAbstractButton *button : b->buttons())
                        offered << answerOf.value(b->standardButton(button));
                };
                msg::box("Question", style, "Title");
            }
            Boxes scripted;
            const int a = msg::box("Question", style, "Title");
            QVERIFY2(offered.contains(a), qPrintable(QString("style %1: %2").arg(style).arg(a)));
        }
    }
};

QTEST_MAIN(tst_msgbox)
#include "tst_msgbox.moc"
