#include "app/Form1.h"
#include "app/ManualSms.h"
#include "config/Form3.h"
#include "support/Row.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace orva;

// Every window as its table designs it, in twips: each control where the table puts it, with
// its text, its caption whole and its place in the tab order.
class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store_;
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

    static std::vector<DesignedControl> table(const QString& window)
    {
        if (window == "Form1")
            return Form1::designedControls();
        if (window == "Form3")
            return Form3::designedControls();
        return ManualSms::designedControls();
    }

private slots:
    void initTestCase()
    {
        form1_ = std::make_unique<Form1>();
        form3_ = std::make_unique<Form3>(store_);
        manual_ = std::make_unique<ManualSms>();
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
        QTEST(this->window(window)->windowTitle(), "caption");
        QCOMPARE(this->window(window)->size(), twips / 15);
    }

    // Every control of every window, from the table the window is built from.
    void controls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        for (const char* window : {"Form1", "Form3", "ManualSms"})
            for (const DesignedControl& c : table(window))
                QTest::addRow("%s %s", window, qPrintable(c.name))
                    << QString(window) << c.name
                    << QRect(c.rect.left, c.rect.top, c.rect.width, c.rect.height) << c.text;
    }

    void controls()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        const auto* widget = this->window(window)->findChild<QWidget*>(control);
        QVERIFY2(widget != nullptr, qPrintable(control));
        QCOMPARE(widget->geometry(), QRect(twips.left() / 15, twips.top() / 15, twips.width() / 15,
                                           twips.height() / 15));
        QFETCH(QString, text);
        if (window != "Form3" || !text.isEmpty()) // the settings boxes show the store
            QCOMPARE(textOf(widget), text);
    }

    // Every caption shows whole at the fixed sizes: the labels from the same table.
    void captionsFit_data() { controls_data(); }

    void captionsFit()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, text);
        const auto* label = this->window(window)->findChild<QLabel*>(control);
        if (label == nullptr)
            return; // not a label
        const int needed = label->fontMetrics().horizontalAdvance(text);
        QVERIFY2(needed <= label->width(),
                 qPrintable(QString("%1 px of text in %2 px").arg(needed).arg(label->width())));
        QVERIFY(label->fontMetrics().height() <= label->height());
    }

    // The focusable controls in the order of their tab indexes in the table.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        for (const char* window : {"Form1", "Form3", "ManualSms"}) {
            std::vector<DesignedControl> controls = table(window);
            std::erase_if(controls, [](const auto& c) { return c.kind == ControlKind::Label; });
            std::ranges::sort(controls, {}, &DesignedControl::tabIndex);
            QStringList order;
            for (const DesignedControl& c : controls)
                order << c.name;
            test::row(window, QString(window), order);
        }
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
        QCOMPARE(form1_->Text1(25)->geometry().top(), 6360 / 15);
        for (int slot = 0; slot < kSlotCount; ++slot)
            for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
                QCOMPARE(form3_->box(slot, field)->text(), store_.text(slot, field));
        QCOMPARE(form3_->box(kSlotC, Field::Length)->text(), "Unused");
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
