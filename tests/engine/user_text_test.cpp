#include "engine/timecode.h"
#include "engine/user_text.h"
#include "test_registry.h"

#include <QTest>

#include <string>
#include <vector>

using namespace ombrel;

class UserTextTest : public QObject {
    Q_OBJECT
private slots:
    void argumentsFillTheirPlaces_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << "Not a Ombrel file!" << QStringList{} << "Not a Ombrel file!";
        QTest::newRow("in order") << "Line %1: cell %2 is longer" << QStringList{"7", "3"}
                                  << "Line 7: cell 3 is longer";
        QTest::newRow("out of order") << "%2 before %1" << QStringList{"a", "b"} << "b before a";
        // What the user typed is never read as a place for another argument.
        QTest::newRow("argument holds a place") << "'%1' and %2" << QStringList{"%2", "x"} << "'%2' and x";
        QTest::newRow("percent after") << "%1% of %2 is out of range!" << QStringList{"50", "9"}
                                       << "50% of 9 is out of range!";
        QTest::newRow("missing argument") << "%1 and %3" << QStringList{"a"} << "a and %3";
        QTest::newRow("percent at the end") << "100%" << QStringList{"x"} << "100%";
    }
    void argumentsFillTheirPlaces()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        std::vector<std::string> values;
        for (const QString& argument : arguments)
            values.push_back(argument.toStdString());
        QCOMPARE(QString::fromStdString(FillArguments(pattern.toStdString(), values)), text);
    }

    // The English text of a conversion error stays what it was; the
    // message keeps the pattern and what the user typed apart.
    void conversionErrorsCarryTheirMessage()
    {
        const ConversionError error = InvalidInteger("1x");
        QCOMPARE(std::string(error.what()), std::string("'1x' is not a valid integer value"));
        QCOMPARE(error.message().text, std::string("'%1' is not a valid integer value"));
        QCOMPARE(error.message().arguments, std::vector<std::string>{"1x"});
    }
};
OMBREL_TEST_CLASS(UserTextTest)
#include "user_text_test.moc"
