#include "widgets/accessible_role.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QMetaObject>
#include <QVariant>
#include <QWidget>

namespace ombrel {
namespace {

constexpr const char* kRoleProperty = "ombrelAccessibleRole";

class RoleInterface : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QStringList actionNames() const override
    {
        if (role() == QAccessible::Button)
            return {pressAction()};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (role() == QAccessible::Button && action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked");
        else
            QAccessibleWidget::doAction(action);
    }
};

class ComboInterface : public QAccessibleWidget {
public:
    explicit ComboInterface(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* roleFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    const auto accessibleRole = static_cast<QAccessible::Role>(role.toInt());
    if (auto* combo = qobject_cast<QComboBox*>(object); combo && accessibleRole == QAccessible::ComboBox)
        return new ComboInterface(combo);
    return new RoleInterface(static_cast<QWidget*>(object), accessibleRole);
}

} // namespace

void SetAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(roleFactory), true);
    Q_UNUSED(installed);
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

} // namespace ombrel
