// The advanced serial settings dialog: its lists start at the link's values, "Zastosuj"
// and "Anuluj" set SetupApplied, and accepted values reach the link as one change.
#include "app/dialogs/CPortSetup.h"
#include "link/SerialLink.h"
#include "tests/support/PtyPair.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

using S = SerialSettings;

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QComboBox* List(const QDialog& dialog, const char* name) {
    return dialog.findChild<QComboBox*>(QLatin1String(name));
}

QPushButton* Button(const QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

SerialSettings Unusual() {
    SerialSettings s;
    s.Port = QStringLiteral("COM3");
    s.BaudRate = S::Baud::B57600;
    s.DataBits = S::Data::Seven;
    s.StopBits = S::Stop::Two;
    s.Parity = S::ParityKind::Even;
    s.FlowControl = S::Flow::Hardware;
    return s;
}

} // namespace

class TestCPortSetup : public QObject {
    Q_OBJECT

private:
    TestPortsFolder* m_ports = nullptr;
    PtyPair* m_first = nullptr;
    PtyPair* m_third = nullptr;

private slots:
    void initTestCase() {
        m_ports = new TestPortsFolder;
        m_first = new PtyPair;
        m_third = new PtyPair;
        QVERIFY(m_ports->Link(QStringLiteral("COM1"), m_first->DevicePath()));
        QVERIFY(m_ports->Link(QStringLiteral("COM3"), m_third->DevicePath()));
    }
    void cleanupTestCase() {
        delete m_first;
        delete m_third;
        delete m_ports;
    }

