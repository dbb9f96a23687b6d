#include "list/calc_grid.h"
#include "list/cell_delegate.h"
#include "list/list_model.h"
#include "test_registry.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace ombrel;

Q_DECLARE_METATYPE(QImage::Format)
Q_DECLARE_METATYPE(QStyle::State)

namespace {

class OptionGrid : public CalcGrid {
public:
    using CalcGrid::CalcGrid;
    using CalcGrid::initViewItemOption;
};

RowCells rowOf(const QString& in)
{
    return {in.toStdString(), "+", "00:00:01:00", "=", "00:00:01:07", "", "take 4"};
}

void appendRow(SheetModels& models, const QString& in)
{
    std::array<RowCells, kFormatCount> rows;
    rows.fill(rowOf(in));
    models.appendCalculation(rows);
}

// Two lists of the same calculations side by side: one draws its cells as
// the program does, the other with the stock delegate.
struct TwoLists {
    TwoLists()
    {
        for (int i = 0; i < 20; ++i)
            append();
        stock.setItemDelegate(new QStyledItemDelegate(&stock));
        for (CalcGrid* grid : {&ours, &stock}) {
            grid->resize(420, 160);
            grid->show();
            QVERIFY(QTest::qWaitForWindowExposed(grid));
        }
    }
    void append()
    {
        appendRow(models, QString("00:00:%1:%2").arg(added / 30, 2, 10, QChar('0')).arg(added % 30, 2, 10, QChar('0')));
        ++added;
    }
    // What the screen shows of a list, from its window's own pixels.
    static QImage shown(CalcGrid& grid)
    {
        for (int pass = 0; pass < 3; ++pass)
            QApplication::processEvents();
        return grid.screen()->grabWindow(grid.winId()).toImage();
    }

    SheetModels models;
    DragState dragState;
    int added = 0;
    CalcGrid ours{models.model(TimecodeFormat::NonDrop), dragState};
    CalcGrid stock{models.model(TimecodeFormat::NonDrop), dragState};
};

} // namespace

