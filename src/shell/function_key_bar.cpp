#include "shell/function_key_bar.h"

#include "entry/function_keys.h"
#include "list/drop_target.h"
#include "settings/settings_sections.h"
#include "widgets/icons.h"
#include "widgets/qt_text.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QToolButton>

namespace ombrel {

namespace {

QToolButton* addButton(QToolBar* bar, const QString& objectName, const QString& picture)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(objectName);
    button->setIcon(toolbarIcon(picture));
    button->setAutoRaise(true);
    button->setFixedSize(25, 25);
    bar->addWidget(button);
    return button;
}

QAction* shortcutItem(QObject* parent, const QString& objectName, const QKeySequence& keys)
{
    auto* item = new QAction(parent);
    item->setObjectName(objectName);
    item->setShortcut(keys);
    // Only while a field the item is added to has the focus.
    item->setShortcutContext(Qt::WidgetShortcut);
    return item;
}

} // namespace

FunctionKeyBar::FunctionKeyBar(FunctionKeyHost host, QWidget* parent)
    : QToolBar(tr("Function Keys"), parent), host_(host)
{
    setObjectName("ToolBar2");
    setMovable(false);
    setIconSize(QSize(20, 20));
    layout()->setSpacing(0);
    layout()->setContentsMargins(2, 1, 2, 1);

    ProgF = addButton(this, "ProgF", "prog_f");
    ProgF->setToolTip(tr("Program Function Key"));
    ProgF->setAccessibleName(tr("Program Function Key"));
    ProgF->setCheckable(true);
    connect(ProgF, &QToolButton::toggled, this,
            [this](bool armed) { ProgF->setIcon(toolbarIcon(armed ? "prog_f_armed" : "prog_f")); });

    for (int i = 0; i < kFunctionKeyCount; ++i) {
        const int key = i + 1;
        FBtn[i] = addButton(this, QString("F%1Btn").arg(key), QString("f%1").arg(key));
        FBtn[i]->setToolTip(toQt(kDefaultFunctionText));
        // Named by its key; screen readers tell its stored timecode as its description.
        FBtn[i]->setAccessibleName(QString("F%1").arg(key));
        FBtn[i]->setAccessibleDescription(toQt(LoadedSlotText(host_.settings.functionKeys[i], ':')));
        FBtn[i]->setMouseTracking(true);
        FBtn[i]->installEventFilter(this);
        connect(FBtn[i], &QToolButton::clicked, this, [this, key] { F1Click(key); });
        makeDropTarget(FBtn[i], DropTarget::FunctionKey,
                       {host_.calcCount, [this, key](const TimecodeDrag& drag) { F1BtnDragDrop(key, drag); }});

        const auto fKey = Qt::Key(Qt::Key_F1 + i);
        F[i] = shortcutItem(this, QString("F%1").arg(key), QKeySequence(fKey));
        sf[i] = shortcutItem(this, QString("sf%1").arg(key), QKeySequence(Qt::SHIFT | fKey));
        connect(F[i], &QAction::triggered, this, [this, key] { F1Click(key); });
        connect(sf[i], &QAction::triggered, this, [this, key] { sf1Click(key); });
    }
}

void FunctionKeyBar::serveField(TimecodeTarget target)
{
    for (int i = 0; i < kFunctionKeyCount; ++i)
        target.widget->addActions({F[i], sf[i]});
    fields_.push_back(std::move(target));
}

const FunctionKeyBar::TimecodeTarget* FunctionKeyBar::focusedField() const
{
    for (const TimecodeTarget& target : fields_) {
        if (target.widget->hasFocus())
            return &target;
    }
    return nullptr;
}

std::string FunctionKeyBar::loadText(int key) const
{
    return LoadedSlotText(host_.settings.functionKeys[key - 1], host_.separator());
}

void FunctionKeyBar::showStoredKeys()
{
    for (int key = 1; key <= kFunctionKeyCount; ++key) {
        FBtn[key - 1]->setToolTip(toQt(loadText(key)));
        FBtn[key - 1]->setAccessibleDescription(toQt(LoadedSlotText(host_.settings.functionKeys[key - 1], ':')));
    }
}

void FunctionKeyBar::program(int key, std::string_view source)
{
    FunctionKeySlots& keys = host_.settings.functionKeys;
    keys[key - 1] = ProgrammedSlotText(source);
    showStoredKeys();
    host_.showStatus(toQt(FunctionKeyStatus(key, keys[key - 1], host_.separator())));
    ReportStoreErrors(host_.dialogs, window(), [&] { WriteFunctionKeys(host_.store, keys, key); });
}

void FunctionKeyBar::F1Click(int key)
{
    FunctionKey(key, std::nullopt);
}

void FunctionKeyBar::sf1Click(int key)
{
    ProgF->setChecked(true);
    F1Click(key);
}

void FunctionKeyBar::FunctionKey(int key, const std::optional<std::string>& dragText)
{
    const TimecodeTarget* focused = focusedField();
    if (dragText) {
        program(key, *dragText);
    } else if (ProgF->isChecked()) {
        // Nothing to store keeps the key as it was.
        if (focused)
            program(key, focused->text());
        else
            host_.showStatus(tr("Put the cursor in a timecode field to program F%1").arg(key));
    } else if (focused) {
        focused->load(loadText(key));
    }
    ProgF->setChecked(false);
}

void FunctionKeyBar::F1BtnDragDrop(int key, const TimecodeDrag& drag)
{
    FunctionKey(key, drag.DragText);
}

void FunctionKeyBar::F1BtnMouseMove(int key)
{
    const std::string& slot = host_.settings.functionKeys[key - 1];
    FBtn[key - 1]->setToolTip(toQt(loadText(key)));
    host_.showStatus(toQt(FunctionKeyStatus(key, slot, host_.separator())));
}

bool FunctionKeyBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        for (int i = 0; i < kFunctionKeyCount; ++i) {
            if (watched == FBtn[i])
                F1BtnMouseMove(i + 1);
        }
    }
    return QToolBar::eventFilter(watched, event);
}

} // namespace ombrel
