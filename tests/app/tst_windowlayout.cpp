#include "app/Form1.h"
#include "config/Form3.h"
#include "eventlog/EventLog.h"
#include "messaging/ManualSms.h"
#include "serial/SerialLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace orva;

// Every window as designed, in twips: a slip in one number of the code fails a row here.
class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store_;
    SerialLine line_{"port A"};
    EventLog log_{"/nonexistent"};
    SmsModem modem_{line_, log_, [](const QString&) {}};
    OutgoingSms sms_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<ManualSms> manual_;

    QWidget* window(const QString& name) const
    {
        if (name == "Form1")
            return form1_.get();
        if (name == "Form3")
            return form3_.get();
        return manual_.get();
    }

    static QString textOf(const QWidget* control)
    {
        if (const auto* label = qobject_cast<const QLabel*>(control))
            return label->text();
        if (const auto* button = qobject_cast<const QPushButton*>(control))
            return button->text();
        return qobject_cast<const QLineEdit*>(control)->text();
    }

    static void row(const char* window, const char* control, int left, int top, int width,
                    int height, const QString& text)
    {
        QTest::addRow("%s %s", window, control)
            << QString(window) << QString(control) << QRect(left, top, width, height) << text;
    }

private slots:
    void initTestCase()
    {
        form1_ = std::make_unique<Form1>();
        form3_ = std::make_unique<Form3>(store_);
        manual_ = std::make_unique<ManualSms>(modem_, sms_, store_);
        manual_->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    void clientAreas_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("twips");
        QTest::newRow("main") << "Form1"
                              << "ORVA" << QSize(8625, 6840);
        QTest::newRow("settings") << "Form3"
                                  << "COM SETTINGS" << QSize(9420, 1530);
        QTest::newRow("manual") << "ManualSms"
                                << "Manual SMS" << QSize(5640, 2115);
    }

    void clientAreas()
    {
        QFETCH(QString, window);
        QFETCH(QSize, twips);
        QTEST(this->window(window)->windowTitle(), "caption");
        QCOMPARE(this->window(window)->size(), twips / 15);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        row("Form1", "Label1(0)", 240, 120, 1155, 255, "Alarm Port Data");
        row("Form1", "Command1", 7080, 360, 1215, 375, "Settings");
        row("Form1", "Text1(0)", 120, 360, 6885, 285, "0");
        row("Form1", "Command2", 7080, 960, 1215, 375, "Manual SMS");
        for (int i = 1; i <= 25; ++i)
            row("Form1", qPrintable(QString("Text1(%1)").arg(i)), 120, 360 + 240 * i, 6885, 285,
                "0");
        row("Form1", "Text1(25) at its stated top", 120, 6360, 6885, 285, "0");

        row("Form3", "Label1(0)", 120, 120, 855, 255, "PORT A:");
        row("Form3", "Text1(0)", 1200, 120, 1815, 285, "Text1");
        row("Form3", "Label1(1)", 3120, 120, 855, 255, "PORT B:");
        row("Form3", "Text1(1)", 4200, 120, 1815, 285, "Text1");
        row("Form3", "Label1(2)", 6360, 120, 975, 255, "HP:");
        row("Form3", "Text1(2)", 7320, 120, 1815, 285, "Text1");
        row("Form3", "Label7(0)", 120, 480, 1095, 255, "SETTINGS A:");
        row("Form3", "Text7(0)", 1200, 480, 1815, 285, "Text7");
        row("Form3", "Label7(1)", 3120, 480, 1095, 255, "SETTINGS B:");
        row("Form3", "Text7(1)", 4200, 480, 1815, 285, "Text7");
        row("Form3", "Command4", 7320, 600, 1815, 375, "Close");
        row("Form3", "Label9(0)", 120, 840, 975, 375, "LENGTH A:");
        row("Form3", "Text8(0)", 1200, 840, 1815, 285, "Text8");
        row("Form3", "Label9(1)", 3120, 840, 975, 375, "LENGTH B:");
        row("Form3", "Text8(1)", 4200, 840, 1815, 285, "Text8");
        row("Form3", "Label10", 120, 1200, 1935, 255, "Port A: SMS modem           ");
        row("Form3", "Label11", 3120, 1200, 2775, 375, "Port B: Alarm Port");
        row("Form3", "Label8", 6120, 1200, 3135, 255, "TO CHANGE SETTINGS EDIT settings.ini");
        row("Form3", "Label1(3)", 9480, 1440, 975, 255, "PORT D:");
        row("Form3", "Text1(3)", 10440, 1440, 1815, 285, "Text1");
        row("Form3", "Label7(2)", 6360, 1800, 1095, 255, "SETTINGS C:");
        row("Form3", "Text7(2)", 7440, 1800, 1815, 285, "");
        row("Form3", "Label7(3)", 9360, 1800, 1095, 255, "SETTINGS D:");
        row("Form3", "Text7(3)", 10440, 1800, 1815, 285, "Text7");
        row("Form3", "Label9(2)", 6360, 2160, 975, 375, "LENGTH C:");
        row("Form3", "Text8(2)", 7440, 2160, 1815, 285, "Unused");
        row("Form3", "Label9(3)", 9360, 2160, 975, 375, "LENGTH D:");
        row("Form3", "Text8(3)", 10440, 2160, 1815, 285, "Text8");
        row("Form3", "Label2", 1800, 2040, 735, 255, "IP ADDR:");
        row("Form3", "Text2", 2760, 2040, 2295, 285, "Text2");
        row("Form3", "Label3", 1800, 2520, 855, 255, "NODENAME:");
        row("Form3", "Text3", 2760, 2520, 2295, 285, "Text3");
        row("Form3", "Label4", 1800, 3000, 975, 255, "DB:");
        row("Form3", "Text4", 2760, 3000, 2295, 285, "Text4");
        row("Form3", "Label5", 1800, 3480, 975, 255, "Tag1:");
        row("Form3", "Text5", 2760, 3480, 2295, 285, "Text5");
        row("Form3", "Label6", 1800, 3960, 975, 255, "Tag10:");
        row("Form3", "Text6", 2760, 3960, 2295, 285, "Text6");
        row("Form3", "Command1", 1560, 4440, 1215, 495, "read ini");
        row("Form3", "Command2", 3480, 4440, 1095, 495, "Command2");
        row("Form3", "Command3", 4800, 4440, 975, 495, "Command3");

        row("ManualSms", "ManualNo", 3000, 240, 2415, 285, "");
        row("ManualSms", "ManualMsg", 3000, 840, 2415, 315, "");
        row("ManualSms", "ManualSend", 2880, 1560, 1215, 375, "&Send");
        row("ManualSms", "ManualCancel", 4200, 1560, 1215, 375, "&Cancel");
        row("ManualSms", "ManualNoLabel", 120, 240, 2850, 195,
            "Enter the HandPhone Number for SMS :");
        row("ManualSms", "ManualMsgLabel", 360, 720, 2175, 195, "Enter the Message to be sent :");
        row("ManualSms", "ManualMsgLabel1", 480, 960, 1785, 195, "Maximum 160 Characters");
    }

    void controls()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        const QString name = control.section(u' ', 0, 0);
        const auto* widget = this->window(window)->findChild<QWidget*>(name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QCOMPARE(widget->geometry(), QRect(twips.left() / 15, twips.top() / 15, twips.width() / 15,
                                           twips.height() / 15));
        QTEST(textOf(widget), "text");
    }

    // Every caption shows whole at the fixed sizes: the labels from the same table.
    void captionsFit_data() { controls_data(); }

    void captionsFit()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, text);
        const auto* label = this->window(window)->findChild<QLabel*>(control.section(u' ', 0, 0));
        if (label == nullptr)
            return; // not a label
        const int needed = label->fontMetrics().horizontalAdvance(text);
        QVERIFY2(needed <= label->width(),
                 qPrintable(QString("%1 px of text in %2 px").arg(needed).arg(label->width())));
        QVERIFY(label->fontMetrics().height() <= label->height());
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QStringList main{"Command1", "Text1(0)", "Command2"};
        for (int i = 1; i <= 25; ++i)
            main << QString("Text1(%1)").arg(i);
        QTest::newRow("main") << "Form1" << main;
        QTest::newRow("settings") << "Form3"
                                  << QStringList{"Text1(0)", "Text2",    "Text3",    "Text4",
                                                 "Text5",    "Text6",    "Command1", "Command2",
                                                 "Command3", "Text7(0)", "Text7(1)", "Text1(1)",
                                                 "Text7(2)", "Text1(2)", "Text7(3)", "Text1(3)",
                                                 "Text8(0)", "Text8(1)", "Text8(2)", "Text8(3)",
                                                 "Command4"};
        QTest::newRow("manual") << "ManualSms"
                                << QStringList{"ManualNo", "ManualMsg", "ManualSend",
                                               "ManualCancel"};
    }

    void tabOrder()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QWidget* current = this->window(window)->findChild<QWidget*>(order.first());
        QStringList walked;
        while (walked.size() < order.size()) {
            if (current->focusPolicy() & Qt::TabFocus)
                walked << current->objectName();
            current = current->nextInFocusChain();
        }
        QCOMPARE(walked, order);
        for (const QLabel* label : this->window(window)->findChildren<QLabel*>())
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void boxesShowButTakeNoTyping()
    {
        for (const QLineEdit* box : form1_->findChildren<QLineEdit*>())
            QVERIFY(box->isReadOnly());
        for (const QLineEdit* box : form3_->findChildren<QLineEdit*>())
            QVERIFY(box->isReadOnly());
    }

    void longTextsShowFromTheirStart()
    {
        const QString computer = "A-COMPUTER-NAME-FAR-TOO-LONG-FOR-ITS-BOX";
        form3_->setField(kSlotC, Field::LineSettings, computer);
        form1_->setLine(3, QString(200, u'x'));
        QCOMPARE(form3_->findChild<QLineEdit*>("Text7(2)")->cursorPosition(), 0);
        QCOMPARE(form1_->Text1(3)->cursorPosition(), 0);
    }

    void manualBoxesLimitTyping()
    {
        manual_->show();
        QTest::keyClicks(manual_->ManualNo, "1234567890");
        QCOMPARE(manual_->ManualNo->text(), "12345678");
        QTest::keyClicks(manual_->ManualMsg, QString(200, u'm'));
        QCOMPARE(manual_->ManualMsg->text(), QString(160, u'm'));
        manual_->ManualMsg->clear();
        manual_->ManualMsg->insert(QString(200, u'p')); // as a paste does
        QCOMPARE(manual_->ManualMsg->text().size(), 160);
    }

    void manualWindowIsLightGrey()
    {
        QCOMPARE(manual_->palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(manual_->autoFillBackground());
        for (const QLabel* label : manual_->findChildren<QLabel*>())
            QVERIFY(!label->autoFillBackground()); // shows the window's grey
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_windowlayout.moc"
