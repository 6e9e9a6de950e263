// The shared controls: a change of selection or check state raises Click whether the user or
// the program made it, exactly once per real change, and the SuppressNextClick mark swallows
// exactly one click. The progress window of long work shows only when the work lasts, follows
// it, and its Cancel reaches the work.
#include "app/widgets/CheckBox.h"
#include "app/widgets/CheckGroupHeader.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/ProgressWindow.h"
#include "app/widgets/RadioGroup.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>

namespace {

const QStringList ThreeUnits{QStringLiteral("N"), QStringLiteral("kgf"), QStringLiteral("Lbf")};

// One step done to a radio group: by code (index) or by the user clicking an item.
struct Step {
    enum Kind { SetIndex, UserClick, Replace } What;
    int Index = 0;
};

// Clicks an item where the user would: on its indicator.
void ClickItem(RadioGroup& group, int index) {
    QRadioButton* button = group.Button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void radioGroupClicks_data();
    void radioGroupClicks();
    void radioGroupArrangesColumnsTopToBottom_data();
    void radioGroupArrangesColumnsTopToBottom();
    void radioGroupRenamingKeepsSelection();
    void radioGroupItemsCanBeHiddenAndDisabled();
    void radioGroupReplacedFromItsOwnClick();
    void checkBoxClicks_data();
    void checkBoxClicks();
    void suppressedClickIsTakenOnce_data();
    void suppressedClickIsTakenOnce();
    void imageButtonClicks();
    void checkHeaderLeavesContentsEnabled();
    void progressWindowFollowsLastingWork();
    void progressWindowShowsNothingForQuickWork();
    void progressWindowGoneGivesWorkUp();
};

void TestWidgets::radioGroupClicks_data() {
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QList<int>>("seen"); // the index each Click handler found
    QTest::addColumn<int>("index");

    QTest::newRow("code selects") << QList<Step>{{Step::SetIndex, 1}} << QList<int>{1} << 1;
    QTest::newRow("code repeats the same index")
        << QList<Step>{{Step::SetIndex, 1}, {Step::SetIndex, 1}} << QList<int>{1} << 1;
    QTest::newRow("user picks") << QList<Step>{{Step::UserClick, 2}} << QList<int>{2} << 2;
    QTest::newRow("user picks the selected item again")
        << QList<Step>{{Step::UserClick, 2}, {Step::UserClick, 2}} << QList<int>{2} << 2;
    QTest::newRow("code then user")
        << QList<Step>{{Step::SetIndex, 0}, {Step::UserClick, 1}} << QList<int>{0, 1} << 1;
    QTest::newRow("code clears the selection")
        << QList<Step>{{Step::SetIndex, 1}, {Step::SetIndex, -1}} << QList<int>{1, -1} << -1;
    QTest::newRow("index beyond the items selects none")
        << QList<Step>{{Step::SetIndex, 1}, {Step::SetIndex, 3}} << QList<int>{1, -1} << -1;
    QTest::newRow("index below -1 selects none")
        << QList<Step>{{Step::SetIndex, 2}, {Step::SetIndex, -7}} << QList<int>{2, -1} << -1;
    QTest::newRow("replacing the items clears silently")
        << QList<Step>{{Step::SetIndex, 1}, {Step::Replace}} << QList<int>{1} << -1;
    QTest::newRow("first item after replacing clicks")
        << QList<Step>{{Step::SetIndex, 0}, {Step::Replace}, {Step::SetIndex, 0}}
        << QList<int>{0, 0} << 0;
    QTest::newRow("user after replacing")
        << QList<Step>{{Step::Replace}, {Step::UserClick, 2}} << QList<int>{2} << 2;
}

void TestWidgets::radioGroupClicks() {
    QFETCH(QList<Step>, steps);
    QFETCH(QList<int>, seen);
    QFETCH(int, index);

    RadioGroup group(QStringLiteral(" Jednostka "), ThreeUnits);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QList<int> handled;
    connect(&group, &RadioGroup::Click, &group, [&] { handled << group.ItemIndex(); });
    for (const Step& step : steps) {
        switch (step.What) {
        case Step::SetIndex:
            group.SetItemIndex(step.Index);
            break;
        case Step::UserClick:
            ClickItem(group, step.Index);
            break;
        case Step::Replace:
            group.SetItems(ThreeUnits);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            break;
        }
    }
    QCOMPARE(handled, seen);
    QCOMPARE(group.ItemIndex(), index);
    // What is shown matches the index.
    for (int i = 0; i < ThreeUnits.size(); ++i)
        QCOMPARE(group.Button(i)->isChecked(), i == index);
}

void TestWidgets::radioGroupArrangesColumnsTopToBottom_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<QPoint>>("cells"); // (column, row) per item

