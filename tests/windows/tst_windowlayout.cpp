#include "support/Controls.h"
#include "support/Row.h"
#include "windows/MainWindow.h"
#include "windows/ManualSmsWindow.h"
#include "windows/SettingsWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace orva;

// Every window as designed, in twips, with the designed values written here rather than taken
// from the tables the windows are built from: controls where the design puts them, with their
// captions, every caption whole, and the tab order.
class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store_;
    std::unique_ptr<MainWindow> form1_;
    std::unique_ptr<SettingsWindow> form3_;
    std::unique_ptr<ManualSmsWindow> manual_;

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

private slots:
    void initTestCase()
    {
        form1_ = std::make_unique<MainWindow>();
        form3_ = std::make_unique<SettingsWindow>(store_);
        manual_ = std::make_unique<ManualSmsWindow>();
        manual_->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    void clientAreas_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("twips");
        test::row("main", "Form1", "ORVA", QSize(8625, 6840));
        test::row("settings", "Form3", "COM SETTINGS", QSize(9420, 1530));
        test::row("manual", "ManualSms", "Manual SMS", QSize(5640, 2115));
    }

    void clientAreas()
    {
        QFETCH(QString, window);
        QFETCH(QSize, twips);
        QCOMPARE(this->window(window)->objectName(), window);
        QTEST(this->window(window)->windowTitle(), "caption");
        QCOMPARE(this->window(window)->size(), twips / 15);
    }

    // A handful of controls of every window where the design puts them, in twips: the corners
    // and a caption each; the settings boxes show a fresh store's texts.
    void controls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        test::row("status line", "Form1", "Text1(0)", QRect(120, 360, 6885, 285), "0");
        test::row("last alarm line", "Form1", "Text1(25)", QRect(120, 6360, 6885, 285), "0");
        test::row("label", "Form1", "Label1(0)", QRect(240, 120, 1155, 255), "Alarm Port Data");
        test::row("Settings", "Form1", "Command1", QRect(7080, 360, 1215, 375), "Settings");
        test::row("Manual SMS", "Form1", "Command2", QRect(7080, 960, 1215, 375), "Manual SMS");
        test::row("port A key", "Form3", "Label1(0)", QRect(120, 120, 855, 255), "PORT A:");
        test::row("handphone", "Form3", "Text1(2)", QRect(7320, 120, 1815, 285), "Text1");
        test::row("Close", "Form3", "Command4", QRect(7320, 600, 1815, 375), "Close");
        test::row("legend A", "Form3", "Label10", QRect(120, 1200, 1935, 255),
                  "Port A: SMS modem" + QString(11, u' '));
        test::row("instruction", "Form3", "Label8", QRect(6120, 1200, 3135, 255),
                  "TO CHANGE SETTINGS EDIT settings.ini");
        test::row("slot D length, beyond", "Form3", "Text8(3)", QRect(10440, 2160, 1815, 285),
                  "Text8");
        test::row("Command3, beyond", "Form3", "Command3", QRect(4800, 4440, 975, 495), "Command3");
        test::row("number label", "ManualSms", "ManualNoLabel", QRect(120, 240, 2850, 195),
                  "Enter the HandPhone Number for SMS :");
        test::row("number", "ManualSms", "ManualNo", QRect(3000, 240, 2415, 285), "");
        test::row("message", "ManualSms", "ManualMsg", QRect(3000, 840, 2415, 315), "");
        test::row("limit label", "ManualSms", "ManualMsgLabel1", QRect(480, 960, 1785, 195),
                  "Maximum 160 Characters");
        test::row("Cancel", "ManualSms", "ManualCancel", QRect(4200, 1560, 1215, 375), "&Cancel");
    }

    void controls()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        const auto* widget = this->window(window)->findChild<QWidget*>(control);
        QVERIFY2(widget != nullptr, qPrintable(control));
        QCOMPARE(widget->geometry(), QRect(twips.left() / 15, twips.top() / 15, twips.width() / 15,
                                           twips.height() / 15));
        QCOMPARE(textOf(widget), text);
    }

    // Every caption of every window shows whole at the fixed sizes.
    void captionsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        for (const char* window : {"Form1", "Form3", "ManualSms"})
            for (const QLabel* label : this->window(window)->findChildren<QLabel*>())
                QTest::addRow("%s %s", window, qPrintable(label->objectName()))
                    << QString(window) << label->objectName();
    }

    void captionsFit()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        const auto* caption = this->window(window)->findChild<QLabel*>(label);
        const int needed = caption->fontMetrics().horizontalAdvance(caption->text());
        QVERIFY2(needed <= caption->width(),
                 qPrintable(QString("%1 px of text in %2 px").arg(needed).arg(caption->width())));
        QVERIFY(caption->fontMetrics().height() <= caption->height());
    }

    // The focusable controls in their designed tab order; labels take no focus.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QStringList main{"Command1", "Text1(0)", "Command2"};
        for (int box = 1; box <= 25; ++box)
            main << QString("Text1(%1)").arg(box);
        test::row("main", "Form1", main);
        test::row("settings", "Form3",
                  QStringList{"Text1(0)", "Text2",    "Text3",    "Text4",    "Text5",
                              "Text6",    "Command1", "Command2", "Command3", "Text7(0)",
                              "Text7(1)", "Text1(1)", "Text7(2)", "Text1(2)", "Text7(3)",
                              "Text1(3)", "Text8(0)", "Text8(1)", "Text8(2)", "Text8(3)",
                              "Command4"});
        test::row("manual", "ManualSms",
                  QStringList{"ManualNo", "ManualMsg", "ManualSend", "ManualCancel"});
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

    // Where the design fixes a number beyond the tables: the last alarm line and the boxes
    // of the settings window, which show the store.
    void designedPlaces()
    {
        QCOMPARE(test::control<QLineEdit>(*form1_, "Text1(25)")->geometry().top(), 6360 / 15);
        for (int slot = 0; slot < kSlotCount; ++slot)
            for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
                QCOMPARE(test::control<QLineEdit>(
                             *form3_, test::settingsBoxName(slot, static_cast<int>(field)))
                             ->text(),
                         store_.text(slot, field));
        QCOMPARE(test::control<QLineEdit>(*form3_, "Text8(2)")->text(), "Unused");
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
        SettingsWindow settings(store_); // the shared one keeps showing the store
        settings.showComputerName(computer);
        form1_->setLine(3, QString(200, u'x'));
        QCOMPARE(test::control<QLineEdit>(settings, "Text7(2)")->text(), computer);
        QCOMPARE(test::control<QLineEdit>(settings, "Text7(2)")->cursorPosition(), 0);
        QCOMPARE(test::control<QLineEdit>(*form1_, "Text1(3)")->cursorPosition(), 0);
    }

    void manualBoxesLimitTyping()
    {
        manual_->show();
        QTest::keyClicks(test::control<QLineEdit>(*manual_, "ManualNo"), "1234567890");
        QCOMPARE(test::control<QLineEdit>(*manual_, "ManualNo")->text(), "12345678");
        QTest::keyClicks(test::control<QLineEdit>(*manual_, "ManualMsg"), QString(200, u'm'));
        QCOMPARE(test::control<QLineEdit>(*manual_, "ManualMsg")->text(), QString(160, u'm'));
        test::control<QLineEdit>(*manual_, "ManualMsg")->clear();
        test::control<QLineEdit>(*manual_, "ManualMsg")
            ->insert(QString(200, u'p')); // as a paste does
        QCOMPARE(test::control<QLineEdit>(*manual_, "ManualMsg")->text().size(), 160);
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
