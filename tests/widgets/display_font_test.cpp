#include "test_registry.h"
#include "widgets/display_font.h"
#include "widgets/user_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QTest>
#include <QTimer>

using namespace ombrel;

namespace {

QFont font(const QString& family, int points, bool bold = true)
{
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QString describe(const QFont& f)
{
    return QString("%1 %2%3").arg(f.family()).arg(f.pointSize()).arg(f.bold() ? " bold" : "");
}

} // namespace

class DisplayFontTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QFontDatabase::families().contains("MS Sans Serif") || QFontDatabase::families().contains("Arial"))
            QSKIP("this machine has the real MS Sans Serif or Arial: no stand-in to map");
    }

    void storedFontMapsTheStandInBack_data()
    {
        QTest::addColumn<QFont>("stored");
        QTest::addColumn<QFont>("chosen");
        QTest::addColumn<QString>("kept");
        const QString standIn = displayFont("MS Sans Serif", 11).family();
        QTest::newRow("stand-in unchanged") << font("MS Sans Serif", 11) << font(standIn, 7) << "MS Sans Serif 11 bold";
        QTest::newRow("stand-in, only the style changed")
            << font("MS Sans Serif", 11) << font(standIn, 7, false) << "MS Sans Serif 11";
        QTest::newRow("stand-in one size larger")
            << font("MS Sans Serif", 11) << font(standIn, 8) << "MS Sans Serif 12 bold";
        QTest::newRow("another face") << font("MS Sans Serif", 11) << font("DejaVu Serif", 7) << "DejaVu Serif 7 bold";
        QTest::newRow("a face that needs no stand-in")
            << font("DejaVu Serif", 10) << font("DejaVu Serif", 10) << "DejaVu Serif 10 bold";
    }

    void storedFontMapsTheStandInBack()
    {
        QFETCH(QFont, stored);
        QFETCH(QFont, chosen);
        QFETCH(QString, kept);
        QCOMPARE(describe(storedFont(chosen, stored)), kept);
    }

    // The real dialogs, confirmed as they open: the font dialog opens on
    // the font it edits, style included, also where its face is not
    // installed (the print font's Arial), and gives it back unchanged.
    void confirmingTheFontDialogUnchangedChangesNothing_data()
    {
        QTest::addColumn<QFont>("stored");
        QTest::newRow("MS Sans Serif") << font("MS Sans Serif", 11);
        QTest::newRow("the print font") << font("Arial", 12);
        QTest::newRow("installed face, italic") << [] {
            QFont f = font("DejaVu Serif", 10, false);
            f.setItalic(true);
            return f;
        }();
    }
    void confirmingTheFontDialogUnchangedChangesNothing()
    {
        QFETCH(QFont, stored);
        QTimer confirm;
        connect(&confirm, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        confirm.start(20);
        QtUserDialogs dialogs;
        const FontChoice edited{stored, QColor(0, 0, 0x80)};
        const auto choice = dialogs.chooseFont(nullptr, edited);
        QVERIFY(choice);
        QCOMPARE(describe(choice->font), describe(stored));
        QCOMPARE(choice->font.italic(), stored.italic());
        QCOMPARE(choice->color, edited.color);
    }
};

OMBREL_TEST_CLASS(DisplayFontTest)

#include "display_font_test.moc"