    QTest::newRow("one column") << 3 << 1 << QList<QPoint>{{0, 0}, {0, 1}, {0, 2}};
    QTest::newRow("two side by side") << 2 << 2 << QList<QPoint>{{0, 0}, {1, 0}};
    QTest::newRow("seven in two columns")
        << 7 << 2 << QList<QPoint>{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2}};
    QTest::newRow("more columns than items") << 2 << 4 << QList<QPoint>{{0, 0}, {1, 0}};
}

void TestWidgets::radioGroupArrangesColumnsTopToBottom() {
    QFETCH(int, count);
    QFETCH(int, columns);
    QFETCH(QList<QPoint>, cells);

    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("item %1").arg(i);
    RadioGroup group;
    group.SetColumns(columns);
    group.SetItems(items);
    group.resize(400, 200);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    // Items of one column share their left edge; rows go down within a column.
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            const QRect a = group.Button(i)->geometry();
            const QRect b = group.Button(j)->geometry();
            QCOMPARE(a.left() == b.left(), cells[i].x() == cells[j].x());
            if (cells[i].x() == cells[j].x() && cells[i].y() < cells[j].y())
                QVERIFY(a.bottom() < b.top());
            if (cells[i].y() == cells[j].y() && cells[i].x() < cells[j].x())
                QVERIFY(a.right() < b.left());
        }
    }
}

void TestWidgets::radioGroupRenamingKeepsSelection() {
    RadioGroup group(QString(), {QStringLiteral("siła nacisku"), QStringLiteral("siła ciągu")});
    group.SetItemIndex(1);
    QSignalSpy spy(&group, &RadioGroup::Click);
    group.SetItemTexts({QStringLiteral("Druckkraft"), QStringLiteral("Zugkraft")});
    QCOMPARE(group.Items(), QStringList({"Druckkraft", "Zugkraft"}));
    QCOMPARE(group.Button(1)->text(), QStringLiteral("Zugkraft"));
    QCOMPARE(group.ItemIndex(), 1);
    QCOMPARE(spy.count(), 0);
    // A list of another length is not a renaming and changes nothing.
    group.SetItemTexts({QStringLiteral("eins")});
    QCOMPARE(group.Items(), QStringList({"Druckkraft", "Zugkraft"}));
}

void TestWidgets::radioGroupItemsCanBeHiddenAndDisabled() {
    RadioGroup group(QString(), ThreeUnits);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    group.SetItemEnabled(1, false);
    group.SetItemVisible(2, false);
    group.SetItemEnabled(9, false); // no such item: nothing happens
    group.SetItemVisible(-1, false);
    QVERIFY(!group.Button(1)->isEnabled());
    QVERIFY(group.Button(2)->isHidden());
    QVERIFY(group.Button(0)->isEnabled() && group.Button(0)->isVisible());
    QVERIFY(group.Button(3) == nullptr);
    // A disabled item does not take a user's click.
    QSignalSpy spy(&group, &RadioGroup::Click);
    ClickItem(group, 1);
    QCOMPARE(spy.count(), 0);
}

