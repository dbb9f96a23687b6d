#pragma once

#include "scripted_dialogs.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <array>

namespace ombrel::test {

// How a test window starts.
struct Start {
    bool shown = false;            // shown and active, as the user sees it
    QMap<QString, QString> stored; // settings stored before the start
    QByteArray storedFile;         // or the settings file's text, as is
    QStringList commandLine;       // the program's arguments
};

// Empties the user's settings (a test folder, see tests/CMakeLists.txt) and
// stores the given values, before the window reads them.
struct StoredSettings {
    explicit StoredSettings(const QMap<QString, QString>& values, const QByteArray& fileText = {})
    {
        QSettings settings("Brontel", "Ombrel");
        settings.clear();
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (!fileText.isEmpty()) {
            QFile file(settings.fileName());
            if (!file.open(QIODevice::WriteOnly) || file.write(fileText) != fileText.size())
                qFatal("cannot write the settings file");
        }
    }

    static QByteArray fileText()
    {
        QFile file(QSettings("Brontel", "Ombrel").fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What the program stored under a key, as text.
    static QString value(const QString& key) { return QSettings("Brontel", "Ombrel").value(key).toString(); }
};

// The main window after its first activation, its questions answered by
// script, with the few steps the tests take on it.
struct MainWindow {
    explicit MainWindow(const Start& start = {}) : stored(start.stored, start.storedFile)
    {
        form.setCommandLine(start.commandLine);
        if (start.shown) {
            form.show();
            form.activateWindow();
            if (QTest::qWaitForWindowActive(&form))
                return;
        }
        form.FormActivate();
    }

    void calculate(const QString& in, const QString& op, const QString& out)
    {
        form.MaskEdit1->setText(in);
        form.OperandCombo->setCurrentIndex(form.OperandCombo->findText(op));
        form.MaskEdit2->setText(out);
        form.CalculateBtnClick();
    }
    // The six lists, each made if it was not yet.
    std::array<CalcGrid*, kFormatCount> lists()
    {
        std::array<CalcGrid*, kFormatCount> all{};
        for (int f = 0; f < kFormatCount; ++f)
            all[f] = form.list(FormatAt(f));
        return all;
    }
    QHeaderView* header(TimecodeFormat format) { return form.list(format)->horizontalHeader(); }
    QString cell(TimecodeFormat format, int row, int column)
    {
        return form.list(format)->model()->index(row, column).data().toString();
    }
    QStringList row(TimecodeFormat format, int r)
    {
        QStringList cells;
        for (int c = 0; c < kColumnCount; ++c)
            cells << cell(format, r, c);
        return cells;
    }
    // In, operator, Out and Duration as the entry band shows them.
    QStringList fields() const
    {
        return {form.MaskEdit1->text(), form.OperandCombo->currentText(), form.MaskEdit2->text(),
                form.MaskEdit3->text()};
    }
    void showTab(TimecodeFormat format) { form.PageControl1->setCurrentIndex(FormatIndex(format)); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
    // Types into whichever control has the focus, as the user does.
    void type(const QString& keys)
    {
        for (QChar key : keys) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target);
            pressKey(target, key);
        }
    }

    // One key of a typed text: "\r" is Enter, "\b" Backspace.
    static void pressKey(QWidget* target, QChar key)
    {
        if (key == '\r')
            QTest::keyClick(target, Qt::Key_Return);
        else if (key == '\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClick(target, key.toLatin1());
    }

    StoredSettings stored;
    ScriptedDialogs dialogs;
    SettingsStore store;
    AppSettings settings;
    TCalcMainForm form{dialogs, settings, store};
};

} // namespace ombrel::test