class CellDelegateTest : public QObject {
    Q_OBJECT
private slots:
    // A cell drawn from its kept picture, at another place than where the
    // picture was made, is pixel for pixel what the style draws there.
    void aKeptPictureIsWhatTheStyleDraws_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QStyle::State>("extraState");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::addColumn<bool>("forTheList");
        const QStyle::State none = QStyle::State_None;
        QTest::newRow("timecode") << "01:02:03:04" << 1.0 << QImage::Format_RGB32 << none << Qt::LeftToRight << true;
        QTest::newRow("premultiplied target")
            << "01:02:03:04" << 1.0 << QImage::Format_ARGB32_Premultiplied << none << Qt::LeftToRight << true;
        QTest::newRow("twice the pixels")
            << "01:02:03:04" << 2.0 << QImage::Format_RGB32 << none << Qt::LeftToRight << true;
        QTest::newRow("one and a half pixels")
            << "01:02:03:04" << 1.5 << QImage::Format_RGB32 << none << Qt::LeftToRight << true;
        QTest::newRow("text wider than the cell") << "a description far longer than its cell" << 1.0
                                                  << QImage::Format_RGB32 << none << Qt::LeftToRight << true;
        QTest::newRow("empty") << "" << 1.0 << QImage::Format_RGB32 << none << Qt::LeftToRight << true;
        QTest::newRow("under the pointer") << "take 4" << 1.0 << QImage::Format_RGB32
                                           << QStyle::State(QStyle::State_MouseOver) << Qt::LeftToRight << true;
        QTest::newRow("current, with the focus") << "take 4" << 1.0 << QImage::Format_RGB32
                                                 << QStyle::State(QStyle::State_HasFocus) << Qt::LeftToRight << true;
        QTest::newRow("selected") << "take 4" << 1.0 << QImage::Format_RGB32 << QStyle::State(QStyle::State_Selected)
                                  << Qt::LeftToRight << true;
        QTest::newRow("right to left") << "01:02:03:04" << 1.0 << QImage::Format_RGB32 << none << Qt::RightToLeft
                                       << true;
        QTest::newRow("drawn for no list")
            << "01:02:03:04" << 1.0 << QImage::Format_RGB32 << none << Qt::LeftToRight << false;
    }
    void aKeptPictureIsWhatTheStyleDraws()
    {
        QFETCH(QString, text);
        QFETCH(qreal, ratio);
        QFETCH(QImage::Format, format);
        QFETCH(QStyle::State, extraState);
        QFETCH(Qt::LayoutDirection, direction);
        QFETCH(bool, forTheList);
        SheetModels models;
        appendRow(models, text);
        DragState dragState;
        OptionGrid grid(models.model(TimecodeFormat::NonDrop), dragState);
        grid.setLayoutDirection(direction);
        QStyleOptionViewItem option;
        grid.initViewItemOption(&option);
        option.state |= extraState;
        if (!forTheList)
            option.widget = nullptr;
        const auto drawn = [&](const QAbstractItemDelegate& delegate, QPoint at) {
            QImage image(QSize(160, 60) * ratio, format);
            image.setDevicePixelRatio(ratio);
            image.fill(grid.viewport()->palette().color(QPalette::Base));
            QPainter painter(&image);
            option.rect = QRect(at, QSize(97, 21));
            delegate.paint(&painter, option, models.model(TimecodeFormat::NonDrop)->index(0, InColumn));
            return image;
        };
        CellDelegate ours;
        QStyledItemDelegate stock;
        QCOMPARE(drawn(ours, {5, 3}), drawn(stock, {5, 3}));
        QCOMPARE(drawn(ours, {31, 30}), drawn(stock, {31, 30}));
    }

    // What the user sees of a list while rows are added and its look
    // changes: the kept pictures never show an old look.
    void aListShowsWhatTheStyleDraws_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("rows moved up by appends") << "";
        QTest::newRow("another font") << "font";
        QTest::newRow("another text colour") << "text";
        QTest::newRow("another background") << "base";
        QTest::newRow("another style") << "style";
        QTest::newRow("a selected cell") << "select";
        QTest::newRow("hidden and shown again") << "hide";
    }
    void aListShowsWhatTheStyleDraws()
    {
        QFETCH(QString, change);
        TwoLists lists;
        lists.ours.scrollToLastRow();
        lists.stock.scrollToLastRow();
        QCOMPARE(TwoLists::shown(lists.ours), TwoLists::shown(lists.stock));
        for (CalcGrid* grid : {&lists.ours, &lists.stock}) {
            QPalette palette = grid->palette();
            if (change == "font")
                grid->setFont(QFont(grid->font().family(), grid->font().pointSize() + 3, QFont::Bold));
            if (change == "text")
                palette.setColor(QPalette::Text, Qt::darkRed);
            if (change == "base")
                palette.setColor(QPalette::Base, QColor(255, 255, 200));
            grid->setPalette(palette);
            if (change == "style")
                grid->setStyle(QStyleFactory::create("Windows"));
            if (change == "select")
                grid->selectionModel()->select(grid->model()->index(18, OutColumn), QItemSelectionModel::Select);
            if (change == "hide") {
                grid->hide();
                grid->show();
                QVERIFY(QTest::qWaitForWindowExposed(grid));
            }
        }
        for (int i = 0; i < 3; ++i) {
            lists.append();
            lists.ours.scrollToLastRow();
            lists.stock.scrollToLastRow();
            QCOMPARE(TwoLists::shown(lists.ours), TwoLists::shown(lists.stock));
        }
    }

    // A value cut by its column, shown with an ellipsis, has the whole value
    // as its tooltip; one that fits has none.
    void aCutValueShowsWholeAsItsTooltip()
    {
        SheetModels models;
        DragState dragState;
        appendRow(models, "999999998000000002");
        appendRow(models, "1");
        CalcGrid grid(models.model(TimecodeFormat::NonDrop), dragState);
        grid.resize(420, 160);
        grid.setColumnWidth(InColumn, 40);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        auto tipAt = [&](int row) {
            QToolTip::hideText();
            QTest::qWaitFor([] { return !QToolTip::isVisible(); });
            const QRect cell = grid.visualRect(grid.model()->index(row, InColumn));
            QHelpEvent help(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
            QApplication::sendEvent(grid.viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(0), QString("999999998000000002"));
        QCOMPARE(tipAt(1), QString());
    }
};

OMBREL_TEST_CLASS(CellDelegateTest)

#include "cell_delegate_test.moc"