void TestWidgets::radioGroupReplacedFromItsOwnClick() {
    // The reply side may replace the items while a click of the old ones is being handled.
    RadioGroup group(QString(), ThreeUnits);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    int clicks = 0;
    connect(&group, &RadioGroup::Click, &group, [&] {
        if (++clicks == 1)
            group.SetItems({QStringLiteral("N*m"), QStringLiteral("N*cm")});
    });
    ClickItem(group, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(clicks, 1);
    QCOMPARE(group.Items(), QStringList({"N*m", "N*cm"}));
    QCOMPARE(group.ItemIndex(), -1);
    QTRY_VERIFY(group.Button(1)->isVisible() && group.Button(1)->width() > 0);
    ClickItem(group, 1);
    QCOMPARE(clicks, 2);
    QCOMPARE(group.ItemIndex(), 1);
}

void TestWidgets::checkBoxClicks_data() {
    QTest::addColumn<bool>("start");
    QTest::addColumn<QList<int>>("changes"); // 0/1 set by code, 2 = user click
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("checked");

    QTest::newRow("code ticks") << false << QList<int>{1} << 1 << true;
    QTest::newRow("code ticks a ticked box") << true << QList<int>{1} << 0 << true;
    QTest::newRow("code unticks") << true << QList<int>{0} << 1 << false;
    QTest::newRow("user ticks") << false << QList<int>{2} << 1 << true;
    QTest::newRow("user twice") << false << QList<int>{2, 2} << 2 << false;
    QTest::newRow("code and user") << false << QList<int>{1, 2, 1} << 3 << true;
}

void TestWidgets::checkBoxClicks() {
    QFETCH(bool, start);
    QFETCH(QList<int>, changes);
    QFETCH(int, clicks);
    QFETCH(bool, checked);

    CheckBox box(QStringLiteral("Progi"));
    box.setChecked(start);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy spy(&box, &CheckBox::Click);
    for (int change : changes) {
        if (change == 2)
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
        else
            box.setChecked(change == 1);
    }
    QCOMPARE(spy.count(), clicks);
    QCOMPARE(box.isChecked(), checked);
}

void TestWidgets::suppressedClickIsTakenOnce_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("handled"); // clicks that got past the mark

    QTest::newRow("no mark") << 0 << 2 << 2;
    QTest::newRow("mark swallows one") << SuppressNextClick << 1 << 0;
    QTest::newRow("mark swallows only the first") << SuppressNextClick << 3 << 2;
    QTest::newRow("other tag values are no mark") << 2 << 1 << 1;
}

void TestWidgets::suppressedClickIsTakenOnce() {
    QFETCH(int, tag);
    QFETCH(int, changes);
    QFETCH(int, handled);

    // The same guard on both kinds of tagged control, as the settings panel uses it.
    RadioGroup group(QString(), ThreeUnits);
    CheckBox box;
    group.SetTag(tag);
    box.SetTag(tag);
    int groupHandled = 0;
    int boxHandled = 0;
    connect(&group, &RadioGroup::Click, &group, [&] {
        if (!TakeSuppressedClick(group))
            ++groupHandled;
    });
    connect(&box, &CheckBox::Click, &box, [&] {
        if (!TakeSuppressedClick(box))
            ++boxHandled;
    });
    for (int i = 0; i < changes; ++i) {
        group.SetItemIndex(i % 2);
        box.setChecked(i % 2 == 0);
    }
    QCOMPARE(groupHandled, handled);
    QCOMPARE(boxHandled, handled);
    QCOMPARE(group.Tag(), tag == SuppressNextClick ? 0 : tag);
}

