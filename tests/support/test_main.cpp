#include "test_registry.h"

#include <QApplication>
#include <QTest>

#include <vector>

namespace ombrel::test {
std::vector<TestFactory>& registeredTestClasses();
}

// Runs every registered test class; the exit code counts the failed classes.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setOrganizationName("Brontel");
    app.setApplicationName("Ombrel");
    int failedClasses = 0;
    for (const auto& factory : ombrel::test::registeredTestClasses()) {
        auto testObject = factory();
        if (QTest::qExec(testObject.get(), argc, argv) != 0)
            ++failedClasses;
    }
    return failedClasses;
}