    void layoutAndTexts() {
        TComSetupFrm dialog(SerialSettings{});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("RS-232 settings"));
        // 231 by 216, or more where the fonts need it; centred on the screen.
        dialog.show();
        QVERIFY(dialog.width() >= 231 && dialog.height() >= 216);
        QVERIFY(dialog.width() < 231 * 3 / 2 && dialog.height() < 216 * 3 / 2);
        QCOMPARE(dialog.size(), dialog.size().expandedTo(dialog.minimumSizeHint()));
        const QPoint offCentre = dialog.geometry().center() -
                                 QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 8); // the window frame is not known before

        dialog.hide();
        const auto* group = dialog.findChild<QGroupBox*>(QStringLiteral("gbSettings"));
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral(" Settings: "));
        QCOMPARE(Button(dialog, "sbApply")->text(), QStringLiteral("Zastosuj"));
        QCOMPARE(Button(dialog, "sbApply")->toolTip(), QStringLiteral("Apply settings"));
        QCOMPARE(Button(dialog, "sbCancel")->text(), QStringLiteral("Anuluj"));
        QCOMPARE(Button(dialog, "sbCancel")->toolTip(), QStringLiteral("Cancel settings"));

        QCOMPARE(
            Items(List(dialog, "cbBaudRate")),
            QStringList({"Custom", "110", "300", "600", "1200", "2400", "4800", "9600", "14400",
                         "19200", "38400", "56000", "57600", "115200", "128000", "256000"}));
        QCOMPARE(Items(List(dialog, "cbDataBits")), QStringList({"5", "6", "7", "8"}));
        QCOMPARE(Items(List(dialog, "cbStopBits")), QStringList({"1", "1.5", "2"}));
        QCOMPARE(Items(List(dialog, "cbParity")),
                 QStringList({"None", "Odd", "Even", "Mark", "Space"}));
        QCOMPARE(Items(List(dialog, "cbFlowControl")),
                 QStringList({"Hardware", "Software", "None", "Custom"}));
    }

    // Ports present, as "COMn" with their device; a current port that is not present is
    // offered too, first, so that the dialog never silently picks another one.
    void portList_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<int>("selected");
        QTest::newRow("present") << "COM3" << QStringList{"COM1", "COM3"} << 1;
        QTest::newRow("not present") << "COM9" << QStringList{"COM9", "COM1", "COM3"} << 0;
        QTest::newRow("a device path")
            << "/dev/ttyS0" << QStringList{"/dev/ttyS0", "COM1", "COM3"} << 0;
    }
    void portList() {
        QFETCH(QString, current);
        QFETCH(QStringList, ports);
        QFETCH(int, selected);
        SerialSettings settings;
        settings.Port = current;
        TComSetupFrm dialog(settings);
        const QComboBox* list = List(dialog, "cbPort");
        QCOMPARE(list->count(), ports.size());
        for (int i = 0; i < ports.size(); ++i)
            QCOMPARE(list->itemData(i).toString(), ports[i]);
        QCOMPARE(list->currentIndex(), selected);
        QCOMPARE(list->itemText(list->findData(QStringLiteral("COM1"))),
                 QStringLiteral("COM1 (%1)").arg(m_first->DevicePath()));
        QCOMPARE(dialog.ChosenSettings().Port, current);
    }

    void listsStartAtTheCurrentValues() {
        TComSetupFrm dialog(Unusual());
        QCOMPARE(List(dialog, "cbBaudRate")->currentText(), QStringLiteral("57600"));
        QCOMPARE(List(dialog, "cbDataBits")->currentText(), QStringLiteral("7"));
        QCOMPARE(List(dialog, "cbStopBits")->currentText(), QStringLiteral("2"));
        QCOMPARE(List(dialog, "cbParity")->currentText(), QStringLiteral("Even"));
        QCOMPARE(List(dialog, "cbFlowControl")->currentText(), QStringLiteral("Hardware"));
        QCOMPARE(dialog.ChosenSettings(), Unusual());
    }

    void buttonsSetSetupApplied_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<int>("result");
        QTest::newRow("Zastosuj") << QByteArray("sbApply") << true << int(QDialog::Accepted);
        QTest::newRow("Anuluj") << QByteArray("sbCancel") << false << int(QDialog::Rejected);
    }
    void buttonsSetSetupApplied() {
        QFETCH(QByteArray, button);
        QFETCH(bool, applied);
        QFETCH(int, result);
        TComSetupFrm dialog(SerialSettings{});
        dialog.SetupApplied = !applied;
        dialog.show();
        QTest::mouseClick(Button(dialog, button.constData()), Qt::LeftButton);
        QCOMPARE(dialog.SetupApplied, applied);
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
    }

    void chosenValues_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<SerialSettings>("expected");
        SerialSettings s = Unusual();
        s.Port = QStringLiteral("COM1");
        QTest::newRow("port") << "cbPort"
                              << "COM1" << s;
        s = Unusual();
        s.BaudRate = S::Baud::B128000;
        QTest::newRow("rate") << "cbBaudRate"
                              << "128000" << s;
        s = Unusual();
        s.StopBits = S::Stop::OneAndHalf;
        QTest::newRow("stop bits") << "cbStopBits"
                                   << "1.5" << s;
        s = Unusual();
        s.Parity = S::ParityKind::Space;
        QTest::newRow("parity") << "cbParity"
                                << "Space" << s;
        s = Unusual();
        s.FlowControl = S::Flow::None;
        QTest::newRow("flow control") << "cbFlowControl"
                                      << "None" << s;
        QTest::newRow("flow control Custom keeps it") << "cbFlowControl"
                                                      << "Custom" << Unusual();
    }
    void chosenValues() {
        QFETCH(QString, list);
        QFETCH(QString, choice);
        QFETCH(SerialSettings, expected);
        TComSetupFrm dialog(Unusual());
        QComboBox* combo = List(dialog, list.toLatin1().constData());
        const int index =
            list == QLatin1String("cbPort") ? combo->findData(choice) : combo->findText(choice);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        QCOMPARE(dialog.ChosenSettings(), expected);
    }

    // Through the link: accepted values are applied to the open port, refused ones are not.
    void executeAppliesToTheLink_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<S::Baud>("expected");
        QTest::newRow("Zastosuj") << QByteArray("sbApply") << S::Baud::B19200;
        QTest::newRow("Anuluj") << QByteArray("sbCancel") << S::Baud::B9600;
    }
    void executeAppliesToTheLink() {
        QFETCH(QByteArray, button);
        QFETCH(S::Baud, expected);
        SerialLink link;
        QVERIFY(link.Open());
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<TComSetupFrm*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            QComboBox* rates = List(*dialog, "cbBaudRate");
            rates->setCurrentIndex(rates->findText(QStringLiteral("19200")));
            QTest::mouseClick(Button(*dialog, button.constData()), Qt::LeftButton);
        });
        const bool applied = TComSetupFrm::Execute(link);
        QVERIFY(seen);
        QCOMPARE(applied, button == "sbApply");
        QCOMPARE(link.Settings().BaudRate, expected);
        QVERIFY(link.IsOpen());
        QCOMPARE(m_first->DeviceLineSettings().BitsPerSecond, link.Settings().BitsPerSecond());
    }
};

QTEST_MAIN(TestCPortSetup)
#include "tst_cportsetup.moc"