void TestWidgets::imageButtonClicks() {
    ImageButton key;
    key.SetPicture(QStringLiteral("key-zero"));
    key.setToolTip(QStringLiteral("Taruj"));
    key.resize(20, 20);
    key.show();
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QSignalSpy spy(&key, &ImageButton::Click);
    QTest::mouseClick(&key, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    // A picture that does not exist draws nothing but does no harm.
    key.SetPicture(QStringLiteral("no-such-picture"));
    key.repaint();
    QTest::mouseClick(&key, Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
}

void TestWidgets::checkHeaderLeavesContentsEnabled() {
    QGroupBox group;
    auto* edit = new QLineEdit(QStringLiteral("99.0"));
    auto* layout = new QVBoxLayout(&group);
    layout->addWidget(edit);
    auto* header = new CheckBox(QStringLiteral("Progi"));
    auto* helper = new CheckGroupHeader(&group, header);
    group.resize(200, 80);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QCOMPARE(header->parentWidget(), &group);
    QSignalSpy spy(header, &CheckBox::Click);
    header->setChecked(true);
    header->setChecked(false);
    QCOMPARE(spy.count(), 2);
    QVERIFY(edit->isEnabled());
    // The header sits in the caption's place, above the contents, whole.
    QVERIFY(header->geometry().bottom() < edit->geometry().top());
    QVERIFY(header->width() >= header->sizeHint().width());
    helper->SetText(QStringLiteral("Schwellenwerte"));
    QCOMPARE(header->text(), QStringLiteral("Schwellenwerte"));
    QVERIFY(group.title().endsWith(QStringLiteral("Schwellenwerte")));
    QVERIFY(header->width() >= header->sizeHint().width());
}

// Work that lasts gets its window after the delay: the bar moves to and fro until the work
// knows its total, then follows it; Cancel closes the window, reaches the work once, and the
// work's end is still reported.
void TestWidgets::progressWindowFollowsLastingWork() {
    QWidget window;
    window.show();
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic_bool sawCancel{false};
    auto* progress = new ProgressWindow(QStringLiteral("Work"), QStringLiteral("Zapisz dane"),
                                        QStringLiteral("Zapisywanie..."),
                                        ProgressWindow::Modality::BlocksWindow, &window);
    const QPointer<ProgressWindow> alive(progress);
    QSignalSpy canceled(progress, &ProgressWindow::CancelRequested);
    int finished = 0;
    progress->Run(
        [&](WorkProgress& work) {
            while (!work.Canceled()) {
                work.Report(done.load(), total.load());
                QThread::msleep(2);
            }
            sawCancel = true;
        },
        [&] { ++finished; });
    QVERIFY(!progress->Dialog());
    QTRY_VERIFY(progress->Dialog() && progress->Dialog()->isVisible());
    QProgressDialog* dialog = progress->Dialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Zapisz dane"));
    QCOMPARE(dialog->labelText(), QStringLiteral("Zapisywanie..."));
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    auto* bar = dialog->findChild<QProgressBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->maximum(), 0);
    total = 10;
    done = 5;
    QTRY_COMPARE(bar->value(), ProgressWindow::BarSteps / 2);
    QCOMPARE(bar->maximum(), ProgressWindow::BarSteps);

    auto* cancel = dialog->findChild<QPushButton*>();
    QVERIFY(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_COMPARE(finished, 1);
    QVERIFY(sawCancel);
    QVERIFY(progress->Canceled());
    QCOMPARE(canceled.count(), 1);
    QVERIFY(!progress->Dialog());
    progress->Dismiss();
    QTRY_VERIFY(alive.isNull());
}

void TestWidgets::progressWindowShowsNothingForQuickWork() {
    QWidget window;
    auto* progress = new ProgressWindow(QStringLiteral("Work"), QStringLiteral("Otwórz dane"),
                                        QString(), ProgressWindow::Modality::BlocksWindow, &window);
    int finished = 0;
    progress->Run([](WorkProgress& work) { work.Report(1, 1); }, [&] { ++finished; });
    QTRY_COMPARE(finished, 1);
    progress->Dismiss();
    QTest::qWait(int(ProgressWindow::ShowDelay.count()) * 2);
    QVERIFY(window.findChildren<QProgressDialog*>().isEmpty());
}

// A window closing while work runs gives the work up and waits for it; nothing is reported
// to what may be gone by then.
void TestWidgets::progressWindowGoneGivesWorkUp() {
    std::atomic_bool sawCancel{false};
    int finished = 0;
    {
        QWidget window;
        auto* progress = new ProgressWindow(QStringLiteral("Work"), QStringLiteral("Raport"),
                                            QString(), ProgressWindow::Modality::Free, &window);
        progress->Run(
            [&](WorkProgress& work) {
                while (!work.Canceled())
                    QThread::msleep(2);
                sawCancel = true;
            },
            [&] { ++finished; });
    }
    QVERIFY(sawCancel);
    QCoreApplication::processEvents();
    QCOMPARE(finished, 0);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
