#include "shell/about_box.h"
#include "test_registry.h"

#include <QScreen>
#include <QTest>

#include <memory>

namespace {

struct OpenedBox {
    std::unique_ptr<ombrel::TAboutBox> box;
    QList<QUrl> opened;
};

std::unique_ptr<OpenedBox> shownBox()
{
    auto result = std::make_unique<OpenedBox>();
    result->box = std::make_unique<ombrel::TAboutBox>();
    result->box->setUrlOpener([opened = &result->opened](const QUrl& url) { opened->append(url); });
    result->box->setVersionText(QStringLiteral("Version 1.65"));
    result->box->show();
    return result;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsDesigned()
    {
        auto shown = shownBox();
        ombrel::TAboutBox& box = *shown->box;
        QCOMPARE(box.size(), QSize(308, 165));
        QCOMPARE(box.windowTitle(), QStringLiteral("About Ombrel"));
        QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(box.ProgramIcon->toolTip(), QStringLiteral("Click to Return"));
        QVERIFY(!box.ProgramIcon->pixmap().isNull());
        QCOMPARE(box.ProductName->text(), QStringLiteral("Ombrel"));
        QCOMPARE(box.GradLabel2->toolTip(), QStringLiteral("Launch Web Browser"));
        QVERIFY(box.GradLabel2->font().underline());
        QCOMPARE(box.GradLabel2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box.Label3->cursor().shape(), Qt::PointingHandCursor);
        for (const char* name : {"ProgramIcon", "ProductName", "Version", "Label3", "GradLabel2"})
            QVERIFY2(box.findChild<QWidget*>(QString::fromLatin1(name)), name);
        // Every label lies inside the box.
        for (QWidget* child : box.findChildren<QLabel*>())
            QVERIFY2(box.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    void centredOnTheScreen()
    {
        auto shown = shownBox();
        const QRect screen = shown->box->screen()->availableGeometry();
        const QPoint offset = shown->box->geometry().center() - screen.center();
        QVERIFY(offset.manhattanLength() <= 2);
    }

    void showsTheVersionItIsGiven()
    {
        ombrel::TAboutBox box;
        box.setVersionText(QStringLiteral("Version 1.65"));
        box.show();
        QCOMPARE(box.Version->text(), QStringLiteral("Version 1.65"));
        box.hide();
        box.setVersionText(QStringLiteral("Version 2.0"));
        box.show();
        QCOMPARE(box.Version->text(), QStringLiteral("Version 2.0"));
    }

    void anyKeyCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("letter") << int(Qt::Key_A);
        QTest::newRow("F1") << int(Qt::Key_F1);
    }
    void anyKeyCloses()
    {
        QFETCH(int, key);
        auto shown = shownBox();
        QTest::keyClick(shown->box.get(), Qt::Key(key));
        QVERIFY(!shown->box->isVisible());
        QVERIFY(shown->opened.isEmpty());
    }

    void clickOutsideTheLinksCloses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("surface") << QString() << QPoint(300, 8);
        QTest::newRow("surface between links") << QString() << QPoint(170, 150);
        QTest::newRow("picture") << QStringLiteral("ProgramIcon") << QPoint();
        QTest::newRow("product name") << QStringLiteral("ProductName") << QPoint();
        QTest::newRow("version") << QStringLiteral("Version") << QPoint();
        QTest::newRow("credit") << QStringLiteral("Copyright") << QPoint();
        QTest::newRow("comments") << QStringLiteral("Comments") << QPoint();
    }
    void clickOutsideTheLinksCloses()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, point);
        auto shown = shownBox();
        QWidget* widget = target.isEmpty() ? shown->box.get() : shown->box->findChild<QWidget*>(target);
        QVERIFY(widget);
        if (!target.isEmpty())
            point = widget->rect().center();
        else
            QCOMPARE(shown->box->childAt(point), nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, point);
        QVERIFY(!shown->box->isVisible());
        QCOMPARE(shown->box->result(), int(QDialog::Accepted));
        QVERIFY(shown->opened.isEmpty());
    }

    void linksOpenAndKeepTheBox_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("e-mail") << QStringLiteral("Label3") << QUrl(QStringLiteral("mailto:support@ombrel.example"));
        QTest::newRow("web") << QStringLiteral("GradLabel2") << QUrl(QStringLiteral("https://ombrel.example/"));
    }
    void linksOpenAndKeepTheBox()
    {
        QFETCH(QString, link);
        QFETCH(QUrl, expected);
        auto shown = shownBox();
        auto* label = shown->box->findChild<QLabel*>(link);
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(shown->opened, QList<QUrl>{expected});
        QVERIFY(shown->box->isVisible());

        // Only a left click opens, and a press that is dragged off the link does not.
        QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
        QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
        QTest::mouseRelease(label, Qt::LeftButton, {}, label->rect().bottomRight() + QPoint(30, 30));
        QCOMPARE(shown->opened.size(), 1);
        QVERIFY(shown->box->isVisible());
    }
};

OMBREL_TEST_CLASS(AboutBoxTest)
#include "about_box_test.moc"
