// The install button and the time-driven progress bar.

#include "gui/install_button.h"
#include "gui/progress_bar.h"
#include "support/log_capture.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <limits>

class TestButtonAndBar : public QObject {
    Q_OBJECT

private slots:
    void button_logs_each_click_before_others_hear_of_it()
    {
        QWidget parent;
        InstallButton button(&parent);
        QCOMPARE(button.objectName(), QStringLiteral("GUI_8"));
        QCOMPARE(button.minimumHeight(), 30);
        QVERIFY(button.isEnabled());
        QVERIFY(!button.isFlat());

        LogCapture log;
        QList<int> lines_seen_by_receiver;
        connect(&button, &QPushButton::clicked, [&] { lines_seen_by_receiver << log.messages().size(); });
        button.click();
        button.click();
        QCOMPARE(lines_seen_by_receiver, (QList<int>{1, 2}));
        QCOMPARE(log.messages(), (QStringList{"Install clicked", "Install clicked"}));
    }

    void bar_range_and_style_sheet()
    {
        QWidget parent;
        parent.show();
        ProgressBar bar(&parent);
        QCOMPARE(bar.minimum(), 0);
        QCOMPARE(bar.maximum(), 100);
        QCOMPARE(bar.styleSheet(), QStringLiteral("\nQProgressBar {\n    border: 2px solid grey;\n    border-radius: 5px;\n"
                                                  "    text-align: center;\n}\n\nQProgressBar::chunk {\n"
                                                  "    background-color: rgba(160,240,140,100%);\n    width: 5px;\n}\n"));
        QVERIFY(!bar.timer->isActive());
    }

    void timer_interval_follows_duration_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<int>("interval");
        const double keep = -1;
        QTest::newRow("initial 10 s") << keep << keep << 100;
        QTest::newRow("upgrading 90 s") << keep << 90.0 << 900;
        QTest::newRow("verifying 0.5 s") << keep << 0.5 << 50;
        QTest::newRow("0.01 s at the minimum") << 90.0 << 0.01 << 50;
        QTest::newRow("default keeps 90 s") << 90.0 << keep << 900;
        QTest::newRow("not a number keeps 90 s") << 90.0 << std::numeric_limits<double>::quiet_NaN() << 900;
        QTest::newRow("200 s") << 0.5 << 200.0 << 2000;
        // Far beyond what milliseconds in 32 bits hold: clamped, not overflowed.
        QTest::newRow("1e12 s") << keep << 1e12 << std::numeric_limits<int>::max() / 100;
    }
    void timer_interval_follows_duration()
    {
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(int, interval);
        QWidget parent;
        parent.show();
        ProgressBar bar(&parent);
        bar.hide();
        bar.startAutoProgress(QStringLiteral("Upgrading firmware"), first);
        bar.startAutoProgress(QStringLiteral("Uploading & verifying"), second);
        QCOMPARE(bar.timer->interval(), interval);
        QVERIFY(bar.timer->isActive());
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.format(), QStringLiteral("Uploading & verifying"));
    }

    void short_durations_fill_at_the_first_step_data()
    {
        QTest::addColumn<double>("duration");
        QTest::newRow("0 s") << 0.0;
        QTest::newRow("0.0019 s") << 0.0019;
    }
    // Under 2 ms counts as 1 ms: the first tick, 50 ms on, is already past the end.
    void short_durations_fill_at_the_first_step()
    {
        QFETCH(double, duration);
        ProgressBar bar(nullptr);
        QSignalSpy finished(&bar, &ProgressBar::finished);
        QSignalSpy ticks(bar.timer, &QTimer::timeout);
        bar.startAutoProgress(QStringLiteral("x"), duration);
        QCOMPARE(bar.timer->interval(), 50);
        QVERIFY(finished.wait(5000));
        QCOMPARE(ticks.count(), 1);
        QCOMPARE(bar.value(), 100);
        QVERIFY(!bar.timer->isActive());
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
    }

    void run_fills_with_time_and_ends_by_itself()
    {
        ProgressBar bar(nullptr);
        QSignalSpy finished(&bar, &ProgressBar::finished);
        QList<int> values;
        connect(&bar, &QProgressBar::valueChanged, [&values](int v) { values << v; });
        bar.startAutoProgress(QStringLiteral("Uploading & verifying"), 0.5);
        QVERIFY(finished.wait(5000));
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(bar.value(), 100);
        QVERIFY(!bar.timer->isActive());
        QVERIFY2(values.size() > 3, "the bar grew in steps");
        for (int i = 1; i < values.size(); ++i)
            QVERIFY(values[i] > values[i - 1]);
    }

    void restart_without_arguments_keeps_format_and_duration()
    {
        ProgressBar bar(nullptr);
        QSignalSpy finished(&bar, &ProgressBar::finished);
        bar.startAutoProgress(QStringLiteral("Uploading & verifying"), 0.1);
        QVERIFY(finished.wait(5000));
        bar.startAutoProgress();
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.format(), QStringLiteral("Uploading & verifying"));
        QCOMPARE(bar.timer->interval(), 50);
        QVERIFY(bar.timer->isActive());
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.count(), 2);
    }

    void values_outside_the_range_are_ignored()
    {
        ProgressBar bar(nullptr);
        bar.startAutoProgress(QStringLiteral("x"), 90.0);
        bar.setValue(101);
        QCOMPARE(bar.value(), 0);
        bar.setValue(-1);
        QCOMPARE(bar.value(), 0);
        bar.increase();
        QCOMPARE(bar.value(), 0);
    }

    void increase_before_any_start_changes_nothing()
    {
        ProgressBar bar(nullptr);
        QSignalSpy finished(&bar, &ProgressBar::finished);
        bar.increase();
        QCOMPARE(bar.value(), bar.minimum() - 1);
        QCOMPARE(finished.count(), 0);
    }
};

QTEST_MAIN(TestButtonAndBar)
#include "test_button_and_bar.moc"
